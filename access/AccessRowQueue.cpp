#include "AccessRowQueue.h"

bool AccessRowQueue::push(std::unique_ptr<AccessRowBatch> batch)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_closed || m_batches.size() < m_capacity; });
    if (m_closed)
        return false;
    m_batches.push_back(std::move(batch));
    m_changed.notify_all();
    return true;
}

std::unique_ptr<AccessRowBatch> AccessRowQueue::pop()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_closed || !m_batches.empty(); });
    if (m_batches.empty())
        return nullptr;
    std::unique_ptr<AccessRowBatch> batch = std::move(m_batches.front());
    m_batches.pop_front();
    m_changed.notify_all();
    return batch;
}

void AccessRowQueue::close()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_closed = true;
    m_changed.notify_all();
}
