#include "mapdata/mapdocument.h"
#include "mapdata/paths.h"
#include "tempfolder.h"
#include "toolrun.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace maporv::tool {
namespace {

using Result = ToolResult;
const auto run = runToolForTest;

// A map with a few known hexes.
std::string sampleMap() {
    MapDocument document;
    document.mapNumber = 7;
    document.width = 45;
    document.height = 40;
    document.cells[0][0] = {3, 0x11, 1, 2, 3};
    document.cells[0][1] = {3, 0, 0, 0, 0};
    document.cells[5][6] = {25, 0x44, 0, 0, 9};
    return document.toBytes();
}

TEST(MapTool, InfoSummarisesTheMap) {
    test::TempFolder temp;
    const std::string file = temp.write("G/SCENARIO/DEMO.MAP", sampleMap());
    const Result result = run({"info", file});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "map number: 7\n"
                          "width: 45\n"
                          "height: 40\n"
                          "tile name: MAP0700.s16\n"
                          "picture path: " +
                              temp.path() +
                              "G/MAP/MAP0700.s16\n"
                              "terrain 0 Clear: 1797\n"
                              "terrain 3 Forest: 2\n"
                              "terrain 25 : 1\n"
                              "hexes with roads: 2\n");
}

TEST(MapTool, RelativePathsAreTakenFromTheWorkingFolder) {
    test::TempFolder temp;
    temp.write("G/SCENARIO/DEMO.MAP", sampleMap());
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(temp.path() + "G/SCENARIO");
    // The working folder as the system spells it, should the temporary folder be a link.
    const std::string game = parentFolder(std::filesystem::current_path().string() + "/");
    const Result result = run({"info", "DEMO.MAP"});
    std::filesystem::current_path(before);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("picture path: " + game + "MAP/MAP0700.s16\n"), std::string::npos)
        << result.out;
}

TEST(MapTool, DumpListsEveryCellInGridOrder) {
    test::TempFolder temp;
    const Result result = run({"dump", temp.write("X.MAP", sampleMap())});
    EXPECT_EQ(result.status, 0);
    std::istringstream lines(result.out);
    std::string line;
    std::vector<std::string> all;
    while (std::getline(lines, line)) {
        all.push_back(line);
    }
    ASSERT_EQ(all.size(), 1801u);
    EXPECT_EQ(all[0], "row,column,terrain,terrain_name,roads,extra0,extra1,extra2");
    EXPECT_EQ(all[1], "0,0,3,Forest,17,1,2,3");
    EXPECT_EQ(all[1 + 5 * 45 + 6], "5,6,25,,68,0,0,9");
    EXPECT_EQ(all[1800], "39,44,0,Clear,0,0,0,0");
}

TEST(MapTool, CopyKeepsEveryByteAndFailuresReportAndExit) {
    test::TempFolder temp;
    const std::string bytes = sampleMap();
    const std::string in = temp.write("IN.MAP", bytes);
    EXPECT_EQ(run({"copy", in, temp.path() + "OUT.MAP"}).status, 0);
    EXPECT_EQ(temp.read("OUT.MAP"), bytes);

    const Result missing = run({"info", temp.path() + "NONE.MAP"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("not found"), std::string::npos);

    const Result unwritable = run({"copy", in, temp.path() + "no/such/folder/OUT.MAP"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err, "Error on creating [" + temp.path() + "no/such/folder/OUT.MAP]\n");
}

TEST(MapTool, UsageErrorsAndHelp) {
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"frobnicate"}).status, 2);
    EXPECT_EQ(run({"copy", "only-one"}).status, 2);
    EXPECT_EQ(run({"info", "a.map", "--bogus"}).status, 2);
    const Result help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("info MAPFILE"), std::string::npos);
    EXPECT_EQ(run({"dump", "--help"}).status, 0);
}

} // namespace
} // namespace maporv::tool
