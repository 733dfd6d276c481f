#include "d3d9/raster/WorkerPool.h"

#include <chrono>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VESTRA_RASTER_PAUSE() _mm_pause()
#else
#define VESTRA_RASTER_PAUSE() ((void)0)
#endif

namespace vestra::raster {

namespace {
// How long an idle worker polls for the next draw before it sleeps.
constexpr auto kSpinTime = std::chrono::microseconds(300);
}  // namespace

WorkerPool::WorkerPool(int threads) {
    for (int i = 1; i < threads; ++i) workers_.emplace_back([this, i] { WorkerLoop(i); });
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

void WorkerPool::Run(const std::function<void(int)>& job) {
    if (workers_.empty()) {
        job(0);
        return;
    }
    job_ = &job;
    pending_.store(static_cast<int>(workers_.size()));
    generation_.fetch_add(1, std::memory_order_release);
    {
        // Sleepers re-check the generation under the lock, so no wake-up is lost.
        std::lock_guard<std::mutex> lock(sleepMutex_);
        if (sleepers_ > 0) wake_.notify_all();
    }
    job(0);
    while (pending_.load(std::memory_order_acquire) != 0) VESTRA_RASTER_PAUSE();
}

void WorkerPool::WorkerLoop(int index) {
    // Generation 0 is the pool's state at construction: a job posted before this thread
    // got going is still seen as new.
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
        (*job_)(index);
        pending_.fetch_sub(1, std::memory_order_release);
    }
}

}  // namespace vestra::raster
