// The rasterizer's worker threads. Run hands one job to every thread (the caller runs it
// too); a job takes its work from a shared counter until none is left, so a worker that
// wakes late, or never while the job is open, costs nothing. Idle workers poll briefly
// before sleeping, since a frame issues many draws back to back.
#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace vestra::raster {

class WorkerPool {
public:
    explicit WorkerPool(int threads);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    int Threads() const { return static_cast<int>(workers_.size()) + 1; }

    // Runs job() on the calling thread and on each worker that picks it up while the
    // caller's own call lasts; returns once every call that started has returned. A
    // worker may call job more than once, so job must split its work through shared
    // state (a counter) rather than by thread.
    void Run(const std::function<void()>& job);

private:
    void WorkerLoop();

    std::vector<std::thread> workers_;
    const std::function<void()>* job_ = nullptr;
    std::atomic<unsigned> generation_{0};  // bumped for each job and at shutdown
    std::atomic<unsigned> open_{0};        // generation of the job workers may join, 0 when closed
    std::atomic<int> inside_{0};           // workers between joining and leaving a job
    std::atomic<bool> stop_{false};
    std::mutex sleepMutex_;
    std::condition_variable wake_;
    int sleepers_ = 0;  // guarded by sleepMutex_
};

// Runs job on the pool that draws and clears share, made (again) with `threads` threads
// when it has another size. One job at a time: callers on other threads wait their turn.
void RunOnSharedPool(int threads, const std::function<void()>& job);

}  // namespace vestra::raster
