#include "editing/strokechanges.h"

namespace maporv {

const HexCell& StrokeChanges::cell(HexCoord hex) const {
    return *document_.cellAt(hex.row, hex.column);
}

bool StrokeChanges::write(HexCoord hex, const HexCell& value) {
    HexCell* cell = document_.cellAt(hex.row, hex.column);
    if (cell == nullptr || *cell == value) {
        return false;
    }
    std::uint16_t& entry =
        entry_[static_cast<std::size_t>(hex.row)][static_cast<std::size_t>(hex.column)];
    if (entry == 0) {
        written_.push_back({static_cast<std::uint8_t>(hex.row),
                            static_cast<std::uint8_t>(hex.column), *cell, *cell});
        entry = static_cast<std::uint16_t>(written_.size());
    }
    *cell = value;
    return true;
}

EditStep StrokeChanges::step(std::string_view action) const {
    EditStep step;
    for (CellChange change : written_) {
        change.after = *document_.cellAt(change.row, change.column);
        if (change.after != change.before) {
            step.cells.push_back(change);
        }
    }
    step.name = EditStep::countedName(action, step.cells.size());
    return step;
}

} // namespace maporv
