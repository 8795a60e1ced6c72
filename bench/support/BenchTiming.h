#pragma once

// Median wall time of repeated runs, for benchmarks that compare two operations in one run.
#include <algorithm>
#include <chrono>
#include <vector>

namespace zeft::bench {

template <typename Operation> double MedianSeconds(int repetitions, Operation operation) {
    std::vector<double> times;
    times.reserve(static_cast<size_t>(repetitions));
    for (int i = 0; i < repetitions; ++i) {
        const auto start = std::chrono::steady_clock::now();
        operation();
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double>(stop - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace zeft::bench
