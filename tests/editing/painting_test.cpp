#include "editing/brush.h"
#include "editing/edithistory.h"
#include "editing/hexline.h"
#include "editing/paintstroke.h"
#include "editing/regionfill.h"
#include "editing/roadstroke.h"
#include "mapdata/mapnames.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using ::testing::ElementsAreArray;

using Hexes = std::vector<HexCoord>;

std::string text(const Hexes& hexes) {
    std::string out;
    for (HexCoord hex : hexes) {
        out += "(" + std::to_string(hex.row) + "," + std::to_string(hex.column) + ")";
    }
    return out;
}

TEST(HexLine, IsTheStraightLineOfNeighboursWithinTheArea) {
    struct Case {
        const char* what;
        HexCoord from, to;
        HexExtent area;
        Hexes expected;
    };
    const HexExtent small{10, 8};
    const std::vector<Case> cases = {
        {"neighbours", {5, 4}, {4, 5}, kWholeGrid, {{5, 4}, {4, 5}}},
        {"the same hex", {5, 4}, {5, 4}, kWholeGrid, {{5, 4}}},
        {"a jump down a column", {2, 3}, {5, 3}, kWholeGrid, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},
        {"south-east from an odd column",
         {3, 1},
         {5, 4},
         kWholeGrid,
         {{3, 1}, {4, 2}, {4, 3}, {5, 4}}},
        {"north-east from an even column",
         {5, 0},
         {3, 3},
         kWholeGrid,
         {{5, 0}, {4, 1}, {4, 2}, {3, 3}}},
        {"along the first row, between even columns",
         {0, 0},
         {0, 6},
         kWholeGrid,
         {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {0, 6}}},
        {"along the last row, between odd columns",
         {39, 1},
         {39, 5},
         kWholeGrid,
         {{39, 1}, {39, 2}, {39, 3}, {39, 4}, {39, 5}}},
        {"backwards along the first row",
         {0, 6},
         {0, 2},
         kWholeGrid,
         {{0, 6}, {0, 5}, {0, 4}, {0, 3}, {0, 2}}},
        {"out of the area", {6, 5}, {9, 5}, small, {{6, 5}, {7, 5}}},
        {"in from outside the grid", {3, -3}, {3, 1}, kWholeGrid, {{3, 0}, {3, 1}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text(hexLine(c.from, c.to, c.area)), text(c.expected)) << c.what;
    }
}

TEST(HexLine, EveryLineIsAShortestChainOfNeighbours) {
    // Every pair of a block of even and odd rows and columns, both ways.
    for (int a = 0; a < 64; ++a) {
        for (int b = 0; b < 64; ++b) {
            const HexCoord from{10 + a / 8, 10 + a % 8};
            const HexCoord to{10 + b / 8, 10 + b % 8};
            const Hexes line = hexLine(from, to);
            ASSERT_FALSE(line.empty());
            EXPECT_EQ(line.front(), from);
            EXPECT_EQ(line.back(), to);
            for (std::size_t i = 1; i < line.size(); ++i) {
                ASSERT_GE(neighbourDirection(line[i - 1], line[i]), 0) << text(line);
            }
            EXPECT_EQ(line.size(), hexLine(to, from).size()) << text(line);
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
    std::uint16_t roads(HexCoord hex) { return cell(hex.row, hex.column).roads; }
};

TEST(RoadStroke, JoinsBothSidesOfEveryStep) {
    struct Case {
        const char* what;
        Hexes samples;
        bool remove;
        std::vector<std::pair<HexCoord, std::uint16_t>> expected;
        const char* step;
    };
    const std::vector<Case> cases = {
        {"north-east from an even column",
         {{5, 4}, {4, 5}},
         false,
         {{{5, 4}, 0x02}, {{4, 5}, 0x20}},
         "Draw Road (2 hexes)"},
        {"south-east from an odd column",
         {{3, 5}, {4, 6}},
         false,
         {{{3, 5}, 0x08}, {{4, 6}, 0x80}},
         "Draw Road (2 hexes)"},
        {"a jump is walked and joined hex to hex",
         {{2, 3}, {5, 3}},
         false,
         {{{2, 3}, 0x10}, {{3, 3}, 0x11}, {{4, 3}, 0x11}, {{5, 3}, 0x01}},
         "Draw Road (4 hexes)"},
        {"nothing toward the hexes beyond the area",
         {{6, 5}, {9, 5}, {9, 6}, {6, 6}},
         false,
         {{{6, 5}, 0x10}, {{7, 5}, 0x01}, {{7, 6}, 0x01}, {{6, 6}, 0x10}},
         "Draw Road (4 hexes)"},
        {"back over the road already drawn",
         {{2, 2}, {2, 3}, {2, 2}},
         false,
         {{{2, 2}, 0x08}, {{2, 3}, 0x80}},
         "Draw Road (2 hexes)"},
        {"removal clears both sides and nothing else",
         {{1, 1}, {2, 1}},
         true,
         {{{1, 1}, 0x44}, {{2, 1}, 0x10}},
         "Remove Road (2 hexes)"},
    };
    for (const Case& c : cases) {
        Painted map;
        map.cell(1, 1).roads = 0x44 | 0x10; // stray bits and a road south
        map.cell(2, 1).roads = 0x01 | 0x10; // its other side, and a road on
        RoadStroke stroke(map.document, {10, 8}, c.remove);
        for (HexCoord sample : c.samples) {
            stroke.moveTo(sample);
        }
        for (const auto& [hex, roads] : c.expected) {
            EXPECT_EQ(map.roads(hex), roads) << c.what << " at " << text({hex});
        }
        const EditStep step = stroke.finish();
        EXPECT_EQ(step.name, c.step) << c.what;
    }
}

TEST(RegionFill, TakesTheConnectedHexesOfOneTerrainWithinTheArea) {
    // Forest down column 2 from row 1, broken by a Hill at row 6, and along row 4 on
    // past the area's 10 columns.
    Painted map;
    for (int row = 1; row < 8; ++row) {
        map.cell(row, 2).terrain = 3;
    }
    map.cell(6, 2).terrain = 5;
    for (int column = 2; column < 12; ++column) {
        map.cell(4, column).terrain = 3;
    }
    const Hexes row4 = {{4, 2}, {4, 3}, {4, 4}, {4, 5}, {4, 6}, {4, 7}, {4, 8}, {4, 9}};
    Hexes forest = {{1, 2}, {2, 2}, {3, 2}};
    forest.insert(forest.end(), row4.begin(), row4.end());
    forest.push_back({5, 2});
    struct Case {
        const char* what;
        HexCoord start;
        Hexes expected;
    };
    const std::vector<Case> cases = {
        {"forest, cut by the hill and the area's edge", {3, 2}, forest},
        {"the hill alone", {6, 2}, {{6, 2}}},
        {"a start outside the area", {4, 10}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(text(connectedRegion(map.document, c.start, {10, 8})), text(c.expected))
            << c.what;
    }
    // Clear around the forest: a 3 x 3 area but its two Forest hexes.
    EXPECT_EQ(connectedRegion(map.document, {0, 0}, {3, 3}).size(), 7u);

    map.cell(1, 2).roads = 0x11;
    const EditStep keepRoads = regionFillStep(map.document, forest, 3, std::nullopt);
    EXPECT_EQ(keepRoads.name, "Fill Region (0 hexes)");
    const EditStep withRoads = regionFillStep(map.document, forest, 4, 0x00);
    EXPECT_EQ(withRoads.name, "Fill Region (12 hexes)");
    EXPECT_EQ(withRoads.cells[0].after, (HexCell{4, 0, 0, 0, 0}));

    EXPECT_EQ(fillQuestion(1234, 3), "Fill 1,234 hexes with Forest?");
    EXPECT_EQ(fillQuestion(601, 19), "Fill 601 hexes with Lake region?");
    EXPECT_EQ(fillQuestion(1234567, 25), "Fill 1,234,567 hexes with terrain 25?");
}

TEST(PaintStroke, ShowsWhileDraggingAndIsOneUndoStep) {
    Painted map;
    map.cell(3, 3) = {5, 0x04, 7, 0, 0};
    map.document.loaded = true;
    const Brush brush{3, 0x12, 0};

    map.history.reconcile();
    PaintStroke stroke(map.document, kWholeGrid, brush, &map.history.handSet);
    // A selection active at the press: its hexes are set, the pressed one is not.
    stroke.press({{0, 0}, {0, 1}}, {3, 0});
    EXPECT_EQ(map.cell(3, 0).terrain, 0);
    stroke.moveTo({3, 3}); // a fast move: (3,1), (3,2) and (3,3) on the way
    EXPECT_EQ(map.cell(3, 3), (HexCell{3, 0x12, 7, 0, 0}));
    stroke.moveTo({3, 1});
    stroke.moveTo({3, 1});
    EXPECT_FALSE(map.document.modified);

    EXPECT_TRUE(map.history.record(stroke.finish()));
    EXPECT_EQ(map.history.size(), 1u);
    EXPECT_EQ(map.history.undoName(), "Set Data (5 hexes)");
    EXPECT_TRUE(map.document.modified);
    EXPECT_TRUE(map.history.handSet.setByHand(map.document, 3, 2));

    EXPECT_TRUE(map.history.undo());
    EXPECT_EQ(map.cell(3, 3), (HexCell{5, 0x04, 7, 0, 0}));
    EXPECT_EQ(map.cell(3, 1), HexCell{});
    EXPECT_FALSE(map.document.modified);
}

} // namespace
} // namespace maporv
