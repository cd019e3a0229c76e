#pragma once

#include "editing/editstep.h"
#include "mapdata/hexdirection.h"
#include "mapdata/mapdocument.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace maporv {

// What a stroke of the mouse has changed so far. The stroke writes into the document
// as the pointer moves, so that every frame shows it; this keeps, for each hex it
// wrote, what the hex held before the stroke, so that the whole stroke becomes one
// step at its end however often it passed a hex.
class StrokeChanges {
public:
    explicit StrokeChanges(MapDocument& document) : document_(document) {}

    // The hex's cell as it is now; the hex must lie in the cell grid.
    const HexCell& cell(HexCoord hex) const;
    // Writes a value into a hex of the cell grid (others are left alone); true when
    // the hex held another value.
    bool write(HexCoord hex, const HexCell& value);

    // The hexes that hold another value than before the stroke, as a step named
    // "action (N hexes)" that is already applied: for EditHistory::record.
    EditStep step(std::string_view action) const;

private:
    MapDocument& document_;
    // The hexes written, with their value before the stroke.
    std::vector<CellChange> written_;
    // Where a hex's entry is in written_, plus one; 0 for a hex not written.
    MapDocument::Grid<std::uint16_t> entry_{};
};

} // namespace maporv
