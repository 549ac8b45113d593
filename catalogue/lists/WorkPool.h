#pragma once

#include "CancelFlag.h"
#include "Job.h"

#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <atomic>
#include <memory>

// The threads that work beside the window thread for one opened catalogue, and the work they
// do. A job holds only values of its own; a job made of parts reads the pool's cancel flag
// between them. Cancelling sets the flag, so that work not yet begun ends as soon as it starts;
// the pool's end cancels and waits for every job, so nothing a job reads outlives it. The pool
// itself outlives its jobs, which may therefore start jobs of their own on it.
class WorkPool
{
public:
    WorkPool();
    ~WorkPool();
    WorkPool(const WorkPool&) = delete;
    WorkPool& operator=(const WorkPool&) = delete;

    // Starts `work` (a callable without arguments) on the pool.
    template <typename Work> auto start(Work work) -> Job<decltype(work())>
    {
        return Job<decltype(work())>(QtConcurrent::run(&m_pool, std::move(work)));
    }

    // Cancels every job and waits for those that run: none is left when it returns.
    void cancelAndWait();
    bool isCancelled() const { return m_cancelled->load(std::memory_order_relaxed); }
    // What a job holds to tell whether it is still wanted.
    CancelFlag cancelFlag() const { return m_cancelled; }

    // Threads running a job now (jobs still queued are not counted), and how many may run at once.
    int activeJobs() const { return m_pool.activeThreadCount(); }
    int threads() const { return m_pool.maxThreadCount(); }

private:
    std::shared_ptr<std::atomic<bool>> m_cancelled;
    QThreadPool m_pool;
};
