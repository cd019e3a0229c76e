#include "editing/selection.h"

#include "mapdata/mapdocument.h"

#include <algorithm>
#include <cstddef>

namespace maporv {

Selection::Selection(MapDocument& document) : document_(document) {}

void Selection::setFlag(int row, int column, bool on) {
    if (MapDocument::inGrid(row, column)) {
        document_.selected[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
            on ? 1 : 0;
    }
}

bool Selection::isSelected(int row, int column) const {
    return MapDocument::inGrid(row, column) &&
           document_.selected[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] != 0;
}

bool Selection::select(int row, int column, bool gridReady, bool shift, bool ctrl) {
    if (row < 0 || column < 0 || !gridReady) {
        return false;
    }
    if (shift) {
        anchorRow = row;
        anchorColumn = column;
        setFlag(row, column, !isSelected(row, column));
    } else if (ctrl) {
        if (!hasAnchor()) {
            return false;
        }
        addBlock({anchorRow, anchorColumn}, {row, column});
        anchorRow = -1;
        anchorColumn = -1;
    } else {
        clear();
        anchorRow = row;
        anchorColumn = column;
        setFlag(row, column, true);
    }
    activate();
    return true;
}

void Selection::activate() {
    document_.selectionActive = true;
}

void Selection::add(const std::vector<HexCoord>& hexes) {
    for (const HexCoord hex : hexes) {
        setFlag(hex.row, hex.column, true);
    }
    activate();
}

void Selection::toggle(HexCoord hex) {
    setFlag(hex.row, hex.column, !isSelected(hex.row, hex.column));
    activate();
}

void Selection::addBlock(HexCoord corner, HexCoord otherCorner) {
    const int lastRow = std::min(std::max(corner.row, otherCorner.row), kMapRows - 1);
    const int lastColumn = std::min(std::max(corner.column, otherCorner.column), kMapColumns - 1);
    for (int r = std::max(std::min(corner.row, otherCorner.row), 0); r <= lastRow; ++r) {
        for (int c = std::max(std::min(corner.column, otherCorner.column), 0); c <= lastColumn;
             ++c) {
            setFlag(r, c, true);
        }
    }
    activate();
}

const Selection::Flags& Selection::flags() const {
    return document_.selected;
}

void Selection::setFlags(const Flags& flags) {
    document_.selected = flags;
}

void Selection::clear() {
    document_.selected = {};
    document_.selectionActive = false;
}

int Selection::selectedCount() const {
    int count = 0;
    for (const auto& flags : document_.selected) {
        count += static_cast<int>(
            std::count_if(flags.begin(), flags.end(), [](std::uint8_t flag) { return flag != 0; }));
    }
    return count;
}

std::vector<HexCoord> Selection::targets(int cursorRow, int cursorColumn) const {
    std::vector<HexCoord> hexes;
    if (!document_.selectionActive) {
        if (MapDocument::inGrid(cursorRow, cursorColumn)) {
            hexes.push_back({cursorRow, cursorColumn});
        }
        return hexes;
    }
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            if (isSelected(row, column)) {
                hexes.push_back({row, column});
            }
        }
    }
    return hexes;
}

} // namespace maporv
