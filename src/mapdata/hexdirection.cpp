#include "mapdata/hexdirection.h"

#include "mapdata/terraintype.h"
#include "mapdata/textformat.h"

#include <array>

namespace maporv {

std::string hexText(HexCoord hex) {
    return strprintf("(%02d,%02d)", hex.column, hex.row);
}

std::uint16_t directionBit(int direction) {
    static constexpr std::array<std::uint16_t, kHexDirections> bits{
        RoadMask::N, RoadMask::NE, RoadMask::SE, RoadMask::S, RoadMask::SW, RoadMask::NW};
    return bits[static_cast<std::size_t>(direction)];
}

int oppositeDirection(int direction) {
    return (direction + 3) % kHexDirections;
}

const char* directionName(int direction) {
    static constexpr std::array<const char*, kHexDirections> names{"N", "NE", "SE",
                                                                   "S", "SW", "NW"};
    return names[static_cast<std::size_t>(direction)];
}

HexCoord neighbour(HexCoord hex, int direction) {
    const bool even = hex.column % 2 == 0;
    switch (direction) {
    case 0: // N
        return {hex.row - 1, hex.column};
    case 1: // NE
        return {even ? hex.row - 1 : hex.row, hex.column + 1};
    case 2: // SE
        return {even ? hex.row : hex.row + 1, hex.column + 1};
    case 3: // S
        return {hex.row + 1, hex.column};
    case 4: // SW
        return {even ? hex.row : hex.row + 1, hex.column - 1};
    default: // NW
        return {even ? hex.row - 1 : hex.row, hex.column - 1};
    }
}

int neighbourDirection(HexCoord from, HexCoord to) {
    for (int direction = 0; direction < kHexDirections; ++direction) {
        if (neighbour(from, direction) == to) {
            return direction;
        }
    }
    return -1;
}

} // namespace maporv
