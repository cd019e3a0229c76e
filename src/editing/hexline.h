#pragma once

#include "editing/mapcheck.h"
#include "mapdata/hexdirection.h"
#include "mapdata/mapdocument.h"

#include <vector>

namespace maporv {

// The whole cell grid, for a map without a picture to bound it.
inline constexpr HexExtent kWholeGrid{kMapColumns, kMapRows};

// The hexes a straight line from the centre of one hex to the centre of another
// passes through, from `from` to `to` (both included), each the neighbour of the one
// before: as many hexes as steps between the two, plus one. Where the line only
// grazes a corner it is not counted, so a line has no zigzag and a road drawn along
// it no detour. Between hexes of the same row and column parity the line runs along
// hex edges; it then keeps to the side that stays in the area, so a fast move along
// the first or last row stays on it.
//
// Only the hexes in the area are returned: where the line leaves the area, two hexes
// that follow each other in the result are not neighbours. The centres are taken
// rather than the pointer's own pixels because the stretch of the grid is the same
// at every scale: the strategic view, the full size and the tool, which has only
// hexes, draw the same line.
std::vector<HexCoord> hexLine(HexCoord from, HexCoord to, const HexExtent& area = kWholeGrid);

} // namespace maporv
