#include "editing/cellsstep.h"

#include "editing/handsethexes.h"
#include "mapdata/mapdocument.h"

namespace maporv {

EditStep cellsStep(const MapDocument& document, const std::vector<HexCoord>& hexes,
                   std::optional<std::uint16_t> terrain, std::optional<std::uint16_t> roads,
                   HandSetHexes* handSet, std::string_view action) {
    EditStep step;
    for (HexCoord hex : hexes) {
        const HexCell* cell = document.cellAt(hex.row, hex.column);
        if (cell == nullptr) {
            continue;
        }
        HexCell after = *cell;
        if (terrain) {
            after.terrain = *terrain;
            if (handSet != nullptr) {
                handSet->mark(hex.row, hex.column, *terrain);
            }
        }
        after.roads = roads.value_or(after.roads);
        if (after != *cell) {
            step.cells.push_back({static_cast<std::uint8_t>(hex.row),
                                  static_cast<std::uint8_t>(hex.column), *cell, after});
        }
    }
    step.name = EditStep::countedName(action, step.cells.size());
    return step;
}

} // namespace maporv
