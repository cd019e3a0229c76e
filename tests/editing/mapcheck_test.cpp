#include "editing/mapcheck.h"
#include "mapdata/hexdirection.h"
#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// A small map to check: the area 8 x 6 unless resized.
struct CheckedMap {
    CheckedMap() { resize(8, 6); }

    void resize(int width, int height) {
        document.width = static_cast<std::uint16_t>(width);
        document.height = static_cast<std::uint16_t>(height);
    }
    HexCell& cell(int row, int column) {
        return document.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    void addRoad(int row, int column, std::uint16_t bits) {
        cell(row, column).roads = static_cast<std::uint16_t>(cell(row, column).roads | bits);
    }
    // Both sides of every road between hexes of the area.
    void joinEveryHex() {
        for (int row = 0; row < document.height; ++row) {
            for (int column = 0; column < document.width; ++column) {
                for (int direction = 0; direction < kHexDirections; ++direction) {
                    const HexCoord next = neighbour({row, column}, direction);
                    if (next.row >= 0 && next.row < document.height && next.column >= 0 &&
                        next.column < document.width) {
                        addRoad(row, column, directionBit(direction));
                        addRoad(next.row, next.column, directionBit(oppositeDirection(direction)));
                    }
                }
            }
        }
    }
    std::vector<std::string> lines(std::optional<PictureSize> picture = std::nullopt) const {
        std::vector<std::string> texts;
        for (const MapProblem& problem : checkMap(document, names, picture)) {
            texts.push_back(problem.text());
        }
        return texts;
    }

    MapDocument document;
    MapNames names;
};

TEST(MapCheck, EveryKindIsFoundAndWrittenColumnFirst) {
    struct Case {
        const char* what;
        std::function<void(CheckedMap&)> make;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"road at an odd column, both ways one-sided",
         [](CheckedMap& m) { m.addRoad(3, 5, 0x01 | 0x08); },
         {"(05,03) one-sided-road: N to (05,02), which has no road S; SE to (06,04), which has "
          "no road NW"}},
        {"road at an even column, seen from its neighbour",
         [](CheckedMap& m) { m.addRoad(2, 4, 0x20); },
         {"(04,02) one-sided-road: SW to (03,02), which has no road NE"}},
        {"roads off the area and off the grid",
         [](CheckedMap& m) {
             m.addRoad(0, 0, 0x01 | 0x80);
             m.addRoad(5, 7, 0x10 | 0x08);
         },
         {"(00,00) road-off-map: N leads off the 40 x 45 grid; NW leads off the 40 x 45 grid",
          "(07,05) road-off-map: SE to (08,06), outside the map's 8 x 6 hexes; S to (07,06), "
          "outside the map's 8 x 6 hexes"}},
        {"bits without a direction and a terrain without a name",
         [](CheckedMap& m) {
             m.addRoad(1, 1, 0x0044);
             m.addRoad(1, 2, 0x8000);
             m.cell(4, 6).terrain = 20;
             m.cell(4, 7).terrain = 19; // the last named code
         },
         {"(01,01) road-without-direction: bits 2, 6 name no direction (roads 0x0044)",
          "(02,01) road-without-direction: bit 15 names no direction (roads 0x8000)",
          "(06,04) unknown-terrain: code 20"}},
        {"hexes outside the area are not checked",
         [](CheckedMap& m) {
             m.addRoad(6, 2, 0x01);
             m.cell(2, 8).terrain = 99;
         },
         {}},
    };
    for (const Case& c : cases) {
        CheckedMap m;
        c.make(m);
        EXPECT_THAT(m.lines(), ElementsAreArray(c.expected)) << c.what;
    }
}

TEST(MapCheck, AConsistentMapIsCleanWhereverItsBordersLie) {
    // Odd and even widths and heights put the borders at both column parities; the
    // full grid's borders are the grid's own.
    for (const auto& [width, height] : {std::pair{8, 6}, {7, 5}, {1, 1}, {2, 40}, {45, 40}}) {
        CheckedMap m;
        m.resize(width, height);
        m.joinEveryHex();
        EXPECT_THAT(m.lines(), IsEmpty()) << width << " x " << height;
        EXPECT_TRUE(roadMendStep(m.document).empty());
    }
}

TEST(MapCheck, TheMendAddsOnlyTheMissingOppositeBits) {
    CheckedMap m;
    m.joinEveryHex();
    m.cell(2, 3).roads &= static_cast<std::uint16_t>(~0x20u); // (2,3) lost its road to (3,2)
    m.cell(4, 4).roads = 0x0004;                              // and (4,4) every road it had
    m.addRoad(5, 7, 0x10);                                    // off the area: left alone
    MapDocument expected = m.document;
    expected.cells[2][3].roads |= 0x20;
    expected.cells[4][4].roads = 0x0004 | 0xBB;

    const EditStep step = roadMendStep(m.document);
    EXPECT_EQ(step.name, "Mend Roads (2 hexes)");
    step.redo(m.document, m.names);
    EXPECT_EQ(m.document.cells, expected.cells);
    EXPECT_THAT(m.lines(),
                ElementsAre("(04,04) road-without-direction: bit 2 names no direction (roads "
                            "0x00BF)",
                            "(07,05) road-off-map: S to (07,06), outside the map's 8 x 6 hexes"));
}

TEST(MapCheck, NamedHexesOutsideTheClampedAreaAreNamed) {
    CheckedMap m;
    m.names.setNameAt(5, 7, m.names.addName("Inside"));
    m.names.setNameAt(39, 44, m.names.addName("Far Point"));
    EXPECT_THAT(m.lines(), ElementsAre("(44,39) name-outside-map: \"Far Point\" lies outside the "
                                       "map's 8 x 6 hexes"));
    m.resize(0, 300); // read as 1 x 40
    EXPECT_THAT(m.lines(),
                ElementsAre("(07,05) name-outside-map: \"Inside\" lies outside the map's 1 x 40 "
                            "hexes",
                            "(44,39) name-outside-map: \"Far Point\" lies outside the map's 1 x "
                            "40 hexes"));
}

TEST(MapCheck, RowsAndColumnsThePictureDoesNotReachAreOneLineEach) {
    CheckedMap m;
    struct Case {
        std::pair<int, int> area;
        PictureSize picture;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {{45, 40},
         {1280, 960},
         {"(30,00) beyond-picture: columns 30..44 lie beyond the picture's 1280 pixels",
          "(00,20) beyond-picture: rows 20..39 lie beyond the picture's 960 pixels"}},
        {{45, 40},
         {1920, 1920},
         {"(44,00) beyond-picture: column 44 lies beyond the picture's 1920 pixels",
          "(00,39) beyond-picture: row 39 lies beyond the picture's 1920 pixels"}},
        {{44, 39}, {1920, 1920}, {}},
    };
    for (const Case& c : cases) {
        m.resize(c.area.first, c.area.second);
        EXPECT_THAT(m.lines(c.picture), ElementsAreArray(c.expected))
            << c.area.first << " x " << c.area.second << " on " << c.picture.width << " x "
            << c.picture.height;
    }
    EXPECT_THAT(m.lines(), IsEmpty()); // without a picture nothing is beyond it
}

} // namespace
} // namespace maporv
