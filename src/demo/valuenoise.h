#pragma once

#include <cstdint>
#include <vector>

namespace maporv {

// Smooth integer value noise over a square area, several octaves summed: lattice
// values at cell corners, blended with a smoothstep. Integer arithmetic only, so the
// same seed paints the same pixels everywhere.
class ValueNoise {
public:
    // cellSize (a power of two) is the lattice spacing of the first octave; each
    // further octave halves it and its weight. extent is the size of the area in
    // pixels; points up to kMargin outside it still get values.
    ValueNoise(std::uint64_t seed, int cellSize, int octaves, int extent);

    // 0 .. kMaxValue.
    int at(int x, int y) const;

    static constexpr int kMaxValue = 4095;
    static constexpr int kMargin = 256;

private:
    struct Octave {
        int shift = 0; // log2 of the cell size
        int size = 0;  // lattice points per side
        int weight = 0;
        std::vector<std::uint16_t> lattice;
    };
    std::vector<Octave> octaves_;
    int totalWeight_ = 0;
    int limit_ = 0; // largest coordinate, margins included
};

} // namespace maporv
