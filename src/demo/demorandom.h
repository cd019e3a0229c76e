#pragma once

#include <cstdint>

namespace maporv {

// The demo's own random numbers (splitmix64), so that the generated scenario has the
// same bytes with every compiler and standard library: no std distributions, whose
// output is not fixed by the standard.
class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next();
    // 0 .. n - 1 (0 when n < 1).
    int below(int n);
    // lo .. hi inclusive.
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }

    // A stateless mix of up to three numbers: the same inputs give the same value, so a
    // painted detail depends on its position only, never on the drawing order.
    static std::uint64_t hash(std::uint64_t a, std::uint64_t b = 0, std::uint64_t c = 0);

private:
    std::uint64_t state_;
};

} // namespace maporv
