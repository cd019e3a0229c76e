#include "baseline.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

namespace maporv::bench {
namespace {

constexpr std::size_t kPictureBytes = 11059200;

double measureBaseline() {
    std::vector<char> from(kPictureBytes, 1);
    std::vector<char> to(kPictureBytes, 0);
    std::vector<double> samples;
    for (int i = 0; i < 41; ++i) {
        const auto start = std::chrono::steady_clock::now();
        std::memcpy(to.data(), from.data(), kPictureBytes);
        benchmark::ClobberMemory();
        const auto end = std::chrono::steady_clock::now();
        samples.push_back(std::chrono::duration<double>(end - start).count());
        from[static_cast<std::size_t>(i)] = to[static_cast<std::size_t>(i) + 1];
    }
    std::nth_element(samples.begin(), samples.begin() + 20, samples.end());
    return samples[20];
}

void BM_MemcpyBaseline(benchmark::State& state) {
    std::vector<char> from(kPictureBytes, 1);
    std::vector<char> to(kPictureBytes, 0);
    RatioReport ratio(state);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kPictureBytes);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyBaseline)->Unit(benchmark::kMillisecond);

} // namespace

double baselineSeconds() {
    static const double seconds = measureBaseline();
    return seconds;
}

RatioReport::~RatioReport() {
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    const double iterations =
        static_cast<double>(std::max<benchmark::IterationCount>(state_.iterations(), 1));
    state_.counters["x_memcpy"] = elapsed / iterations / baselineSeconds();
}

} // namespace maporv::bench
