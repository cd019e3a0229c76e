#include "editing/brush.h"
#include "editing/edithistory.h"
#include "editing/paintstroke.h"
#include "editing/regionfill.h"
#include "editing/roadstroke.h"
#include "mapdata/mapnames.h"
#include "mapdata/textformat.h"

#include <gtest/gtest.h>

namespace maporv {
namespace {

using Hexes = std::vector<HexCoord>;

std::string text(const Hexes& hexes) {
    std::string out;
    for (HexCoord hex : hexes) {
        out += strprintf("(%d,%d)", hex.row, hex.column);
    }
    return out;
}

TEST(HexLine, IsTheStraightLineOfNeighboursWithinTheArea) {
    struct Case {
        const char* what;
        HexCoord from, to;
        HexExtent area;
        const char* expected;
    };
    const HexExtent all = kWholeGrid;
    const std::vector<Case> cases = {
        {"neighbours", {5, 4}, {4, 5}, all, "(5,4)(4,5)"},
        {"a jump down a column", {2, 3}, {5, 3}, all, "(2,3)(3,3)(4,3)(5,3)"},
        {"south-east from an odd column", {3, 1}, {5, 4}, all, "(3,1)(4,2)(4,3)(5,4)"},
        {"north-east from an even column", {5, 0}, {3, 3}, all, "(5,0)(4,1)(4,2)(3,3)"},
        {"along the first row", {0, 0}, {0, 4}, all, "(0,0)(0,1)(0,2)(0,3)(0,4)"},
        {"along the last row", {39, 1}, {39, 5}, all, "(39,1)(39,2)(39,3)(39,4)(39,5)"},
        {"out of the area", {6, 5}, {9, 5}, {10, 8}, "(6,5)(7,5)"},
        {"in from outside the grid", {3, -3}, {3, 1}, all, "(3,0)(3,1)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text(hexLine(c.from, c.to, c.area)), c.expected) << c.what;
    }
}

TEST(HexLine, EveryLineIsAChainOfNeighboursAsLongBothWays) {
    // Every pair of an 8 x 8 block of even and odd rows and columns.
    for (int pair = 0; pair < 64 * 64; ++pair) {
        const HexCoord from{10 + pair / 512, 10 + pair / 64 % 8};
        const HexCoord to{10 + pair % 64 / 8, 10 + pair % 8};
        const Hexes line = hexLine(from, to);
        ASSERT_TRUE(!line.empty() && line.front() == from && line.back() == to) << text(line);
        EXPECT_EQ(line.size(), hexLine(to, from).size()) << text(line);
        for (std::size_t i = 1; i < line.size(); ++i) {
            ASSERT_GE(neighbourDirection(line[i - 1], line[i]), 0) << text(line);
        }
    }
}

struct Painted {
    MapDocument document;
    MapNames names;
    EditHistory history{document, names};

    HexCell& cell(int row, int column) {
        return document.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    // The road words of the first 10 x 10 hexes that have roads, row by row.
    std::string roads() {
        std::string out;
        for (int row = 0; row < 10; ++row) {
            for (int column = 0; column < 10; ++column) {
                if (cell(row, column).roads != 0) {
                    out += strprintf("(%d,%d)%02X ", row, column, cell(row, column).roads);
                }
            }
        }
        return out;
    }
};

TEST(RoadStroke, JoinsBothSidesOfEveryStep) {
    struct Case {
        Hexes samples;
        bool remove;
        const char* roads;
        const char* step;
    };
    const std::vector<Case> cases = {
        {{{5, 4}, {4, 5}}, false, "(4,5)20 (5,4)02 ", "Draw Road (2 hexes)"},
        {{{3, 5}, {4, 6}}, false, "(3,5)08 (4,6)80 ", "Draw Road (2 hexes)"},
        // A jump: the hexes between are walked and joined.
        {{{2, 3}, {5, 3}}, false, "(2,3)10 (3,3)11 (4,3)11 (5,3)01 ", "Draw Road (4 hexes)"},
        // Out of the 10 x 8 area and back: nothing toward or across the outside.
        {{{6, 5}, {9, 5}, {9, 6}, {6, 6}},
         false,
         "(6,5)10 (6,6)10 (7,5)01 (7,6)01 ",
         "Draw Road (4 hexes)"},
        {{{2, 2}, {2, 3}, {2, 2}}, false, "(2,2)08 (2,3)80 ", "Draw Road (2 hexes)"},
        // Before: (1,1) has stray bits and roads S and N, (2,1) its side of the first.
        {{{1, 1}, {2, 1}}, true, "(1,1)45 ", "Remove Road (2 hexes)"},
    };
    for (const Case& c : cases) {
        Painted map;
        if (c.remove) {
            map.cell(1, 1).roads = 0x44 | 0x10 | 0x01;
            map.cell(2, 1).roads = 0x01;
        }
        RoadStroke stroke(map.document, {10, 8}, c.remove);
        for (HexCoord sample : c.samples) {
            stroke.moveTo(sample);
        }
        EXPECT_EQ(map.roads(), c.roads);
        EXPECT_EQ(stroke.finish().name, c.step) << c.roads;
    }
}

TEST(RegionFill, TakesTheConnectedHexesOfOneTerrainWithinTheArea) {
    // Forest down column 2, broken by a Hill at row 6, and along row 4 on past the
    // area's 10 columns.
    Painted map;
    for (int i = 1; i < 12; ++i) {
        map.cell(std::min(i, 7), 2).terrain = 3; // rows 1..7
        map.cell(4, i).terrain = 3;              // columns 1..11
    }
    map.cell(6, 2).terrain = 5;
    const char* forest = "(1,2)(2,2)(3,2)(4,1)(4,2)(4,3)(4,4)(4,5)(4,6)(4,7)(4,8)(4,9)(5,2)";
    EXPECT_EQ(text(connectedRegion(map.document, {3, 2}, {10, 8})), forest);
    EXPECT_EQ(text(connectedRegion(map.document, {4, 10}, {10, 8})), "");
    // Clear around the forest: a 3 x 3 area but its two Forest hexes.
    EXPECT_EQ(connectedRegion(map.document, {0, 0}, {3, 3}).size(), 7u);

    map.cell(1, 2).roads = 0x11;
    const Hexes hexes = connectedRegion(map.document, {3, 2}, {10, 8});
    EXPECT_EQ(regionFillStep(map.document, hexes, 3, std::nullopt).name, "Fill Region (0 hexes)");
    const EditStep withRoads = regionFillStep(map.document, hexes, 4, 0x00);
    EXPECT_EQ(withRoads.name, "Fill Region (13 hexes)");
    EXPECT_EQ(withRoads.cells[0].after, (HexCell{4, 0, 0, 0, 0}));

    EXPECT_EQ(fillQuestion(1234, 3), "Fill 1,234 hexes with Forest?");
    EXPECT_EQ(fillQuestion(1234567, 25), "Fill 1,234,567 hexes with terrain 25?");
}

TEST(PaintStroke, ShowsWhileDraggingAndIsOneUndoStep) {
    Painted map;
    map.cell(3, 3) = {5, 0x04, 7, 0, 0};
    const Brush brush{3, 0x12, 0};

    map.history.reconcile();
    PaintStroke stroke(map.document, kWholeGrid, brush, &map.history.handSet);
    // A selection active at the press: its hexes are set, the pressed one is not.
    stroke.press({{0, 0}, {0, 1}}, {3, 0});
    EXPECT_EQ(map.cell(3, 0).terrain, 0);
    stroke.moveTo({3, 3}); // a fast move: (3,1), (3,2) and (3,3) on the way
    EXPECT_EQ(map.cell(3, 3), (HexCell{3, 0x12, 7, 0, 0}));
    stroke.moveTo({3, 1});
    EXPECT_FALSE(map.document.modified);

    EXPECT_TRUE(map.history.record(stroke.finish()));
    EXPECT_EQ(map.history.size(), 1u);
    EXPECT_EQ(map.history.undoName(), "Set Data (5 hexes)");
    EXPECT_TRUE(map.document.modified);
    EXPECT_TRUE(map.history.handSet.setByHand(map.document, 3, 2));

    EXPECT_TRUE(map.history.undo());
    EXPECT_EQ(map.cell(3, 3), (HexCell{5, 0x04, 7, 0, 0}));
    EXPECT_FALSE(map.document.modified);
}

} // namespace
} // namespace maporv
