#pragma once
// Timing and reporting for the benchmarks: one `name: value unit` line per figure.
#include <chrono>
#include <cstdio>
#include <functional>

namespace bench {

inline double secondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline void report(const char* name, double value, const char* unit) {
    std::printf("%s: %.4g %s\n", name, value, unit);
    std::fflush(stdout);
}

}  // namespace bench
