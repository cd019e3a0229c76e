#pragma once

#include <cstdint>

namespace maporv {

// Terrain codes 0..19 have a name; any other code read from a MAP file is kept as it
// is and shown as a number.
inline constexpr int kTerrainTypeCount = 20;

// The name of a terrain code, or nullptr for codes outside 0..19.
const char* terrainName(int code);

// The road word of a hex: bit k set means a road leaves the hex in direction k.
// Bits 8..15 are carried and never drawn.
namespace RoadMask {
inline constexpr std::uint16_t N = 0x01;
inline constexpr std::uint16_t NE = 0x02;
// Bits 2 and 6 name no direction on this grid (its hexes have no east or west
// neighbour): they are carried and drawn with a crossed mark, but never set by editing.
inline constexpr std::uint16_t Bit2 = 0x04;
inline constexpr std::uint16_t SE = 0x08;
inline constexpr std::uint16_t S = 0x10;
inline constexpr std::uint16_t SW = 0x20;
inline constexpr std::uint16_t Bit6 = 0x40;
inline constexpr std::uint16_t NW = 0x80;
// The six directions the user can set.
inline constexpr std::uint16_t Settable = N | NE | SE | S | SW | NW;
} // namespace RoadMask

} // namespace maporv
