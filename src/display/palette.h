#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace maporv {

struct PaletteEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t flags = 0;
    bool operator==(const PaletteEntry&) const = default;
};

// The 256 colours of an 8-bit display. Pixel values of 8-bit surfaces are indexes
// into it.
class Palette {
public:
    using Entries = std::array<PaletteEntry, 256>;

    explicit Palette(const Entries& entries);

    // The default palette: a 3-3-2 colour cube (red in the top three bits of the
    // index, blue in the low two). keepSystemColours puts the desktop's reserved
    // colours into entries 0..9 and 246..255.
    static Entries colorCube(bool keepSystemColours);

    const Entries& entries() const { return entries_; }
    // The entry as a 0xFFRRGGBB colour.
    std::uint32_t rgb(int index) const { return rgb_[static_cast<std::size_t>(index) & 0xFF]; }
    // The index of the entry nearest to a 0x??RRGGBB colour. Colours are compared at
    // five bits per channel through a table built on first use, quick enough to map
    // whole frames; every entry's own colour gives back its index (the lowest one
    // when two entries fall into the same cell).
    int nearestIndex(std::uint32_t rgb) const;

private:
    Entries entries_;
    std::array<std::uint32_t, 256> rgb_{};
    mutable std::vector<std::uint8_t> lookup_;
};

} // namespace maporv
