#include "sampling/workerpool.h"

namespace Sampling {

WorkerPool::WorkerPool(int threads)
{
    for (int t = 1; t < threads; ++t)
        m_helpers.emplace_back([this, t] { helperLoop(t); });
}

WorkerPool::~WorkerPool()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    for (auto &helper : m_helpers)
        helper.join();
}

void WorkerPool::share(int thread)
{
    for (int i = thread; i < m_count; i += threads())
        m_thunk(m_context, i);
}

void WorkerPool::runErased(int count, void *context, Thunk thunk)
{
    if (m_helpers.empty() || count <= 1) {
        for (int i = 0; i < count; ++i)
            thunk(context, i);
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_context = context;
        m_thunk = thunk;
        m_count = count;
        m_busy = int(m_helpers.size());
        ++m_generation;
    }
    m_wake.notify_all();
    share(0);
    std::unique_lock lock(m_mutex);
    m_finished.wait(lock, [this] { return m_busy == 0; });
}

void WorkerPool::helperLoop(int thread)
{
    std::uint64_t seen = 0;
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [&] { return m_stopping || m_generation != seen; });
            if (m_stopping)
                return;
            seen = m_generation;
        }
        share(thread);
        bool last = false;
        {
            std::lock_guard lock(m_mutex);
            last = --m_busy == 0;
        }
        if (last)
            m_finished.notify_one();
    }
}

} // namespace Sampling
