#pragma once

#include <cstdint>
#include <string>

namespace maporv {

// A hex of the grid by row and column; either may lie outside the grid.
struct HexCoord {
    int row = 0;
    int column = 0;
    friend bool operator==(const HexCoord&, const HexCoord&) = default;
};

// A hex as the names files write it, column first: "(07,12)".
std::string hexText(HexCoord hex);

// The six directions a road can leave a hex, clockwise from north: N, NE, SE, S,
// SW, NW, the neighbours the keypad's 8, 9, 3, 2, 1 and 7 move the cursor to.
inline constexpr int kHexDirections = 6;

// The road bit of a direction.
std::uint16_t directionBit(int direction);
// The direction back: a road from A to B is stored as that direction's bit in A and
// as the opposite one's in B.
int oppositeDirection(int direction);
// "N", "NE", "SE", "S", "SW", "NW".
const char* directionName(int direction);
// The hex next to hex in a direction, without any bound. Columns are flat-topped and
// even columns sit half a row higher, so the rows of the diagonal neighbours depend
// on the column's parity.
HexCoord neighbour(HexCoord hex, int direction);
// The direction from a hex to the one beside it; -1 when they are not neighbours.
int neighbourDirection(HexCoord from, HexCoord to);

} // namespace maporv
