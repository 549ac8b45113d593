#include "WorkPool.h"

WorkPool::WorkPool() : m_cancelled(std::make_shared<std::atomic<bool>>(false)) {}

WorkPool::~WorkPool()
{
    cancelAndWait();
}

void WorkPool::cancelAndWait()
{
    m_cancelled->store(true, std::memory_order_relaxed);
    m_pool.waitForDone();
}
