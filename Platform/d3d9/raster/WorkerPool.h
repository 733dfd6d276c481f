// The rasterizer's worker threads. A job runs on every thread at once (the caller is
// thread 0); Run returns when all have finished. Idle workers spin briefly before
// sleeping, since a frame issues many small draws back to back.
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

    // Calls job(thread) for thread = 0 .. Threads()-1, 0 on the calling thread.
    void Run(const std::function<void(int)>& job);

private:
    void WorkerLoop(int index);

    std::vector<std::thread> workers_;
    const std::function<void(int)>* job_ = nullptr;
    std::atomic<unsigned> generation_{0};
    std::atomic<int> pending_{0};
    std::atomic<bool> stop_{false};
    std::mutex sleepMutex_;
    std::condition_variable wake_;
    int sleepers_ = 0;  // guarded by sleepMutex_
};

}  // namespace vestra::raster
