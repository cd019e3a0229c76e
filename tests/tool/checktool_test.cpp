#include "mapdata/mapdocument.h"
#include "mapdata/paths.h"
#include "picturefiles.h"
#include "tempfolder.h"
#include "toolrun.h"

#include <gtest/gtest.h>

namespace maporv::tool {
namespace {

const auto run = runToolForTest;

// Map 7 of 20 x 10 hexes: a road from (row 3, column 4) north whose other side is
// missing, a road from (5, 9) south-east that the neighbour answers, and terrain 25.
MapDocument roadMap() {
    MapDocument document;
    document.mapNumber = 7;
    document.width = 20;
    document.height = 10;
    document.cells[3][4].roads = 0x01;
    document.cells[5][9].roads = 0x08;
    document.cells[6][10].roads = 0x80;
    document.cells[8][2] = {25, 0, 1, 2, 3};
    return document;
}

// The game folder G with the map and, beside its picture, a names file naming a hex
// below the area.
class CheckTool : public testing::Test {
protected:
    void SetUp() override {
        file = temp.write("G/SCENARIO/R.MAP", roadMap().toBytes());
        temp.write("G/MAP/MAP007.TXT", "[MAP:  7] [R                   ]\n"
                                       "--------------------------------\n"
                                       "(04,12) #Low Ford\n");
    }

    test::TempFolder temp;
    std::string file;
};

constexpr const char* kOneSided = "(04,03) one-sided-road: N to (04,02), which has no road S\n";
constexpr const char* kTerrain = "(02,08) unknown-terrain: code 25\n";
constexpr const char* kName =
    "(04,12) name-outside-map: \"Low Ford\" lies outside the map's 20 x 10 hexes\n";

TEST_F(CheckTool, PrintsOneLinePerProblemByRowThenCountsThem) {
    const ToolResult found = run({"check", file});
    EXPECT_EQ(found.status, 1);
    EXPECT_EQ(found.err, "");
    EXPECT_EQ(found.out,
              "note: the picture [" + temp.path() +
                  "G/MAP/MAP0700.s16] was not read: the map's area is taken from the header (20 x "
                  "10 hexes), which is not checked against the picture\n" +
                  kOneSided + kTerrain + kName + "problems: 3\n");

    // Another names file; the picture, once found, reaches 12 columns and 9 rows.
    const std::string names =
        temp.write("other.txt", "header\n(01,01) #Inside\n(30,01) #East End\n");
    temp.write("G/MAP/MAP0700.s16", test::s16Uniform(500, 400, 0x07E0));
    const ToolResult other = run({"check", file, "--names", names});
    EXPECT_EQ(other.status, 1);
    EXPECT_EQ(other.out,
              "header-size: the header says 20 x 10 hexes, the picture holds 12 x 9\n"
              "(30,01) name-outside-map: \"East End\" lies outside the map's 12 x 9 hexes\n" +
                  std::string(kOneSided) + kTerrain + "problems: 4\n");
}

TEST_F(CheckTool, FixMendsRoadsAndHeaderOnlyInAFileOfAMapsLength) {
    temp.write("G/MAP/MAP0700.s16", test::s16Uniform(500, 400, 0x07E0));
    // A file that is not a whole map is not mended: nothing is written.
    for (const std::size_t length : {std::size_t{0}, std::size_t{8000}, kMapFileSize + 4}) {
        const std::string bytes = (roadMap().toBytes() + "tail").substr(0, length);
        temp.write("G/SCENARIO/R.MAP", bytes);
        const ToolResult refused = run({"check", file, "--fix", "-o", temp.path() + "OUT.MAP"});
        EXPECT_EQ(refused.status, 1) << length;
        EXPECT_EQ(refused.err, "Map file [" + file + "]\nhas " + std::to_string(length) +
                                   " bytes, a map has 14371: not mended\n");
        EXPECT_FALSE(fileExists(temp.path() + "OUT.MAP"));
        EXPECT_EQ(temp.read("G/SCENARIO/R.MAP"), bytes);
    }

    temp.write("G/SCENARIO/R.MAP", roadMap().toBytes());
    MapDocument mended = roadMap();
    mended.cells[2][4].roads = 0x10;
    mended.width = 12;
    mended.height = 9;
    const std::string after =
        std::string(kTerrain) +
        "(04,12) name-outside-map: \"Low Ford\" lies outside the map's 12 x 9 hexes\nproblems: 2\n";
    const ToolResult toOutput = run({"check", file, "--fix", "-o", temp.path() + "OUT.MAP"});
    EXPECT_EQ(toOutput.status, 1);
    EXPECT_EQ(toOutput.out, "fixed: 2 (header set to 12 x 9)\n" + after);
    EXPECT_EQ(temp.read("OUT.MAP"), mended.toBytes());
    EXPECT_EQ(temp.read("G/SCENARIO/R.MAP"), roadMap().toBytes());

    EXPECT_EQ(run({"check", file, "--fix"}).out, "fixed: 2 (header set to 12 x 9)\n" + after);
    EXPECT_EQ(temp.read("G/SCENARIO/R.MAP"), mended.toBytes());
    EXPECT_EQ(run({"check", file, "--fix"}).out, "fixed: 0\n" + after);
}

TEST_F(CheckTool, UsageAndUnreadableFiles) {
    EXPECT_EQ(run({"check"}).status, 2);
    EXPECT_EQ(run({"check", file, "-o", temp.path() + "X.MAP"}).status, 2);
    EXPECT_EQ(run({"check", file, "--bogus"}).status, 2);
    EXPECT_EQ(run({"check", file, "--help"}).status, 0);

    const ToolResult noMap = run({"check", temp.path() + "none/NONE.MAP"});
    EXPECT_EQ(noMap.status, 1);
    EXPECT_EQ(noMap.out, "");
    const ToolResult noNames = run({"check", file, "--names", temp.path() + "none.txt"});
    EXPECT_EQ(noNames.status, 1);
    EXPECT_EQ(noNames.err, temp.path() + "none.txt not found\n");
}

} // namespace
} // namespace maporv::tool
