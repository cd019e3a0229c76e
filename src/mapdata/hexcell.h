#pragma once

#include <cstdint>

namespace maporv {

// One hex of the map. In the MAP file it takes 7 bytes, little-endian: terrain (2),
// roads (2) and three bytes the editor does not interpret but writes back unchanged.
struct HexCell {
    std::uint16_t terrain = 0;
    std::uint16_t roads = 0;
    std::uint8_t extra0 = 0;
    std::uint8_t extra1 = 0;
    std::uint8_t extra2 = 0;

    friend bool operator==(const HexCell&, const HexCell&) = default;
};

inline constexpr int kHexCellFileSize = 7;

} // namespace maporv
