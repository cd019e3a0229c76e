#include "demo/valuenoise.h"

#include "demo/demorandom.h"

#include <algorithm>
#include <utility>

namespace maporv {
namespace {

// 0..4096 to 0..4096 along 3t^2 - 2t^3, so cells blend without creases.
int smooth(int t) {
    const std::int64_t t64 = t;
    return static_cast<int>(t64 * t64 * (3 * 4096 - 2 * t64) / (4096 * 4096));
}

int lerp(int a, int b, int t) {
    return a + (b - a) * t / 4096;
}

} // namespace

ValueNoise::ValueNoise(std::uint64_t seed, int cellSize, int octaves, int extent) {
    limit_ = extent + 2 * kMargin - 1;
    int shift = 0;
    while ((2 << shift) <= cellSize) {
        ++shift;
    }
    int weight = 1 << std::max(octaves - 1, 0);
    for (int o = 0; o < octaves && shift >= 0; ++o, --shift, weight /= 2) {
        Octave octave;
        octave.shift = shift;
        octave.size = ((limit_ + 1) >> shift) + 2;
        octave.weight = std::max(weight, 1);
        octave.lattice.resize(static_cast<std::size_t>(octave.size) * octave.size);
        for (int j = 0; j < octave.size; ++j) {
            for (int i = 0; i < octave.size; ++i) {
                const std::uint64_t h = DemoRandom::hash(seed, static_cast<std::uint64_t>(o),
                                                         static_cast<std::uint64_t>(j) << 20 |
                                                             static_cast<std::uint64_t>(i));
                octave.lattice[static_cast<std::size_t>(j) * octave.size + i] =
                    static_cast<std::uint16_t>(h % (kMaxValue + 1));
            }
        }
        totalWeight_ += octave.weight;
        octaves_.push_back(std::move(octave));
    }
}

int ValueNoise::at(int x, int y) const {
    const int px = std::clamp(x + kMargin, 0, limit_);
    const int py = std::clamp(y + kMargin, 0, limit_);
    int sum = 0;
    for (const Octave& octave : octaves_) {
        const int ix = px >> octave.shift;
        const int iy = py >> octave.shift;
        const int mask = (1 << octave.shift) - 1;
        const int tx = smooth(((px & mask) << 12) >> octave.shift);
        const int ty = smooth(((py & mask) << 12) >> octave.shift);
        const std::uint16_t* row =
            octave.lattice.data() + static_cast<std::size_t>(iy) * octave.size;
        const std::uint16_t* next = row + octave.size;
        const int top = lerp(row[ix], row[ix + 1], tx);
        const int bottom = lerp(next[ix], next[ix + 1], tx);
        sum += lerp(top, bottom, ty) * octave.weight;
    }
    return totalWeight_ > 0 ? sum / totalWeight_ : 0;
}

} // namespace maporv
