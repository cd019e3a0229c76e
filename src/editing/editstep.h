#pragma once

#include "mapdata/hexcell.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace maporv {

class MapDocument;
class MapNames;

// A hex cell before and after a step.
struct CellChange {
    std::uint8_t row = 0;
    std::uint8_t column = 0;
    HexCell before;
    HexCell after;
};

// A hex's name entry before and after a step.
struct NameIndexChange {
    std::uint8_t row = 0;
    std::uint8_t column = 0;
    std::uint16_t before = 0;
    std::uint16_t after = 0;
};

// One entry of the name list before and after a step: a rename keeps the count, an
// added name raises it (before is then empty).
struct NameListChange {
    int entry = 0;
    std::string before;
    std::string after;
    int countBefore = 0;
    int countAfter = 0;
};

// The header's width and height (columns, rows) before and after a step.
struct HeaderChange {
    std::uint16_t widthBefore = 0;
    std::uint16_t heightBefore = 0;
    std::uint16_t widthAfter = 0;
    std::uint16_t heightAfter = 0;
};

// One undoable step: what an editing command changed in the map and its names,
// hex by hex, so that a step costs memory by the hexes it touched, not by the map.
class EditStep {
public:
    // What the Edit menu shows after "Undo " / "Redo ".
    std::string name;
    std::vector<CellChange> cells;
    std::vector<NameIndexChange> nameIndexes;
    std::optional<NameListChange> nameList;
    std::optional<HeaderChange> header;

    bool touchesMap() const { return !cells.empty() || header.has_value(); }
    bool touchesNames() const { return !nameIndexes.empty() || nameList.has_value(); }
    bool empty() const { return !touchesMap() && !touchesNames(); }
    // How many changes the step holds; the history caps their sum.
    std::size_t weight() const;

    // Writes the "after" values (do, redo) or the "before" values (undo). Touches
    // no modified flag: the history sets them.
    void redo(MapDocument& document, MapNames& names) const;
    void undo(MapDocument& document, MapNames& names) const;

    // Forgets the name changes, for when the name list was replaced underneath.
    void dropNames();

    // "Set Terrain (1 hex)", "Set Terrain (12 hexes)".
    static std::string countedName(std::string_view action, std::size_t hexes);
};

} // namespace maporv
