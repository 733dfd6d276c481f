#include "d3d9/raster/WorkerPool.h"

#include <chrono>
#include <memory>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VESTRA_RASTER_PAUSE() _mm_pause()
#else
#define VESTRA_RASTER_PAUSE() ((void)0)
#endif

namespace vestra::raster {

namespace {
// How long an idle worker polls for the next job before it sleeps: longer than a scene's
// draws take to submit between its clear and its flush, so that the flush does not wait
// for a sleeping worker to be woken.
constexpr auto kSpinTime = std::chrono::microseconds(1000);
// Polls of the caller waiting for workers still inside a job before it yields its core.
constexpr int kWaitSpins = 256;
std::mutex g_sharedMutex;
std::unique_ptr<WorkerPool> g_shared;

}  // namespace

void RunOnSharedPool(int threads, const std::function<void()>& job) {
    std::lock_guard<std::mutex> lock(g_sharedMutex);
    if (!g_shared || g_shared->Threads() != threads) {
        g_shared.reset();
        g_shared = std::make_unique<WorkerPool>(threads);
    }
    g_shared->Run(job);
}

WorkerPool::WorkerPool(int threads) {
    for (int i = 1; i < threads; ++i) workers_.emplace_back([this] { WorkerLoop(); });
}

WorkerPool::~WorkerPool() {
    stop_.store(true);
    {
        std::lock_guard<std::mutex> lock(sleepMutex_);
        generation_.fetch_add(1);
    }
    wake_.notify_all();
    for (std::thread& t : workers_) t.join();
}

void WorkerPool::Run(const std::function<void()>& job) {
    if (workers_.empty()) {
        job();
        return;
    }
    job_ = &job;
    unsigned generation = generation_.load(std::memory_order_relaxed) + 1;
    if (generation == 0) generation = 1;  // 0 means "closed" in open_
    open_.store(generation);
    generation_.store(generation);
    {
        // Sleepers re-check the generation under the lock, so no wake-up is lost.
        std::lock_guard<std::mutex> lock(sleepMutex_);
        if (sleepers_ > 0) wake_.notify_all();
    }
    job();
    // Closing before looking at inside_ (both sequentially consistent) means a worker
    // either saw the job closed and never touched it, or is counted here.
    open_.store(0);
    for (int spins = 0; inside_.load() != 0; ++spins) {
        if (spins < kWaitSpins) VESTRA_RASTER_PAUSE();
        else std::this_thread::yield();
    }
}

void WorkerPool::WorkerLoop() {
    unsigned seen = 0;
    for (;;) {
        const auto spinUntil = std::chrono::steady_clock::now() + kSpinTime;
        unsigned now = generation_.load(std::memory_order_acquire);
        int polls = 0;
        while (now == seen) {
            VESTRA_RASTER_PAUSE();
            if (++polls == 64) {
                polls = 0;
                if (std::chrono::steady_clock::now() > spinUntil) {
                    std::unique_lock<std::mutex> lock(sleepMutex_);
                    ++sleepers_;
                    wake_.wait(lock, [&] { return generation_.load(std::memory_order_acquire) != seen; });
                    --sleepers_;
                }
            }
            now = generation_.load(std::memory_order_acquire);
        }
        seen = now;
        if (stop_.load()) return;
        inside_.fetch_add(1);
        if (open_.load() == now) (*job_)();
        inside_.fetch_sub(1);
    }
}

}  // namespace vestra::raster
