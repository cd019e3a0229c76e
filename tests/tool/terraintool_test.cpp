#include "mapdata/mapdocument.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "tempfolder.h"
#include "toolrun.h"

#include <gtest/gtest.h>

namespace maporv::tool {
namespace {

std::string mapWith(std::uint16_t number, int forests) {
    MapDocument document;
    document.mapNumber = number;
    document.width = 45;
    document.height = 40;
    for (int i = 0; i < forests; ++i) {
        document.cells[i / kMapColumns][i % kMapColumns].terrain = 3;
    }
    return document.toBytes();
}

TEST(TerrainTool, ChangesTerrainByNameOrCodeAndWrites) {
    test::TempFolder temp;
    const std::string file = temp.write("SCENARIO/A.MAP", mapWith(5, 12));
    const ToolResult named =
        runToolForTest({"change-terrain", file, "forest", "Clear", "-o", temp.path() + "B.MAP"});
    EXPECT_EQ(named.status, 0);
    EXPECT_EQ(named.out, "Done !\n12 Terrain types changed\nfrom: Forest\nto Clear\n");
    EXPECT_EQ(temp.read("B.MAP"), mapWith(5, 0));
    EXPECT_EQ(temp.read("SCENARIO/A.MAP"), mapWith(5, 12)); // the input stays

    // In place, by code; no match still reports.
    EXPECT_EQ(runToolForTest({"change-terrain", file, "9", "17"}).out,
              "Done !\n0 Terrain types changed\nfrom: Ocean\nto Lake\n");
    EXPECT_EQ(runToolForTest({"change-terrain", file, "Impassable River", "3"}).status, 0);
    EXPECT_EQ(runToolForTest({"change-terrain", file, "20", "3"}).status, 2);
    EXPECT_EQ(runToolForTest({"change-terrain", file, "Marsh", "3"}).status, 2);
}

// A change that changes nothing leaves the file as it is, even a header the reader
// would clamp; with FROM equal to TO nothing is even said.
TEST(TerrainTool, NothingToChangeWritesNothing) {
    test::TempFolder temp;
    std::string bytes = mapWith(5, 12);
    bytes[2] = 99; // width 99: read as 45
    const std::string file = temp.write("A.MAP", bytes);
    const std::string output = temp.path() + "B.MAP";

    const ToolResult none = runToolForTest({"change-terrain", file, "Ocean", "Lake", "-o", output});
    EXPECT_EQ(none.status, 0);
    EXPECT_EQ(none.out, "Done !\n0 Terrain types changed\nfrom: Ocean\nto Lake\n");
    const ToolResult same = runToolForTest({"change-terrain", file, "Forest", "3"});
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "");
    EXPECT_EQ(same.err, "");

    EXPECT_EQ(temp.read("A.MAP"), bytes);
    EXPECT_FALSE(fileExists(output));
}

TEST(TerrainTool, InPlaceWritesTheFileFoundInScenario) {
    test::TempFolder temp;
    temp.write("G/SCENARIO/DEMO.MAP", mapWith(5, 12));
    temp.makeFolder("G/OTHER");
    // G/OTHER/DEMO.MAP does not exist: the map is found in G/SCENARIO, and written there.
    const ToolResult result =
        runToolForTest({"change-terrain", temp.path() + "G/OTHER/DEMO.MAP", "Forest", "Clear"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(temp.read("G/SCENARIO/DEMO.MAP"), mapWith(5, 0));
    EXPECT_FALSE(fileExists(temp.path() + "G/OTHER/DEMO.MAP"));
}

TEST(TerrainTool, ReportsAFolderInEachSortOrder) {
    test::TempFolder temp;
    temp.write("S/A.MAP", mapWith(5, 0));
    temp.write("S/b.map", mapWith(5, 0));
    temp.write("S/C.MAP", mapWith(12, 0));
    const ToolResult byNumber = runToolForTest({"report", temp.path() + "S"});
    EXPECT_EQ(byNumber.status, 0);
    EXPECT_EQ(byNumber.out, temp.path() + "S/MapsReport.txt\n");
    EXPECT_EQ(temp.read("S/MapsReport.txt"), "Map files on folder: " + temp.path() +
                                                 "S/\n\n"
                                                 "Mapno     Mapname\n"
                                                 "=======================================\n"
                                                 "    5     A.MAP ; b.map\n"
                                                 "   12     C.MAP\n"
                                                 "\n");
    const ToolResult both = runToolForTest(
        {"report", temp.path() + "S/", "--sort", "both", "-o", temp.path() + "r.txt"});
    EXPECT_EQ(both.status, 0);
    EXPECT_NE(temp.read("r.txt").find("A.MAP" + std::string(29, '.') + "5\n"), std::string::npos);

    temp.makeFolder("EMPTY");
    const ToolResult empty = runToolForTest({"report", temp.path() + "EMPTY"});
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "There is nothing to do !\n");
    EXPECT_EQ(runToolForTest({"report", temp.path() + "S", "--sort", "size"}).status, 2);
}

TEST(TerrainTool, NamesCountsAndRewritesSorted) {
    test::TempFolder temp;
    const std::string map = temp.write("SCENARIO/DEMO.MAP", mapWith(7, 0));
    const std::string names = temp.write("MAP/MAP007.TXT", "whatever header\r\n"
                                                           "(03,01) #Hilltown\r\n"
                                                           "(00,00) #Port Ash\r\n"
                                                           "(04,01) #Hilltown\r\n");
    const ToolResult result =
        runToolForTest({"names", names, "--map", map, "-o", temp.path() + "OUT.TXT"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "names: 2\nnamed hexes: 3\n");
    EXPECT_EQ(temp.read("OUT.TXT"), "[MAP:  7] [DEMO                ]\n"
                                    "--------------------------------\n"
                                    "(00,00) #Port Ash\n"
                                    "(03,01) #Hilltown\n"
                                    "(04,01) #Hilltown\n");
    EXPECT_EQ(runToolForTest({"names", temp.path() + "none.txt", "--map", map}).status, 1);
    EXPECT_EQ(runToolForTest({"names", names}).status, 2);
}

// A map holds 1799 different names: a file naming all 1800 hexes keeps 1799, says
// which hex lost its name, and is not written again without it.
TEST(TerrainTool, NamesBeyondTheListAreNamedAndNeverWrittenAway) {
    test::TempFolder temp;
    const std::string map = temp.write("SCENARIO/DEMO.MAP", mapWith(7, 0));
    std::string text = "header\n";
    for (int hex = 0; hex < kMapRows * kMapColumns; ++hex) {
        text += strprintf("(%02d,%02d) #N%d\n", hex % kMapColumns, hex / kMapColumns, hex);
    }
    const std::string names = temp.write("MAP/MAP007.TXT", text);
    const ToolResult result = runToolForTest({"names", names, "--map", map, "-o", names});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "names: 1799\nnamed hexes: 1799\n");
    EXPECT_EQ(result.err, "Not every name of\n" + names +
                              "\ncould be kept: a map holds at most 1799 different names.\n"
                              "1 hex has no name now:\n(44,39) #N1799\n" +
                              names + " not written: it would lose the names above\n");
    EXPECT_EQ(temp.read("MAP/MAP007.TXT"), text);
}

} // namespace
} // namespace maporv::tool
