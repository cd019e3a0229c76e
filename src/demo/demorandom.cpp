#include "demo/demorandom.h"

namespace maporv {
namespace {

std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

std::uint64_t DemoRandom::next() {
    state_ += 0x9E3779B97F4A7C15ULL;
    return mix(state_);
}

int DemoRandom::below(int n) {
    if (n < 1) {
        return 0;
    }
    return static_cast<int>((next() >> 32) % static_cast<std::uint64_t>(n));
}

std::uint64_t DemoRandom::hash(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
    return mix(mix(mix(a + 0x9E3779B97F4A7C15ULL) ^ b) + c * 0x9E3779B97F4A7C15ULL);
}

} // namespace maporv
