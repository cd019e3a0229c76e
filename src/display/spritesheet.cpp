#include "display/spritesheet.h"

namespace maporv {

void SpriteSheet::SetRowCount(int count, bool isVertical) {
    vertical_ = isVertical;
    if (count >= 1) {
        rows_.assign(static_cast<std::size_t>(count), SheetRow{});
    }
    currentRow_ = 0;
}

void SpriteSheet::DefineRow(int row, int cellCount, int cellWidth, int cellHeight) {
    if (row < 0 || row >= rowCount()) {
        return;
    }
    SheetRow& r = rows_[static_cast<std::size_t>(row)];
    r.cellCount = cellCount;
    r.cellWidth = cellWidth;
    r.cellHeight = cellHeight;
    r.stepX = cellWidth;
    r.stepY = cellHeight;
    int offset = 0;
    for (int i = 0; i < row; ++i) {
        const SheetRow& earlier = rows_[static_cast<std::size_t>(i)];
        offset += vertical_ ? earlier.cellWidth : earlier.cellHeight;
    }
    r.originX = vertical_ ? offset : 0;
    r.originY = vertical_ ? 0 : offset;
}

bool SpriteSheet::cellRect(int n, Rect& cell) const {
    if (currentRow_ < 0 || currentRow_ >= rowCount()) {
        return false;
    }
    const SheetRow& r = rows_[static_cast<std::size_t>(currentRow_)];
    cell = Rect::fromSize(r.originX, r.originY, r.cellWidth, r.cellHeight);
    cell = vertical_ ? cell.translated(0, n * r.stepY) : cell.translated(n * r.stepX, 0);
    return true;
}

Status SpriteSheet::DrawCell(int n, int x, int y) {
    if (!cellRect(n, sourceRect)) {
        return kFail;
    }
    return DrawAt(x, y);
}

Status SpriteSheet::DrawCellClipped(int n, int x, int y) {
    Rect source;
    if (!cellRect(n, source)) {
        return kFail;
    }
    const Rect& clip = placeRect;
    const Rect destination = Rect::fromSize(x, y, source.width(), source.height());
    if (destination.left < clip.left) {
        source.left += clip.left - destination.left;
        x = clip.left;
    }
    if (destination.right > clip.right) {
        source.right -= destination.right - clip.right;
    }
    if (destination.top < clip.top) {
        source.top += clip.top - destination.top;
        y = clip.top;
    }
    if (destination.bottom > clip.bottom) {
        source.bottom -= destination.bottom - clip.bottom;
    }
    // A cell wholly outside leaves an empty or inverted source, which the copy refuses.
    sourceRect = source;
    return DrawAt(x, y);
}

} // namespace maporv
