#include "WorkPool.h"

#include <algorithm>

WorkPool::WorkPool() : m_cancelled(std::make_shared<std::atomic<bool>>(false))
{
    // The window thread keeps a core of its own; each thread more also keeps memory of its own.
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount() - 1));
}

WorkPool::~WorkPool()
{
    cancelAndWait();
}

void WorkPool::cancelAndWait()
{
    m_cancelled->store(true, std::memory_order_relaxed);
    m_pool.waitForDone();
}
