#pragma once

#include "AccessRowBatch.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

// Hands batches of rows from the thread reading the Access file to the thread writing the
// SQLite file, holding a few at most so that reading cannot run far ahead of writing.
class AccessRowQueue
{
public:
    explicit AccessRowQueue(size_t capacity) : m_capacity(capacity) {}

    // Waits for room; false once the queue is closed.
    bool push(std::unique_ptr<AccessRowBatch> batch);
    // Waits for a batch; null once the queue is closed and empty.
    std::unique_ptr<AccessRowBatch> pop();
    // No more batches: the reader is done, or the writer gave up.
    void close();

private:
    size_t m_capacity;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<AccessRowBatch>> m_batches;
    bool m_closed = false;
};
