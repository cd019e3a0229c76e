#include "display/palette.h"

#include <limits>

namespace maporv {

namespace {

// An 8-bit desktop keeps its first and last ten entries for the colours of its own
// windows. There is no desktop palette to ask on this platform, so these are the
// customary ones.
constexpr std::array<PaletteEntry, 20> kReservedColors{{
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},
    {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0},
    {192, 220, 192, 0}, {166, 202, 240, 0}, {255, 251, 240, 0}, {160, 160, 164, 0},
    {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},     {255, 255, 0, 0},
    {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
}};

int distance(const PaletteEntry& e, int r, int g, int b) {
    const int dr = e.red - r;
    const int dg = e.green - g;
    const int db = e.blue - b;
    return dr * dr + dg * dg + db * db;
}

std::size_t cellOf(std::uint32_t rgb) {
    return ((rgb >> 9) & 0x7C00u) | ((rgb >> 6) & 0x03E0u) | ((rgb >> 3) & 0x1Fu);
}

} // namespace

Palette::Palette(const Entries& entries) : entries_(entries) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const PaletteEntry& e = entries_[i];
        rgb_[i] =
            0xFF000000u | (std::uint32_t{e.red} << 16) | (std::uint32_t{e.green} << 8) | e.blue;
    }
}

Palette::Entries Palette::colorCube(bool keepSystemColours) {
    Entries entries{};
    for (int i = 0; i < 256; ++i) {
        PaletteEntry& e = entries[static_cast<std::size_t>(i)];
        e.red = static_cast<std::uint8_t>(((i >> 5) & 7) * 255 / 7);
        e.green = static_cast<std::uint8_t>(((i >> 2) & 7) * 255 / 7);
        e.blue = static_cast<std::uint8_t>((i & 3) * 255 / 3);
        e.flags = 0;
    }
    if (keepSystemColours) {
        for (std::size_t i = 0; i < 10; ++i) {
            entries[i] = kReservedColors[i];
            entries[246 + i] = kReservedColors[10 + i];
        }
    }
    return entries;
}

int Palette::nearestIndex(std::uint32_t rgb) const {
    if (lookup_.empty()) {
        lookup_.resize(32768);
        for (int key = 0; key < 32768; ++key) {
            // The middle of the cell, with the low bits repeated so 31 stands for 255.
            const int r5 = key >> 10;
            const int g5 = (key >> 5) & 31;
            const int b5 = key & 31;
            const int r = (r5 << 3) | (r5 >> 2);
            const int g = (g5 << 3) | (g5 >> 2);
            const int b = (b5 << 3) | (b5 >> 2);
            int best = 0;
            int bestDistance = std::numeric_limits<int>::max();
            for (int i = 0; i < 256 && bestDistance > 0; ++i) {
                const int d = distance(entries_[static_cast<std::size_t>(i)], r, g, b);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = i;
                }
            }
            lookup_[static_cast<std::size_t>(key)] = static_cast<std::uint8_t>(best);
        }
        // Every entry finds itself, even one that lies nearer another cell's middle.
        for (int i = 255; i >= 0; --i) {
            lookup_[cellOf(rgb_[static_cast<std::size_t>(i)])] = static_cast<std::uint8_t>(i);
        }
    }
    return lookup_[cellOf(rgb)];
}

} // namespace maporv
