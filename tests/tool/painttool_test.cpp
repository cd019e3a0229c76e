#include "mapdata/mapdocument.h"
#include "mapdata/paths.h"
#include "tempfolder.h"
#include "toolrun.h"

#include <functional>
#include <gtest/gtest.h>

namespace maporv::tool {
namespace {

// A map without a picture, so its area is the header's 10 x 8 hexes: Forest at
// rows 1..2 of columns 1..2 with a road south from column 1, row 1.
MapDocument paintedMap() {
    MapDocument document;
    document.width = 10;
    document.height = 8;
    for (int row = 1; row <= 2; ++row) {
        for (int column = 1; column <= 2; ++column) {
            document.cells[row][column].terrain = 3;
        }
    }
    document.cells[1][1].roads = 0x10;
    document.cells[2][1].roads = 0x01;
    document.trailer[0] = 0x5A;
    return document;
}

TEST(PaintTool, DrawsRoadsAndFillsWritingOnlyWhatChanged) {
    struct Case {
        const char* what;
        std::vector<std::string> args;
        int status;
        std::string message; // on stdout when it succeeds, on stderr when not
        std::function<void(MapDocument&)> change;
    };
    const std::vector<Case> cases = {
        {"a road down column 2 and on south-east",
         {"draw-road", "2,2", "2,3", "3,3"},
         0,
         "changed: 3\n",
         [](MapDocument& d) {
             d.cells[2][2].roads = 0x10;
             d.cells[3][2].roads = 0x01 | 0x08;
             d.cells[3][3].roads = 0x80;
         }},
        {"a road taken away",
         {"draw-road", "1,1", "1,2", "--remove"},
         0,
         "changed: 2\n",
         [](MapDocument& d) {
             d.cells[1][1].roads = 0;
             d.cells[2][1].roads = 0;
         }},
        {"hexes that are not neighbours",
         {"draw-road", "2,2", "2,3", "4,4"},
         1,
         "2,3 and 4,4 are not neighbours",
         nullptr},
        {"a hex beyond the header's area",
         {"draw-road", "9,7", "10,7"},
         1,
         "Hex 10,7 lies outside the map's 10 x 8 hexes",
         nullptr},
        {"a forest filled, its road kept",
         {"fill", "MAP", "2,1", "jungle"},
         0,
         "region: 4 hexes of Forest\nchanged: 4\n",
         [](MapDocument& d) {
             for (int row = 1; row <= 2; ++row) {
                 d.cells[row][1].terrain = d.cells[row][2].terrain = 4;
             }
         }},
        {"a fill that changes nothing",
         {"fill", "MAP", "0,0", "0"},
         0,
         "region: 76 hexes of Clear\nchanged: 0\n",
         nullptr},
        {"a terrain that does not exist",
         {"fill", "MAP", "0,0", "Marsh"},
         2,
         "TERRAIN must be",
         nullptr},
    };
    for (const Case& c : cases) {
        test::TempFolder temp;
        std::string bytes = paintedMap().toBytes();
        bytes += "tail"; // bytes past the map stay
        const std::string file = temp.write("A.MAP", bytes);
        std::vector<std::string> args = c.args;
        // The map file goes second; "MAP" marks where a command wants it elsewhere.
        if (args[1] == "MAP") {
            args[1] = file;
        } else {
            args.insert(args.begin() + 1, file);
        }
        const ToolResult result = runToolForTest(args);
        EXPECT_EQ(result.status, c.status) << c.what << ": " << result.err;
        if (c.status == 0) {
            EXPECT_NE(result.out.find("note: the picture"), std::string::npos) << c.what;
            EXPECT_TRUE(result.out.ends_with(c.message)) << c.what << ": " << result.out;
        } else {
            EXPECT_NE(result.err.find(c.message), std::string::npos)
                << c.what << ": " << result.err;
        }
        MapDocument expected = paintedMap();
        if (c.change) {
            c.change(expected);
        }
        EXPECT_EQ(temp.read("A.MAP"), expected.toBytes() + "tail") << c.what;
    }
}

} // namespace
} // namespace maporv::tool
