#include "mapdata/hexdirection.h"
#include "mapdata/hexgrid.h"

#include <gtest/gtest.h>
#include <utility>

namespace maporv {
namespace {

using Pair = std::pair<int, int>;
Pair hexOf(const HexPosition& p) {
    return {p.row, p.column};
}
Pair boxOf(const HexPosition& p) {
    return {p.mapX, p.mapY};
}
Pair screenOf(const HexPosition& p) {
    return {p.screenX, p.screenY};
}

// A full-size 800 x 600 view at the screen's corner over a 1800 x 1800 picture:
// maxRow 36, maxColumn 41.
HexGrid fullSizeGrid() {
    HexGrid grid;
    grid.setConstants(kFullSizeGrid);
    grid.viewWidth = 800;
    grid.viewHeight = 600;
    grid.viewRect = {0, 0, 799, 599};
    grid.setMapSize(1800, 1800);
    grid.mapPresent = true;
    grid.maxScrollX = 1000;
    grid.maxScrollY = 1200;
    return grid;
}

TEST(HexGrid, MapSizeEndsOnAnOddColumnAndIsNotCappedAtTheCellGrid) {
    struct Case {
        int width, height;
        Pair maxRowAndColumn;
    } cases[] = {{1800, 1800, {36, 41}}, {1755, 640, {12, 39}}, {1980, 2000, {40, 45}}};
    for (const Case& c : cases) {
        HexGrid grid;
        grid.setMapSize(c.width, c.height);
        EXPECT_EQ(Pair(grid.maxRow, grid.maxColumn), c.maxRowAndColumn) << c.width;
    }
}

TEST(HexGrid, HexToPixelShiftsEvenColumnsUpAndColumnZeroLeftOfThePicture) {
    const HexGrid grid = fullSizeGrid();
    EXPECT_EQ(boxOf(grid.hexToPixel(0, 0)), Pair(-45, -25));
    EXPECT_EQ(boxOf(grid.hexToPixel(0, 1)), Pair(0, 0));
    EXPECT_EQ(boxOf(grid.hexToPixel(3, 2)), Pair(45, 125));
}

TEST(HexGrid, PixelToHexSendsCornerTrianglesToTheLeftNeighbours) {
    // The box is the column box the point fell in, before any corner moved it.
    struct Case {
        int x, y;
        Pair hex, box;
    } cases[] = {
        {100, 30, {0, 3}, {90, 0}},  // inside, clear of the lower-left edge
        {50, 10, {0, 1}, {45, -25}}, // lower-left corner of an even column: same row
        {46, 28, {0, 1}, {45, 25}},  // upper-left corner of an even column: row above
        {91, 45, {1, 2}, {90, 0}},   // lower-left corner of an odd column: row below
        {90, 24, {0, 2}, {90, 0}},   // just above the box's left corner
        {90, 25, {0, 3}, {90, 0}},   // level with it: stays in its column
        {90, 26, {1, 2}, {90, 0}},   // just below it
        {45, 0, {0, 2}, {45, -25}},  // level with an even column's left corner
    };
    const HexGrid grid = fullSizeGrid();
    for (const Case& c : cases) {
        const HexPosition hex = grid.pixelToHex(c.x, c.y);
        EXPECT_EQ(hexOf(hex), c.hex) << c.x << ", " << c.y;
        EXPECT_EQ(boxOf(hex), c.box) << c.x << ", " << c.y;
    }
}

TEST(HexGrid, EveryHexCentreMapsBackToItsHexAtEveryScale) {
    for (const GridConstants& constants : {kFullSizeGrid, kStrategicGrid800x600, kStrategicGrid}) {
        HexGrid grid = fullSizeGrid();
        grid.setConstants(constants);
        grid.originX = 7;
        grid.scrollY = 50;
        for (int row = 0; row <= grid.maxRow; ++row) {
            for (int column = 1; column <= grid.maxColumn; ++column) {
                const HexPosition hex = grid.hexToPixel(row, column);
                ASSERT_EQ(hexOf(grid.pixelToHex(hex.screenX + grid.hexWidth / 2,
                                                hex.screenY + grid.hexHeight / 2)),
                          Pair(row, column))
                    << "column step " << constants.columnStep;
            }
        }
    }
}

TEST(HexGrid, StrategicViewIgnoresTheScrollOffsetInBothConversions) {
    HexGrid grid = fullSizeGrid();
    grid.setConstants(kStrategicGrid);
    grid.fixedView = true;
    grid.originX = 100;
    grid.scrollX = 300;
    grid.scrollY = 200;
    const HexPosition hex = grid.hexToPixel(2, 3);
    EXPECT_EQ(screenOf(hex), Pair(100 + 2 * 17, 2 * 16));
    EXPECT_EQ(hexOf(grid.pixelToHex(hex.screenX + 12, hex.screenY + 8)), Pair(2, 3));
    grid.moveCursor('6');
    EXPECT_EQ(Pair(grid.scrollX, grid.scrollY), Pair(300, 200)); // nor scrolled into view

    // At this scale the lower edge line passes above the left corner, yet a point level
    // with the corner still stays in its column.
    grid.setConstants(kStrategicGrid800x600);
    EXPECT_EQ(hexOf(grid.pixelToHex(100 + 26, 6)), Pair(0, 3));
    EXPECT_EQ(hexOf(grid.pixelToHex(100 + 26, 7)), Pair(1, 2));
}

TEST(HexGrid, MoveCursorUsesTheParityBeforeTheMoveAndBoundsEachAxisAlone) {
    const char keys[] = "12346789";
    struct Case {
        Pair from;
        Pair to[8]; // for each of keys
    } cases[] = {
        {{5, 3}, {{6, 2}, {6, 3}, {6, 4}, {5, 2}, {5, 4}, {5, 2}, {4, 3}, {5, 4}}},
        {{5, 4}, {{5, 3}, {6, 4}, {5, 5}, {5, 3}, {5, 5}, {4, 3}, {4, 4}, {4, 5}}},
        {{0, 0}, {{0, 0}, {1, 0}, {0, 1}, {0, 0}, {0, 1}, {0, 0}, {0, 0}, {0, 1}}},
        {{0, 4}, {{0, 3}, {1, 4}, {0, 5}, {0, 3}, {0, 5}, {0, 3}, {0, 4}, {0, 5}}},
        {{3, 0}, {{3, 0}, {4, 0}, {3, 1}, {3, 0}, {3, 1}, {2, 0}, {2, 0}, {2, 1}}},
        {{36, 3}, {{36, 2}, {36, 3}, {36, 4}, {36, 2}, {36, 4}, {36, 2}, {35, 3}, {36, 4}}},
        {{36, 41},
         {{36, 40}, {36, 41}, {36, 41}, {36, 40}, {36, 41}, {36, 40}, {35, 41}, {36, 41}}},
    };
    for (const Case& c : cases) {
        for (int k = 0; k < 8; ++k) {
            HexGrid grid = fullSizeGrid();
            grid.cursor = grid.hexToPixel(c.from.first, c.from.second);
            EXPECT_TRUE(grid.moveCursor(keys[k]));
            EXPECT_EQ(hexOf(grid.cursor), c.to[k])
                << keys[k] << " from " << c.from.first << ", " << c.from.second;
            // Scrolled into view, with the screen position following the scroll.
            EXPECT_EQ(grid.cursor.screenX, grid.cursor.mapX - grid.scrollX);
            EXPECT_TRUE(grid.hexMayShow(grid.cursor));
        }
    }

    HexGrid grid = fullSizeGrid();
    grid.cursor = {1, 2, 3, 4, 5, 6}; // not recomputed by keys that do not move
    EXPECT_FALSE(grid.moveCursor('5'));
    EXPECT_FALSE(grid.moveCursor('a'));
    EXPECT_EQ(boxOf(grid.cursor), Pair(1, 2));
}

TEST(HexGrid, RoadDirectionsLeadWhereTheKeypadMovesAndBack) {
    // N, NE, SE, S, SW, NW are the keys 8, 9, 3, 2, 1, 7, away from the grid's bounds.
    const char keys[] = "893217";
    for (int row = 1; row < 36; ++row) {
        for (int column = 1; column < 41; ++column) {
            for (int direction = 0; direction < kHexDirections; ++direction) {
                HexGrid grid = fullSizeGrid();
                grid.cursor = grid.hexToPixel(row, column);
                grid.moveCursor(keys[direction]);
                const HexCoord next = neighbour({row, column}, direction);
                EXPECT_EQ(Pair(next.row, next.column), hexOf(grid.cursor))
                    << directionName(direction) << " from " << row << ", " << column;
                EXPECT_EQ(neighbour(next, oppositeDirection(direction)), (HexCoord{row, column}));
            }
        }
    }
}

TEST(HexGrid, ScrollingStaysInBoundsAndANegativeMaximumWins) {
    HexGrid grid = fullSizeGrid();
    grid.scrollDown(1150);
    grid.scrollDown(75);
    grid.scrollLeft(5);
    EXPECT_EQ(Pair(grid.scrollX, grid.scrollY), Pair(0, 1200));

    grid.maxScrollX = -200; // a picture narrower than the view
    for (int scroll : {-50, 100}) {
        grid.scrollX = scroll;
        grid.clampScroll();
        EXPECT_EQ(grid.scrollX, -200);
    }
}

TEST(HexGrid, KeepVisibleAndCentreOn) {
    HexGrid grid = fullSizeGrid();
    grid.keepVisible(900, 1000); // centre (930, 1025): past the right and bottom margins
    EXPECT_EQ(Pair(grid.scrollX, grid.scrollY), Pair(930 - 800 + 70, 1025 - 600 + 70));
    grid.scrollX = grid.scrollY = 500;
    grid.keepVisible(450, 475); // centre (480, 500): inside the left and top margins
    EXPECT_EQ(Pair(grid.scrollX, grid.scrollY), Pair(480 - 70, 500 - 50));
    grid.keepVisible(600, 700); // comfortably inside: nothing moves
    EXPECT_EQ(Pair(grid.scrollX, grid.scrollY), Pair(410, 450));
    grid.keepVisible(-45, -25); // hex (0, 0) stops at the picture's corner
    EXPECT_EQ(Pair(grid.scrollX, grid.scrollY), Pair(0, 0));

    grid.cursor = grid.hexToPixel(10, 11); // box at (450, 500)
    grid.centreOn();
    EXPECT_EQ(Pair(grid.scrollX, grid.scrollY), Pair(450 + 60 - 400, 500 + 50 - 300));
    grid.centreOn(grid.hexToPixel(36, 41));
    EXPECT_EQ(Pair(grid.scrollX, grid.scrollY), Pair(1000, 1200));
}

TEST(HexGrid, HexMayShowWidensTheViewByAHexLessOnePixel) {
    HexGrid grid = fullSizeGrid();
    grid.viewRect = {100, 50, 899, 649}; // widened: x 41..957 (11.. in column 0), y 1..697
    struct Case {
        Pair screen, hex;
        bool shows;
    } cases[] = {
        {{41, 1}, {0, 1}, true},      {{40, 300}, {5, 1}, false},   {{300, 0}, {5, 1}, false},
        {{11, 300}, {5, 0}, true},    {{10, 300}, {5, 0}, false},   {{957, 697}, {5, 1}, true},
        {{958, 300}, {5, 1}, false},  {{300, 698}, {5, 1}, false},  {{300, 300}, {37, 1}, false},
        {{300, 300}, {5, 42}, false}, {{300, 300}, {-1, 1}, false},
    };
    for (const Case& c : cases) {
        const HexPosition hex{0, 0, c.hex.first, c.hex.second, c.screen.first, c.screen.second};
        EXPECT_EQ(grid.hexMayShow(hex), c.shows) << c.screen.first << ", " << c.screen.second;
    }
    const HexPosition farAway = grid.hexToPixel(36, 41);
    EXPECT_FALSE(grid.hexMayShow(farAway));
    grid.fixedView = true;
    EXPECT_TRUE(grid.hexMayShow(farAway));
    grid.mapPresent = false;
    EXPECT_FALSE(grid.hexMayShow(farAway));
}

TEST(HexGrid, PullPointIntoViewStopsAtTheViewOrAtTheHexWhicheverComesFirst) {
    const HexGrid grid = fullSizeGrid(); // view (0, 0) to (799, 599)
    auto pull = [&](int hexX, int hexY, int x, int y) {
        const ScreenPoint p = grid.pullPointIntoView({0, 0, 0, 0, hexX, hexY}, {x, y});
        return Pair(p.x, p.y);
    };
    EXPECT_EQ(pull(780, 580, 809, 604), Pair(799, 599));
    EXPECT_EQ(pull(820, -40, 849, -16), Pair(820, 0)); // hex wholly right of the view
    EXPECT_EQ(pull(-100, -80, -71, -56), Pair(-40, -30));
    EXPECT_EQ(pull(780, 580, 500, 300), Pair(500, 300));
}

} // namespace
} // namespace maporv
