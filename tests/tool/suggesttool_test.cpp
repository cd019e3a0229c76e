#include "mapdata/hexgrid.h"
#include "mapdata/mapdocument.h"
#include "picture/mappicture.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"
#include "toolrun.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace maporv::tool {
namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 960;
// Rows 0..19 and columns 0..29 cover the picture.
constexpr int kRows = 20;
constexpr int kColumns = 30;

// The terrain of a hex: sea in the west with a sandy shore, a mountain range across
// the north-east with hills below it, two woods, fields everywhere else.
int terrainOf(int row, int column) {
    const int coast = 6 + (row * 7 % 5) / 2;
    if (column < coast) {
        return 9;
    }
    if (column == coast) {
        return 7;
    }
    if (row + column / 3 < 8 && column > 14) {
        return 6;
    }
    if (row + column / 3 < 10 && column > 14) {
        return 5;
    }
    if ((row - 13) * (row - 13) + (column - 12) * (column - 12) < 10 ||
        (row - 15) * (row - 15) + (column - 24) * (column - 24) < 8) {
        return 3;
    }
    return 0;
}

// A number from -1 to 1 that looks random but is the same on every run.
double grain(int x, int y) {
    unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<double>((h ^ (h >> 16)) & 0xFFFF) / 32767.5 - 1.0;
}

// Each terrain its own texture: waves, sand grain, blotchy canopy, rocky peaks,
// brown slopes, striped fields.
test::Rgb terrainColour(int terrain, int x, int y) {
    double r = 0, g = 0, b = 0, shade = 0;
    switch (terrain) {
    case 9:
        r = 40, g = 90, b = 170, shade = 14 * std::sin(x / 5.0 + y / 11.0);
        break;
    case 7:
        r = 225, g = 205, b = 150, shade = 12 * grain(x, y);
        break;
    case 3:
        r = 40, g = 95, b = 40, shade = 30 * grain(x / 4, y / 4) + 10 * grain(x, y);
        break;
    case 6:
        r = 140, g = 130, b = 120, shade = 60 * grain(x / 3, y / 3);
        break;
    case 5:
        r = 175, g = 150, b = 100, shade = 20 * grain(x / 6, y / 6);
        break;
    default:
        r = 150, g = 190, b = 90, shade = (x + y) % 9 < 2 ? -18 : 6 * grain(x, y);
        break;
    }
    const auto channel = [shade](double value) {
        return static_cast<int>(std::clamp(value + shade, 0.0, 255.0));
    };
    return {channel(r), channel(g), channel(b)};
}

// A game folder with map 7 (T.MAP) and its picture, each pixel painted after the
// terrain of the hex a click on it would choose. Every hex also carries roads and
// extra bytes, and the header and trailer hold bytes of their own, which suggesting
// must leave alone.
class SuggestTool : public testing::Test {
protected:
    SuggestTool() {
        MapPicture picture(ui);
        HexGrid grid;
        grid.setConstants(kFullSizeGrid);
        test::paintPicture(picture, kWidth, kHeight, [&grid](int x, int y) {
            const HexPosition hex = grid.pixelToHex(x, y);
            return terrainColour(terrainOf(hex.row, hex.column), x, y);
        });
        temp.makeFolder("MAP");
        EXPECT_TRUE(picture.writeS16Tiles(temp.path() + "MAP/MAP07"));

        truth.mapNumber = 7;
        truth.width = 45;
        truth.height = 40;
        truth.headerExtra = {1, 2, 3, 4};
        truth.trailer.fill(0x5A);
        for (int row = 0; row < kMapRows; ++row) {
            for (int column = 0; column < kMapColumns; ++column) {
                truth.cells[row][column] = {static_cast<std::uint16_t>(terrainOf(row, column)),
                                            static_cast<std::uint16_t>(row * 3 + column), 7, 8,
                                            static_cast<std::uint8_t>(column)};
            }
        }
        map = temp.write("SCENARIO/T.MAP", truth.toBytes());
    }

    // How many hexes of the picture have the terrain the truth gives them.
    int agreeing(const MapDocument& document) const {
        int count = 0;
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                count += document.cells[row][column].terrain == truth.cells[row][column].terrain;
            }
        }
        return count;
    }

    MapDocument read(const std::string& relative) const {
        MapDocument document;
        document.fromBytes(temp.read(relative));
        return document;
    }

    test::ScriptedUserInterface ui;
    test::TempFolder temp;
    MapDocument truth;
    std::string map;
};

TEST_F(SuggestTool, EvaluatesOnHiddenHexesAndWritesNothing) {
    const ToolResult result = runToolForTest({"suggest-terrain", map, "--evaluate", "50"});
    ASSERT_EQ(result.status, 0) << result.err;
    double accuracy = 0;
    int correct = 0;
    int hidden = 0;
    ASSERT_EQ(std::sscanf(result.out.c_str(), "accuracy: %lf (%d of %d hexes)\n", &accuracy,
                          &correct, &hidden),
              3)
        << result.out;
    EXPECT_GE(accuracy, 0.95) << result.out;
    EXPECT_NEAR(hidden, 600 / 2, 20); // half of the hexes the picture covers
    for (const char* line : {"\nterrain 0 Clear: recall ", "\nterrain 3 Forest: recall ",
                             "\nterrain 5 Hill: recall ", "\nterrain 6 Mountain: recall ",
                             "\nterrain 7 Sand: recall ", "\nterrain 9 Ocean: recall "}) {
        EXPECT_NE(result.out.find(line), std::string::npos) << line;
    }
    EXPECT_NE(result.out.find(", most confused with "), std::string::npos);
    EXPECT_EQ(temp.read("SCENARIO/T.MAP"), truth.toBytes());
    // The same hexes are hidden every time.
    EXPECT_EQ(runToolForTest({"suggest-terrain", map, "--evaluate", "50"}).out, result.out);
}

TEST_F(SuggestTool, ARegionIsSuggestedFromTheRestAndOnlyTerrainChanges) {
    MapDocument blank = truth;
    for (int row = 2; row <= 8; ++row) {
        for (int column = 4; column <= 20; ++column) {
            blank.cells[row][column].terrain = 0;
        }
    }
    temp.write("SCENARIO/BLANK.MAP", blank.toBytes());
    const ToolResult result =
        runToolForTest({"suggest-terrain", temp.path() + "SCENARIO/BLANK.MAP", "--region",
                        "4,2:20,8", "-o", temp.path() + "OUT.MAP"});
    ASSERT_EQ(result.status, 0) << result.err;
    int suggested = 0;
    int left = 0;
    ASSERT_EQ(std::sscanf(result.out.c_str(),
                          "region 4,2:20,8: 119 hexes\nsuggested: %d\nleft as they were: %d\n",
                          &suggested, &left),
              2)
        << result.out;
    EXPECT_EQ(suggested + left, 17 * 7);
    EXPECT_NE(result.out.find("\nterrain 9 Ocean: "), std::string::npos);

    const std::string out = temp.read("OUT.MAP");
    const MapDocument suggestedMap = read("OUT.MAP");
    EXPECT_GE(agreeing(suggestedMap), kRows * kColumns - 6);
    // Every byte as it was but the terrain codes of the region.
    MapDocument expected = blank;
    for (int row = 2; row <= 8; ++row) {
        for (int column = 4; column <= 20; ++column) {
            expected.cells[row][column].terrain = suggestedMap.cells[row][column].terrain;
        }
    }
    EXPECT_EQ(out, expected.toBytes());
}

TEST_F(SuggestTool, ANewMapLearnsFromAnotherOneAndRefusals) {
    MapDocument fresh;
    fresh.mapNumber = 7;
    temp.write("SCENARIO/NEW.MAP", fresh.toBytes());
    const std::string newMap = temp.path() + "SCENARIO/NEW.MAP";
    // Alone, a new map has nothing to learn from.
    const ToolResult alone = runToolForTest({"suggest-terrain", newMap});
    EXPECT_EQ(alone.status, 1);
    EXPECT_NE(alone.err.find("Fewer than two terrains"), std::string::npos);

    const ToolResult trained = runToolForTest({"suggest-terrain", newMap, "--train", map});
    ASSERT_EQ(trained.status, 0) << trained.err;
    EXPECT_GE(agreeing(read("SCENARIO/NEW.MAP")), kRows * kColumns - 10);

    // The same map with a few hexes of every terrain set by hand, Clear included: they
    // teach, the other hexes are suggested.
    std::vector<std::string> args{"suggest-terrain", newMap};
    for (const char* block : {"0,0:2,1", "7,3:7,9", "16,0:18,1", "16,5:18,5", "10,12:12,14",
                              "12,4:13,6", "20,16:21,17"}) {
        args.insert(args.end(), {"--teach", block});
    }
    fresh = {};
    fresh.mapNumber = 7;
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            fresh.cells[row][column].terrain = truth.cells[row][column].terrain;
        }
    }
    temp.write("SCENARIO/NEW.MAP", fresh.toBytes());
    const ToolResult taught = runToolForTest(args);
    ASSERT_EQ(taught.status, 0) << taught.err;
    EXPECT_NE(taught.out.find("teach 12,4:13,6: 6 hexes\n"), std::string::npos) << taught.out;
    EXPECT_GE(agreeing(read("SCENARIO/NEW.MAP")), kRows * kColumns - 10);
}

TEST_F(SuggestTool, OnlyTheChangedTerrainWordsAreWrittenIntoTheFilesOwnBytes) {
    // A header the reader clamps (0 x 0) and bytes past the map stay as they are.
    MapDocument odd = truth;
    odd.width = 0;
    odd.height = 0;
    for (int column = 4; column <= 20; ++column) {
        odd.cells[2][column].terrain = 0;
    }
    const std::string original = odd.toBytes() + "tail";
    const std::string file = temp.write("SCENARIO/ODD.MAP", original);
    const auto written = [&] { return std::filesystem::last_write_time(file); };
    std::filesystem::last_write_time(file, written() - std::chrono::hours(1));
    const auto before = written();

    // Every hex keeps its terrain: nothing is written.
    const ToolResult same = runToolForTest({"suggest-terrain", file, "--region", "0,0:0,0"});
    ASSERT_EQ(same.status, 0) << same.err;
    EXPECT_NE(same.out.find("changed: 0\n"), std::string::npos) << same.out;
    EXPECT_EQ(written(), before);
    EXPECT_EQ(temp.read("SCENARIO/ODD.MAP"), original);

    const ToolResult filled = runToolForTest({"suggest-terrain", file});
    ASSERT_EQ(filled.status, 0) << filled.err;
    std::string expected = original;
    const std::string now = temp.read("SCENARIO/ODD.MAP");
    ASSERT_EQ(now.size(), original.size());
    int changed = 0;
    for (int column = 4; column <= 20; ++column) {
        const std::size_t at = 10 + (2 * kMapColumns + column) * kHexCellFileSize;
        expected[at] = now[at];
        changed += now[at] != original[at] ? 1 : 0;
    }
    EXPECT_GE(changed, 9); // of the 11 hexes not Clear
    EXPECT_EQ(now, expected);
}

TEST_F(SuggestTool, SaysWhatItUsedAndRefusesWhatCannotBeMeant) {
    MapDocument one;
    one.mapNumber = 7;
    const std::string allClear = temp.write("SCENARIO/CLEAR.MAP", one.toBytes());
    const std::string missing = temp.path() + "gone/NOWHERE.MAP";
    const std::string out = temp.path() + "OUT.MAP";
    const std::vector<ToolCase> cases = {
        {{map, "--train", missing}, 1, "Map file [" + missing + "]"},
        {{map, "--train", "-o", out}, 2, "--train needs a value, not -o"},
        {{allClear, "--evaluate", "50"}, 1, "Fewer than two terrains to learn from (1)"},
        {{allClear, "--evaluate-new", "5"}, 1, "Fewer than two terrains to learn from (1)"},
        {{map, "--region", "44,39:44,39"}, 1, "holds no hex of the map area"},
        {{map, "--teach", "40,0:44,3"}, 1, "holds no hex of the map area"},
        {{map, "--region", "0,0:1,1", "--region", "28,18:31,19", "-o", out},
         0,
         "region 0,0:1,1: 4 hexes\nregion 28,18:31,19: 4 hexes (4 beyond the picture left "
         "alone)\n"},
        {{map, "--train", map, "-o", out}, 0, "\nchanged: 0\n"},
        {{map, "--region", "4,2:45,8"}, 2, "not 4,2:45,8"},
        {{map, "--evaluate", "0"}, 2, "PERCENT of 1..99"},
        {{map, "--evaluate", "5", "--evaluate-new", "5"}, 2, "go alone"},
        {{map, "--evaluate-new", "5", "--teach", "0,0:1,1"}, 2, "take no --region"},
        {{map, "--evaluate", "50", "-o", out}, 2, "take no --region"},
        {{map, "-o", out, "-o", out}, 2, "-o is given twice"},
        {{map, allClear}, 2, "one MAPFILE only"},
    };
    expectToolCases("suggest-terrain", cases);
    EXPECT_EQ(temp.read("SCENARIO/T.MAP"), truth.toBytes());
}

} // namespace
} // namespace maporv::tool
