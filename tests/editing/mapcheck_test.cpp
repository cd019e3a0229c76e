#include "editing/mapcheck.h"
#include "mapdata/hexdirection.h"
#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"
#include "scripteduserinterface.h"

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
         {"(00,00) road-off-map: N leads off the 45 x 40 grid; NW leads off the 45 x 40 grid",
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

TEST(MapCheck, FileSizesAndNamesOutsideTheGridAreFound) {
    for (const std::size_t bytes : {0, 8000, 20000}) {
        EXPECT_EQ(checkFileSize(bytes)->text(),
                  "file-size: " + std::to_string(bytes) + " bytes, a map has 14371");
    }
    EXPECT_FALSE(checkFileSize(kMapFileSize));

    // Lines the list cannot hold, and one it holds outside the picture's 30 x 20.
    CheckedMap m;
    m.resize(30, 20);
    test::ScriptedUserInterface ui;
    m.names.readNamesText("header\n(45,05) #East\n(05,40) #South\n(-1,02) #West\n"
                          "(29,19) #Corner\n(30,12) #Edge\n",
                          "X.TXT", ui);
    EXPECT_THAT(m.lines(PictureSize{1280, 960}),
                ElementsAre("(-1,02) name-outside-map: \"West\" lies outside the 45 x 40 grid",
                            "(45,05) name-outside-map: \"East\" lies outside the 45 x 40 grid",
                            "(30,12) name-outside-map: \"Edge\" lies outside the map's 30 x 20 "
                            "hexes",
                            "(05,40) name-outside-map: \"South\" lies outside the 45 x 40 grid"));
}

TEST(MapCheck, ThePictureGivesTheAreaAndAHeaderThatDiffersIsOneLine) {
    // A road at (15,09), inside the reach of a 640 x 480 picture, outside a 14 x 9 header.
    constexpr const char* kRoad = "(15,09) one-sided-road: NW to (14,09), which has no road SE";
    struct Case {
        std::pair<int, int> header;
        std::optional<PictureSize> picture;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {{14, 9},
         PictureSize{640, 480},
         {"header-size: the header says 14 x 9 hexes, the picture holds 16 x 10", kRoad}},
        {{0, 0},
         PictureSize{1920, 1920},
         {"header-size: the header says 0 x 0 hexes, the picture holds 44 x 39", kRoad}},
        {{45, 40}, PictureSize{2000, 2100}, {kRoad}},
        {{14, 9}, std::nullopt, {}}, // without a picture the header's area
    };
    for (const Case& c : cases) {
        CheckedMap m;
        m.resize(c.header.first, c.header.second);
        m.addRoad(9, 15, 0x80);
        EXPECT_THAT(m.lines(c.picture), ElementsAreArray(c.expected))
            << c.header.first << " x " << c.header.second;
    }
}

} // namespace
} // namespace maporv
