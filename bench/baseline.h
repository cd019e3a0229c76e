#pragma once

#include <benchmark/benchmark.h>
#include <chrono>

namespace maporv::bench {

// Seconds one memcpy of the picture buffer (11,059,200 bytes) takes on this machine,
// measured once before the benchmarks run. Every result is also reported as a ratio to
// it, so the numbers compare across machines.
double baselineSeconds();

// Put one in front of a benchmark's loop: when it goes, it adds the counter
// "x_memcpy", the wall time per iteration divided by the baseline.
class RatioReport {
public:
    explicit RatioReport(benchmark::State& state)
        : state_(state), start_(std::chrono::steady_clock::now()) {}
    ~RatioReport();
    RatioReport(const RatioReport&) = delete;
    RatioReport& operator=(const RatioReport&) = delete;

private:
    benchmark::State& state_;
    std::chrono::steady_clock::time_point start_;
};

} // namespace maporv::bench
