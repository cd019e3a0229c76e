#pragma once

#include "editing/editcursor.h"
#include "mapdata/mapdocument.h"

#include <cstdint>
#include <vector>

namespace maporv {

// The hexes the set commands act on. The per-hex flags and selectionActive live in
// the MapDocument (a load clears them with the map); the anchor of block selection
// belongs to the window and survives loads.
//
// selectionActive means "a selection was made since the last clear", not "some hex
// is selected": with it set and no flag set, the set commands change nothing.
class Selection {
public:
    explicit Selection(MapDocument& document);
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

    // Remembered by plain and Shift selection, spent by Ctrl selection; (-1, -1)
    // when there is none.
    int anchorRow = -1;
    int anchorColumn = -1;

    bool hasAnchor() const { return anchorRow >= 0 && anchorColumn >= 0; }

    // Select at the cursor hex (SPACE, left click). Shift inverts the hex and sets
    // the anchor; Ctrl (without Shift) selects the block from the anchor to the
    // hex, both corners included, and spends the anchor; neither starts a new
    // selection of the hex alone. Does nothing for a negative cursor, before the
    // grid is set up for a picture (gridReady), and for Ctrl without an anchor.
    // Flags exist for the 40 x 45 cells only; hexes beyond them are never flagged.
    // True when it acted.
    bool select(int row, int column, bool gridReady, bool shift, bool ctrl);

    // Every flag to 0 and selectionActive clear; the anchor stays.
    void clear();

    // What painting the selection with the mouse and Select Region do, each setting
    // selectionActive and leaving the anchor alone: hexes added to the selection, one
    // hex inverted, and the block between two corners added (both included, either
    // order, within the cell grid).
    void add(const std::vector<HexCoord>& hexes);
    void toggle(HexCoord hex);
    void addBlock(HexCoord corner, HexCoord otherCorner);

    // The flags as they are, and put back as they were (selectionActive untouched).
    using Flags = MapDocument::Grid<std::uint8_t>;
    const Flags& flags() const;
    void setFlags(const Flags& flags);

    bool isSelected(int row, int column) const;
    int selectedCount() const;

    // The hexes a set command writes: the cursor hex while selectionActive is
    // clear, else every selected hex row by row. Only hexes of the cell grid.
    std::vector<HexCoord> targets(int cursorRow, int cursorColumn) const;

private:
    void setFlag(int row, int column, bool on);
    void activate();

    MapDocument& document_;
};

} // namespace maporv
