#include "editing/handsethexes.h"

#include "mapdata/terraintype.h"

namespace maporv {

void HandSetHexes::mark(int row, int column, int terrain) {
    if (MapDocument::inGrid(row, column) && terrain >= 0 && terrain < kTerrainTypeCount) {
        terrains_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] |= 1u << terrain;
    }
}

bool HandSetHexes::setByHand(const MapDocument& document, int row, int column) const {
    const HexCell* cell = document.cellAt(row, column);
    return cell != nullptr && cell->terrain < kTerrainTypeCount &&
           (terrains_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] >>
                cell->terrain &
            1u) != 0;
}

} // namespace maporv
