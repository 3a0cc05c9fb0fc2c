#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace Sampling {

/// A fixed set of threads that share loops: run(count, task) calls task(i)
/// for every i in [0, count), the calling thread taking its share, and
/// returns once all are done. Threads sleep between loops rather than spin,
/// so a pool that waits costs the machine nothing. Nothing is allocated per
/// loop.
class WorkerPool
{
public:
    /// threads ≥ 1 in all, the caller included.
    explicit WorkerPool(int threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool &) = delete;
    WorkerPool &operator=(const WorkerPool &) = delete;

    int threads() const { return int(m_helpers.size()) + 1; }

    /// Thread t of the pool takes i = t, t + threads(), …: which thread
    /// computes an item never changes what it computes.
    template <typename Task> void run(int count, Task &task)
    {
        runErased(count, &task, [](void *context, int i) { (*static_cast<Task *>(context))(i); });
    }

private:
    using Thunk = void (*)(void *, int);
    void runErased(int count, void *context, Thunk thunk);
    void share(int thread);
    void helperLoop(int thread);

    std::vector<std::thread> m_helpers;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_finished;
    void *m_context = nullptr;
    Thunk m_thunk = nullptr;
    int m_count = 0;
    int m_busy = 0;
    std::uint64_t m_generation = 0;
    bool m_stopping = false;
};

} // namespace Sampling
