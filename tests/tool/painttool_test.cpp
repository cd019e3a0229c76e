#include "mapdata/mapdocument.h"
#include "tempfolder.h"
#include "toolrun.h"

#include <gtest/gtest.h>

namespace maporv::tool {
namespace {

struct Cell {
    int row, column;
    std::uint16_t terrain, roads;
};

// A map without a picture, so its area is the header's 10 x 8 hexes: Forest at
// rows 1..2 of columns 1..2 with a road south from column 1, row 1; then cells
// changed.
std::string mapFile(std::vector<Cell> cells = {}) {
    MapDocument document;
    document.width = 10;
    document.height = 8;
    document.trailer[0] = 0x5A;
    cells.insert(cells.begin(), {{1, 1, 3, 0x10}, {1, 2, 3, 0}, {2, 1, 3, 0x01}, {2, 2, 3, 0}});
    for (const Cell& cell : cells) {
        document.cells[cell.row][cell.column] = {cell.terrain, cell.roads};
    }
    return document.toBytes() + "tail"; // bytes past the map stay
}

TEST(PaintTool, DrawsRoadsAndFillsWritingOnlyWhatChanged) {
    struct Case {
        std::vector<std::string> args; // the map file goes after the command
        int status;
        std::string message; // the end of stdout on success, part of stderr otherwise
        std::vector<Cell> changed;
    };
    const std::vector<Case> cases = {
        {{"draw-road", "2,2", "2,3", "3,3"},
         0,
         "changed: 3\n",
         {{2, 2, 3, 0x10}, {3, 2, 0, 0x09}, {3, 3, 0, 0x80}}},
        {{"draw-road", "1,1", "1,2", "--remove"}, 0, "changed: 2\n", {{1, 1, 3, 0}, {2, 1, 3, 0}}},
        {{"draw-road", "2,2", "2,3", "4,4"}, 1, "2,3 and 4,4 are not neighbours", {}},
        {{"draw-road", "9,7", "10,7"}, 1, "Hex 10,7 lies outside the map's 10 x 8 hexes", {}},
        {{"fill", "2,1", "jungle"},
         0,
         "region: 4 hexes of Forest\nchanged: 4\n",
         {{1, 1, 4, 0x10}, {1, 2, 4, 0}, {2, 1, 4, 0x01}, {2, 2, 4, 0}}},
        {{"fill", "0,0", "0"}, 0, "region: 76 hexes of Clear\nchanged: 0\n", {}},
    };
    for (const Case& c : cases) {
        test::TempFolder temp;
        std::vector<std::string> args = c.args;
        args.insert(args.begin() + 1, temp.write("A.MAP", mapFile()));
        const ToolResult result = runToolForTest(args);
        const std::string what = args[0] + " " + args[2];
        EXPECT_EQ(result.status, c.status) << what << ": " << result.err;
        if (c.status == 0) {
            EXPECT_TRUE(result.out.starts_with("note: the picture")) << what;
            EXPECT_TRUE(result.out.ends_with(c.message)) << what << ": " << result.out;
        } else {
            EXPECT_NE(result.err.find(c.message), std::string::npos) << what << ": " << result.err;
        }
        EXPECT_TRUE(temp.read("A.MAP") == mapFile(c.changed)) << what;
    }
}

} // namespace
} // namespace maporv::tool
