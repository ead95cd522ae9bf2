#pragma once
// Work on many independent items on every core, with what follows each item done in order on the
// calling thread: a day's competitors scored side by side, their messages still told in
// competitor order.
#include <cstddef>
#include <functional>

namespace trakmora {

// The worker threads to use: one per core the machine reports, at least one.
unsigned workerCount();

// Runs work(i) for every i in [0, count) on up to `workers` threads (each item once, in no set
// order), and then(i) on the calling thread in the order of i, each as soon as work(i) is done
// and every then() before it has run. With one worker or one item everything runs on the
// calling thread, item by item. An exception thrown by work(i) is thrown again from this call
// in place of then(i); the items still running are waited for first.
void forEachInOrder(std::size_t count, unsigned workers, const std::function<void(std::size_t)>& work,
                    const std::function<void(std::size_t)>& then);

} // namespace trakmora
