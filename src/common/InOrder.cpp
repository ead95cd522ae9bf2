#include "common/InOrder.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace trakmora {

unsigned workerCount() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
}

void forEachInOrder(std::size_t count, unsigned workers, const std::function<void(std::size_t)>& work,
                    const std::function<void(std::size_t)>& then) {
    if (workers <= 1 || count <= 1) {
        for (std::size_t i = 0; i < count; ++i) {
            work(i);
            then(i);
        }
        return;
    }
    std::mutex lock;
    std::condition_variable finished;
    std::vector<char> done(count, 0);
    std::vector<std::exception_ptr> failures(count);
    std::atomic<std::size_t> nextItem{0};
    std::atomic<bool> stop{false};
    const auto worker = [&] {
        for (std::size_t i; !stop && (i = nextItem++) < count;) {
            try {
                work(i);
            } catch (...) {
                failures[i] = std::current_exception();
            }
            {
                const std::lock_guard<std::mutex> guard(lock);
                done[i] = 1;
            }
            finished.notify_all();
        }
    };
    std::vector<std::thread> threads;
    const std::size_t started = std::min<std::size_t>(workers, count);
    for (std::size_t t = 0; t < started; ++t)
        threads.emplace_back(worker);
    std::exception_ptr failure;
    try {
        for (std::size_t i = 0; i < count; ++i) {
            {
                std::unique_lock<std::mutex> guard(lock);
                finished.wait(guard, [&] { return done[i] != 0; });
            }
            if (failures[i]) std::rethrow_exception(failures[i]);
            then(i);
        }
    } catch (...) {
        failure = std::current_exception();
        stop = true;
    }
    for (std::thread& t : threads)
        t.join();
    if (failure) std::rethrow_exception(failure);
}

} // namespace trakmora
