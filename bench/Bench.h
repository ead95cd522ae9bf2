#pragma once
// A plain timing harness: benchmarks register a function; `timeIt` reports the best of several runs.
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace trakmora::bench {

struct Benchmark {
    const char* name;
    std::function<void()> run;
};

inline std::vector<Benchmark>& registry() {
    static std::vector<Benchmark> all;
    return all;
}

struct Register {
    Register(const char* name, std::function<void()> run) { registry().push_back({name, std::move(run)}); }
};

// Runs `work` `repeats` times and prints the fastest and the mean, in milliseconds.
inline void timeIt(const char* label, int repeats, const std::function<void()>& work) {
    double best = 1e300, total = 0;
    for (int i = 0; i < repeats; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        work();
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        best = ms < best ? ms : best;
        total += ms;
    }
    std::printf("%-60s best %10.3f ms   mean %10.3f ms   (%d runs)\n", label, best, total / repeats, repeats);
}

} // namespace trakmora::bench
