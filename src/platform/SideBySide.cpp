#include "platform/SideBySide.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

void RunSideBySide(std::size_t count, int threads, const std::function<void(std::size_t)>& work,
                   const std::function<void()>& whileWaiting) {
    std::vector<std::exception_ptr> errors(count);
    std::atomic<std::size_t> next{0};
    std::mutex mutex;
    std::condition_variable finished;
    const std::size_t helpers =
        std::min<std::size_t>(count, std::size_t(std::max(threads, 1))) - (whileWaiting ? 0 : 1);
    std::size_t running = helpers;
    auto take = [&] {
        for (std::size_t k = next++; k < count; k = next++) {
            try {
                work(k);
            } catch (...) {
                errors[k] = std::current_exception();
            }
        }
    };
    auto helper = [&] {
        take();
        std::lock_guard<std::mutex> lock(mutex);
        --running;
        finished.notify_one();
    };
    if (count == 0) return;
    std::vector<std::thread> pool;
    for (std::size_t t = 0; t < helpers; ++t) pool.emplace_back(helper);
    if (whileWaiting) {
        // Told once at the start, so that work cancelled at once stops at once.
        whileWaiting();
        std::unique_lock<std::mutex> lock(mutex);
        while (
            !finished.wait_for(lock, std::chrono::milliseconds(50), [&] { return running == 0; })) {
            lock.unlock();
            whileWaiting();
            lock.lock();
        }
    } else {
        take();
    }
    for (std::thread& t : pool) t.join();
    for (const std::exception_ptr& e : errors)
        if (e) std::rethrow_exception(e);
}
