#include "mapdata/hexgrid.h"

#include <algorithm>

namespace maporv {
namespace {

// Column 0 counts as even; so do negative even columns left of the picture.
bool isEven(int column) {
    return column % 2 == 0;
}

} // namespace

void HexGrid::setConstants(const GridConstants& constants) {
    columnStep = constants.columnStep;
    rowStep = constants.rowStep;
    hexWidth = constants.hexWidth;
    hexHeight = constants.hexHeight;
    cornerWidth = constants.cornerWidth;
    halfHeight = constants.halfHeight;
    edgeLimit = constants.edgeLimit;
}

void HexGrid::setMapSize(int width, int height, int rowStepForSize, int columnStepForSize) {
    pictureWidth = width;
    pictureHeight = height;
    maxRow = rowStepForSize > 0 ? height / rowStepForSize : 0;
    maxColumn = columnStepForSize > 0 ? width / columnStepForSize : 0;
    // The grid always ends on an odd column.
    if (isEven(maxColumn)) {
        ++maxColumn;
    }
}

HexPosition HexGrid::hexToPixel(int row, int column) const {
    HexPosition position;
    position.row = row;
    position.column = column;
    // Column 0 lies one step left of the picture's edge.
    position.mapX = (column - 1) * columnStep;
    position.mapY = row * rowStep;
    if (isEven(column)) {
        position.mapY -= rowStep / 2;
    }
    toScreen(position);
    return position;
}

HexPosition HexGrid::pixelToHex(int screenX, int screenY) const {
    if (columnStep <= 0 || rowStep <= 0) {
        // No layout yet: there is no grid to pick from.
        return HexPosition{};
    }
    int x = screenX - originX;
    int y = screenY - originY;
    if (!fixedView) {
        x += scrollX;
        y += scrollY;
    }

    // First find the rectangular column box the point falls in (C++ division truncates
    // toward zero, which is what the grid relies on).
    int column = x / columnStep + 1;
    const bool even = isEven(column);
    int row = even ? (y + rowStep / 2) / rowStep : y / rowStep;
    const int dx = x - (column - 1) * columnStep;
    const int dy = y + (even ? rowStep / 2 : 0) - row * rowStep;

    // The box's left strip holds two corner triangles that belong to the neighbours of
    // the previous column. The line 3 dy + 5 dx = 75 joins the corners (15, 0) and
    // (0, 25) of a full-size hex; the reduced views keep the factors and only change
    // the limit. A point level with the left corner stays in its own column.
    if (dx < cornerWidth) {
        if (dy < halfHeight) {
            if (3 * dy + 5 * dx < edgeLimit) {
                if (even) {
                    row = std::max(row - 1, 0);
                }
                column = std::max(column - 1, 0);
            }
        } else if (dy > halfHeight) {
            if (3 * dy - 5 * dx > edgeLimit) {
                if (!even) {
                    ++row;
                }
                column = std::max(column - 1, 0);
            }
        }
    }

    HexPosition position;
    position.row = row;
    position.column = column;
    position.mapX = x - dx;
    position.mapY = y - dy;
    toScreen(position);
    return position;
}

void HexGrid::pickHex(int screenX, int screenY) {
    cursor = pixelToHex(screenX, screenY);
}

void HexGrid::refreshCursor() {
    cursor = hexToPixel(cursor.row, cursor.column);
}

void HexGrid::toScreen(HexPosition& position) const {
    position.screenX = position.mapX + originX;
    position.screenY = position.mapY + originY;
    if (!fixedView) {
        position.screenX -= scrollX;
        position.screenY -= scrollY;
    }
}

bool HexGrid::inView(int x, int y) const {
    return viewRect.left <= x && x <= viewRect.right && viewRect.top <= y && y <= viewRect.bottom;
}

bool HexGrid::hexMayShow(const HexPosition& position) const {
    if (!mapPresent || position.row < 0 || position.row > maxRow || position.column < 0 ||
        position.column > maxColumn) {
        return false;
    }
    if (fixedView) {
        return true;
    }
    // A hex shows while any of its box overlaps the view; column 0 gets half a hex more
    // room on the left because it starts left of the picture.
    int left = viewRect.left - (hexWidth - 1);
    if (position.column == 0) {
        left -= hexWidth / 2;
    }
    const int right = viewRect.right + (hexWidth - 1);
    const int top = viewRect.top - (hexHeight - 1);
    const int bottom = viewRect.bottom + (hexHeight - 1);
    return left <= position.screenX && position.screenX < right && top <= position.screenY &&
           position.screenY < bottom;
}

ViewRect HexGrid::hexScreenRect(const HexPosition& position) const {
    return ViewRect{position.screenX, position.screenY, position.screenX + hexWidth + 1,
                    position.screenY + hexHeight + 1};
}

ScreenPoint HexGrid::pullPointIntoView(const HexPosition& position, ScreenPoint point) const {
    if (inView(point.x, point.y)) {
        return point;
    }
    // Stepping one pixel at a time towards the view while still on the hex's side of it
    // ends at the nearer of the two limits.
    if (point.x > viewRect.right && point.x > position.screenX) {
        point.x = std::max(viewRect.right, position.screenX);
    }
    if (point.x < viewRect.left && point.x < position.screenX + hexWidth) {
        point.x = std::min(viewRect.left, position.screenX + hexWidth);
    }
    if (point.y > viewRect.bottom && point.y > position.screenY) {
        point.y = std::max(viewRect.bottom, position.screenY);
    }
    if (point.y < viewRect.top && point.y < position.screenY + hexHeight) {
        point.y = std::min(viewRect.top, position.screenY + hexHeight);
    }
    return point;
}

void HexGrid::clampScroll() {
    scrollX = std::max(scrollX, 0);
    scrollY = std::max(scrollY, 0);
    scrollX = std::min(scrollX, maxScrollX);
    scrollY = std::min(scrollY, maxScrollY);
}

void HexGrid::scrollHome() {
    scrollX = 0;
    scrollY = 0;
}

void HexGrid::scrollEnd() {
    scrollX = maxScrollX;
    scrollY = maxScrollY;
}

void HexGrid::scrollUp(int n) {
    scrollY = std::max(scrollY - n, 0);
}

void HexGrid::scrollDown(int n) {
    scrollY = std::min(scrollY + n, maxScrollY);
}

void HexGrid::scrollLeft(int n) {
    scrollX = std::max(scrollX - n, 0);
}

void HexGrid::scrollRight(int n) {
    scrollX = std::min(scrollX + n, maxScrollX);
}

void HexGrid::centreOn(const HexPosition& position) {
    scrollX = position.mapX + hexWidth - viewWidth / 2;
    scrollY = position.mapY + hexHeight - viewHeight / 2;
    clampScroll();
}

void HexGrid::keepVisible(int mapX, int mapY) {
    const int cx = mapX + hexWidth / 2;
    const int cy = mapY + hexHeight / 2;
    // Keep the hex's centre a hex and a margin away from every edge; the bottom margin
    // is wider.
    if (cx < scrollX + hexWidth + 10) {
        scrollX = cx - hexWidth - 10;
    }
    if (cy < scrollY + hexHeight) {
        scrollY = cy - hexHeight;
    }
    if (cx - scrollX > viewWidth - hexWidth - 10) {
        scrollX = cx - viewWidth + hexWidth + 10;
    }
    if (cy - scrollY > viewHeight - hexHeight - 20) {
        scrollY = cy - viewHeight + hexHeight + 20;
    }
    clampScroll();
}

bool HexGrid::moveCursor(char key) {
    int row = cursor.row;
    int column = cursor.column;
    // Moving diagonally changes the row only half the time: from an even column (half a
    // row higher) up-left / up-right move up a row, from an odd one down-left /
    // down-right move down a row. The parity is the column's before the move, and each
    // bound is tested on its own, so a blocked column does not block the row.
    const bool even = isEven(column);
    const bool canUp = row > 0;
    const bool canDown = row < maxRow;
    const bool canLeft = column > 0;
    const bool canRight = column < maxColumn;
    switch (key) {
    case '8':
        row -= canUp ? 1 : 0;
        break;
    case '2':
        row += canDown ? 1 : 0;
        break;
    case '4':
        column -= canLeft ? 1 : 0;
        break;
    case '6':
        column += canRight ? 1 : 0;
        break;
    case '7':
        row -= even && canUp ? 1 : 0;
        column -= canLeft ? 1 : 0;
        break;
    case '9':
        row -= even && canUp ? 1 : 0;
        column += canRight ? 1 : 0;
        break;
    case '1':
        row += !even && canDown ? 1 : 0;
        column -= canLeft ? 1 : 0;
        break;
    case '3':
        row += !even && canDown ? 1 : 0;
        column += canRight ? 1 : 0;
        break;
    default:
        return false;
    }
    cursor.row = row;
    cursor.column = column;
    refreshCursor();
    if (!fixedView) {
        keepVisible(cursor.mapX, cursor.mapY);
        // Scrolling moved the hex on screen.
        refreshCursor();
    }
    return true;
}

} // namespace maporv
