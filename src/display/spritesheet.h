#pragma once

#include "display/surfaceimage.h"

#include <vector>

namespace maporv {

// One strip of equally sized cells in a sheet's bitmap.
struct SheetRow {
    int originX = 0; // top-left of the strip's first cell
    int originY = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    int stepX = 0; // from one cell to the next
    int stepY = 0;
    int cellCount = 0;
};

// Strips of equally sized cells: terrain icons and labels, road marks, hex outlines.
// The strips lie one below the other with their cells running left to right, or in a
// vertical sheet side by side with the cells running top to bottom.
class SpriteSheet : public SurfaceImage {
public:
    // With a count of 1 or more, count fresh rows replace the old ones. currentRow
    // becomes 0.
    void SetRowCount(int count, bool isVertical);
    // Rows must be defined in increasing order: each starts after the earlier ones.
    void DefineRow(int row, int cellCount, int cellWidth, int cellHeight);
    void SetCurrentRow(int row) { currentRow_ = row; }

    // sourceRect = cell n of the current row, then DrawAt(x, y).
    Status DrawCell(int n, int x, int y);
    // As DrawCell, but what falls outside placeRect is cut off; a cell wholly outside
    // draws nothing.
    Status DrawCellClipped(int n, int x, int y);

    int rowCount() const { return static_cast<int>(rows_.size()); }
    const SheetRow& row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
    int currentRow() const { return currentRow_; }
    bool vertical() const { return vertical_; }

    // The source rectangle of cell n of the current row; the index is not checked
    // against the row's cell count. False when there is no current row.
    bool cellRect(int n, Rect& cell) const;

private:
    std::vector<SheetRow> rows_;
    int currentRow_ = 0;
    bool vertical_ = false;
};

} // namespace maporv
