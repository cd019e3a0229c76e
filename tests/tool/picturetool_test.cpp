#include "demo/demoscenario.h"
#include "editing/mapworkspace.h"
#include "mapdata/consoleuserinterface.h"
#include "mapdata/hexgrid.h"
#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"
#include "mapdata/paths.h"
#include "mapdata/terraintype.h"
#include "picture/mappicture.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"
#include "toolrun.h"

#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <sstream>

namespace maporv::tool {
namespace {

using test::TempFolder;

std::string fileSize(const std::string& path) {
    std::string bytes;
    return readWholeFile(path, bytes) ? std::to_string(bytes.size()) : "missing";
}

// A 24-bit BMP of width x height in one colour (rows padded to 4 bytes).
std::string plainBmp(int width, int height) {
    const int rowLength = (3 * width + 3) / 4 * 4;
    std::string row(static_cast<std::size_t>(rowLength), '\0');
    for (int x = 0; x < width; ++x) {
        row[3 * static_cast<std::size_t>(x)] = 40;      // blue
        row[3 * static_cast<std::size_t>(x) + 1] = 80;  // green
        row[3 * static_cast<std::size_t>(x) + 2] = 120; // red
    }
    std::string rows;
    for (int y = 0; y < height; ++y) {
        rows += row;
    }
    test::BmpSpec layout;
    layout.width = width;
    layout.height = height;
    layout.rows = rows;
    return test::bmpFile(layout);
}

TEST(PictureTool, LoadsABmpAndExportsItEveryWay) {
    TempFolder temp;
    const std::string input = temp.write("in/Coast.bmp", plainBmp(700, 500));
    const std::string out = temp.makeFolder("out");
    const ToolResult result =
        runToolForTest({"picture", input, "--bmp", out + "whole.bmp", "--bmp-tiles", out + "B",
                        "--s16-tiles", out + "MAP07"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "picture: Coast 700x500 tiles=1 bits=24\n"
                          "Done !\nLoaded file has been splitted to 4 BMP tiles\n"
                          "Done !\nLoaded file has been splitted to 4 S16 Tiles\n");
    EXPECT_EQ(fileSize(out + "whole.bmp"), std::to_string(54 + 2100 * 500));
    EXPECT_EQ(fileSize(out + "B00.bmp"), std::to_string(54 + 1920 * 480));
    EXPECT_EQ(fileSize(out + "B11.bmp"), std::to_string(54 + 180 * 20));
    EXPECT_EQ(fileSize(out + "MAP0700.s16"), std::to_string(44 + 640 * 480 * 2));
    EXPECT_EQ(fileSize(out + "MAP0711.s16"), std::to_string(44 + 60 * 20 * 2));

    // Any tile of the written set loads the whole set back.
    const ToolResult tiles = runToolForTest({"picture", out + "MAP0711.s16"});
    EXPECT_EQ(tiles.status, 0);
    EXPECT_EQ(tiles.out, "picture: MAP07 700x500 tiles=4 bits=0\n");
    const ToolResult bmpTiles = runToolForTest({"picture", out + "B10.bmp"});
    EXPECT_EQ(bmpTiles.out, "picture: B10 60x480 tiles=1 bits=24\n");
}

TEST(PictureTool, FailuresAreReportedWithStatusOne) {
    TempFolder temp;
    const std::string input = temp.write("Small.bmp", plainBmp(300, 200));

    const ToolResult missing = runToolForTest({"picture", temp.path() + "None.bmp"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, temp.path() + "None.bmp not found\n");
    EXPECT_EQ(missing.out, "");

    // Each tile that cannot be created is reported, then that no tile was replaced.
    const std::string nowhere = temp.path() + "no/such/folder/T";
    const ToolResult unwritable = runToolForTest({"picture", input, "--s16-tiles", nowhere});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_EQ(unwritable.err, "Error on creating " + nowhere +
                                  "00.s16\n0 of 1 S16 tiles written:\nnothing has been "
                                  "replaced, the old tiles are as they were.\n");
    EXPECT_EQ(unwritable.out.find("Done !"), std::string::npos);

    const ToolResult badBmp =
        runToolForTest({"picture", input, "--bmp", temp.path() + "no/such/folder/x.bmp"});
    EXPECT_EQ(badBmp.status, 1);
    EXPECT_EQ(badBmp.err, "Error creating " + temp.path() + "no/such/folder/x.bmp\n");

    // One tile's worth of picture is not split into BMP tiles.
    const ToolResult tooSmall =
        runToolForTest({"picture", input, "--bmp-tiles", temp.path() + "T"});
    EXPECT_EQ(tooSmall.status, 1);
    EXPECT_NE(tooSmall.err.find("Not split into BMP tiles"), std::string::npos);
    EXPECT_FALSE(fileExists(temp.path() + "T00.bmp"));

    const ToolResult notBmp = runToolForTest({"picture", temp.write("Bad.bmp", "XX not a bitmap")});
    EXPECT_EQ(notBmp.status, 1);
    // The editor's message first; builds with Qt's image reader then try that too.
    EXPECT_EQ(notBmp.err.rfind("Invalid BMP type", 0), 0u) << notBmp.err;

    // A file of no known kind, where no tile of a set lies either, is no picture.
    const std::string notes = temp.write("notes.txt", "hello");
    const ToolResult noTiles = runToolForTest({"picture", notes});
    EXPECT_EQ(noTiles.status, 1);
    EXPECT_EQ(noTiles.out, "");
    EXPECT_EQ(noTiles.err, notes + " is not a picture the tool reads: no tile of an S16 or SHP "
                                   "set, and of no picture format it knows\n");
    // A set of which no tile can be read is a picture of 0 x 0 with nothing to export.
    const std::string noTile = temp.write("MAP0900.s16", "hello");
    const ToolResult nothingToExport =
        runToolForTest({"picture", noTile, "--s16-tiles", temp.path() + "N"});
    EXPECT_EQ(nothingToExport.status, 1);
    EXPECT_EQ(nothingToExport.err,
              "Nothing to export: no picture tile could be read from " + noTile + "\n");
    EXPECT_FALSE(fileExists(temp.path() + "N00.s16"));
}

TEST(PictureTool, IncompleteTileSetsAreNamedAndExportedOnlyWhenAllowed) {
    TempFolder temp;
    // Tiles of a 1000 x 700 picture; the SHP shapes draw nothing but end every row.
    struct Case {
        std::string extension;
        std::function<std::string(int width, int height)> tile;
    };
    const Case cases[] = {
        {".s16", [](int w, int h) { return test::s16Uniform(w, h, 0x1234); }},
        {".shp",
         [](int w, int h) {
             return test::shpFile({h, w, 0, 0, h - 1, std::string(h, '\0')});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extension);
        const std::string folder = c.extension.substr(1) + "/";
        const std::string set = temp.path() + folder + "MAP09";
        temp.write(folder + "MAP0900" + c.extension, c.tile(640, 480));
        temp.write(folder + "MAP0910" + c.extension, c.tile(360, 480));
        const std::string cut = c.tile(640, 220);
        temp.write(folder + "MAP0901" + c.extension, cut.substr(0, cut.size() - 40));
        const std::string input = set + "00" + c.extension;

        const ToolResult refused = runToolForTest({"picture", input, "--s16-tiles", set + "X"});
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(refused.err, "The tile set MAP09 is incomplete: MAP0901" + c.extension +
                                   " is cut short, MAP0911" + c.extension +
                                   " is missing; what they lack is grey\nNothing exported: the "
                                   "tile set is incomplete (--allow-incomplete exports it as it "
                                   "is)\n");
        EXPECT_FALSE(fileExists(set + "X00.s16"));
        const ToolResult allowed =
            runToolForTest({"picture", input, "--allow-incomplete", "--s16-tiles", set + "X"});
        EXPECT_EQ(allowed.status, 0) << allowed.err;
        EXPECT_TRUE(fileExists(set + "X11.s16"));
    }
    // The editor says once which game tiles are cut short, and keeps what it read.
    test::ScriptedUserInterface ui;
    MapWorkspace workspace{ui};
    EXPECT_TRUE(workspace.load(temp.path() + "s16/MAP0910.s16", false).pictureLoaded);
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"The picture MAP09 is incomplete: "
                                                          "MAP0901.s16 is cut short.\nWhat they "
                                                          "lack shows light grey."});
    EXPECT_TRUE(workspace.restorePicture());
    EXPECT_EQ(ui.messageTexts().size(), 1u);
}

TEST(PictureTool, UsageErrors) {
    EXPECT_EQ(runToolForTest({"picture"}).status, 2);
    EXPECT_EQ(runToolForTest({"picture", "a.bmp", "b.bmp"}).status, 2);
    EXPECT_EQ(runToolForTest({"picture", "a.bmp", "--bmp"}).status, 2);
    EXPECT_EQ(runToolForTest({"picture", "a.bmp", "--gif", "x"}).status, 2);
    // A tile prefix without a base name would write nothing.
    EXPECT_EQ(runToolForTest({"picture", "a.bmp", "--s16-tiles", "out/"}).status, 2);
    EXPECT_EQ(runToolForTest({"make-demo"}).status, 2);
    EXPECT_EQ(runToolForTest({"make-demo", "--help"}).status, 0);
}

// The demo is made once for all its tests.
class Demo : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        temp_ = new TempFolder;
        made_ = new ToolResult(runToolForTest({"make-demo", folder()}));
        document_ = new MapDocument;
        messages_ = new std::ostringstream;
        ui_ = new ConsoleUserInterface(*messages_);
        document_->readMapFile(folder() + "SCENARIO/DEMO.MAP", false, folder(), *ui_);
        picture_ = new MapPicture(*ui_);
    }
    static void TearDownTestSuite() {
        delete picture_;
        delete ui_;
        delete messages_;
        delete document_;
        delete made_;
        delete temp_;
    }

    // A picture another test loaded (the tool runs in this process) took the shared
    // buffer: the demo's comes back.
    void SetUp() override {
        if (!picture_->valid) {
            picture_->load(document_->picturePath);
        }
    }

    static std::string folder() { return temp_->path() + "demo/"; }
    static const HexCell& cell(int row, int column) { return document_->cells[row][column]; }

    // Centre of a hex in the picture, as the editor's grid places it at full size.
    static std::array<int, 2> centre(int row, int column) {
        HexGrid grid;
        grid.setConstants(kFullSizeGrid);
        const HexPosition box = grid.hexToPixel(row, column);
        return {box.mapX + kFullSizeGrid.hexWidth / 2, box.mapY + kFullSizeGrid.hexHeight / 2};
    }
    // Hexes whose centre and the 13 x 13 pixels around it lie in the picture.
    static bool shown(int row, int column) {
        const auto [x, y] = centre(row, column);
        return x >= 6 && y >= 6 && x < 1920 - 6 && y < 1920 - 6;
    }

    static TempFolder* temp_;
    static ToolResult* made_;
    static MapDocument* document_;
    static std::ostringstream* messages_;
    static ConsoleUserInterface* ui_;
    static MapPicture* picture_;
};

TempFolder* Demo::temp_ = nullptr;
ToolResult* Demo::made_ = nullptr;
MapDocument* Demo::document_ = nullptr;
std::ostringstream* Demo::messages_ = nullptr;
ConsoleUserInterface* Demo::ui_ = nullptr;
MapPicture* Demo::picture_ = nullptr;

bool isWater(int terrain) {
    return terrain == 9 || terrain == 17; // Ocean, Lake
}

bool isRiver(int terrain) {
    return terrain == 10 || terrain == 13; // River, Stream
}

// Open water and river blue, as opposed to every land colour, snow and fen pools
// included.
bool looksLikeWater(const test::Rgb& c) {
    return c.blue > c.red + 25 && c.blue > c.green + 10;
}

TEST_F(Demo, WritesTheMapTwelveTilesAndTheNames) {
    EXPECT_EQ(made_->status, 0) << made_->err;
    EXPECT_EQ(made_->err, "");
    EXPECT_EQ(made_->out, folder() + "SCENARIO/DEMO.MAP\n" + folder() +
                              "MAP/MAP0700.s16 .. MAP0723.s16\n" + folder() + "MAP/MAP007.TXT\n");
    EXPECT_EQ(fileSize(folder() + "SCENARIO/DEMO.MAP"), "14371");
    for (int x = 0; x < 3; ++x) {
        for (int y = 0; y < 4; ++y) {
            EXPECT_EQ(
                fileSize(folder() + "MAP/MAP07" + std::to_string(x) + std::to_string(y) + ".s16"),
                std::to_string(44 + 640 * 480 * 2));
        }
    }
    EXPECT_NE(fileSize(folder() + "MAP/MAP007.TXT"), "missing");
    EXPECT_EQ(runToolForTest({"picture", folder() + "MAP/MAP0712.s16"}).out,
              "picture: MAP07 1920x1920 tiles=12 bits=0\n");
}

TEST_F(Demo, MapIsNumberSevenWithItsPictureBesideIt) {
    EXPECT_TRUE(document_->loaded);
    EXPECT_EQ(document_->mapNumber, 7);
    // The header's area is what the 1920 x 1920 picture shows.
    EXPECT_EQ(document_->width, 44);
    EXPECT_EQ(document_->height, 39);
    EXPECT_EQ(document_->picturePath, folder() + "MAP/MAP0700.s16");
    EXPECT_TRUE(picture_->valid);
    EXPECT_EQ(picture_->width, 1920);
    EXPECT_EQ(picture_->height, 1920);
    EXPECT_EQ(picture_->tileCount, 12);

    // Every hex has a named terrain, and the map has the variety of a real scenario.
    std::map<int, int> counts;
    for (const auto& row : document_->cells) {
        for (const HexCell& c : row) {
            EXPECT_NE(terrainName(c.terrain), nullptr);
            ++counts[c.terrain];
        }
    }
    EXPECT_GE(counts.size(), 12u);
    for (int code : {1, 2, 3, 5, 6, 9, 10, 11, 12, 17}) {
        EXPECT_GT(counts[code], 0) << terrainName(code);
    }
}

TEST_F(Demo, NamesSitOnTheirPlaces) {
    std::ostringstream messages;
    ConsoleUserInterface ui(messages);
    MapNames names;
    names.loadNamesForMap(*document_, ui);
    EXPECT_EQ(names.path, folder() + "MAP/MAP007.TXT");
    EXPECT_EQ(messages.str(), "");
    EXPECT_GE(names.count - 1, 10);
    EXPECT_LE(names.count - 1, 16);

    std::map<std::string, int> terrainOf;
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            if (const int entry = names.nameAt(row, column)) {
                EXPECT_TRUE(
                    terrainOf.emplace(names.nameText(entry), cell(row, column).terrain).second)
                    << "named twice: " << names.nameText(entry);
            }
        }
    }
    EXPECT_EQ(terrainOf["Corvanne"], 1);
    EXPECT_EQ(terrainOf["Port Sadrel"], 12);
    EXPECT_EQ(terrainOf["Corvanne Field"], 2);
    EXPECT_EQ(terrainOf["Fort Ruskell"], 11);
    EXPECT_EQ(terrainOf["Greywater Lake"], 17);
    EXPECT_EQ(terrainOf["Myrren River"], 10);
    for (const auto& [name, terrain] : terrainOf) {
        EXPECT_NE(terrain, 9) << name << " lies in the sea";
    }
}

// Road bits of the six directions, with the neighbour each leads to (flat-topped
// columns, even columns half a row higher).
struct RoadStep {
    std::uint16_t bit;
    std::uint16_t opposite;
    int rowEven, rowOdd, column;
};
constexpr std::array<RoadStep, 6> kSteps{{{0x01, 0x10, -1, -1, 0},
                                          {0x02, 0x20, -1, 0, 1},
                                          {0x08, 0x80, 0, 1, 1},
                                          {0x10, 0x01, 1, 1, 0},
                                          {0x20, 0x02, 0, 1, -1},
                                          {0x80, 0x08, -1, 0, -1}}};

TEST_F(Demo, RoadsAreTwoWayAndJoinTheTowns) {
    int roadHexes = 0;
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            const std::uint16_t roads = cell(row, column).roads;
            if (roads == 0) {
                continue;
            }
            ++roadHexes;
            EXPECT_EQ(roads & ~0xBB, 0) << row << "," << column;
            EXPECT_FALSE(isWater(cell(row, column).terrain)) << row << "," << column;
            EXPECT_TRUE(shown(row, column)) << row << "," << column;
            for (const RoadStep& step : kSteps) {
                if ((roads & step.bit) == 0) {
                    continue;
                }
                const int r = row + (column % 2 == 0 ? step.rowEven : step.rowOdd);
                const int c = column + step.column;
                ASSERT_TRUE(MapDocument::inGrid(r, c)) << row << "," << column;
                EXPECT_NE(cell(r, c).roads & step.opposite, 0)
                    << "road from " << row << "," << column << " has no way back from " << r << ","
                    << c;
            }
        }
    }
    EXPECT_GT(roadHexes, 30);

    // One network: from any road hex every town, the port, the airfield and the fort
    // with a road can be reached.
    std::set<std::pair<int, int>> reached;
    std::vector<std::pair<int, int>> open;
    for (int row = 0; row < kMapRows && open.empty(); ++row) {
        for (int column = 0; column < kMapColumns && open.empty(); ++column) {
            if (cell(row, column).roads != 0) {
                open.push_back({row, column});
                reached.insert({row, column});
            }
        }
    }
    while (!open.empty()) {
        const auto [row, column] = open.back();
        open.pop_back();
        for (const RoadStep& step : kSteps) {
            if ((cell(row, column).roads & step.bit) != 0) {
                const std::pair<int, int> next{row + (column % 2 == 0 ? step.rowEven : step.rowOdd),
                                               column + step.column};
                if (reached.insert(next).second) {
                    open.push_back(next);
                }
            }
        }
    }
    int settlements = 0;
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            const int terrain = cell(row, column).terrain;
            if (cell(row, column).roads != 0 &&
                (terrain == 1 || terrain == 2 || terrain == 11 || terrain == 12)) {
                ++settlements;
                EXPECT_TRUE(reached.count({row, column})) << row << "," << column;
            }
        }
    }
    EXPECT_GE(settlements, 8);
}

TEST_F(Demo, ChecksClean) {
    const ToolResult checked = runToolForTest({"check", folder() + "SCENARIO/DEMO.MAP"});
    EXPECT_EQ(checked.status, 0);
    EXPECT_EQ(checked.out, "problems: 0\n");
    EXPECT_EQ(checked.err, "");
}

// Mean colour of the 13 x 13 pixels around a point.
test::Rgb meanAround(const MapPicture& picture, int x, int y) {
    test::Rgb sum;
    for (int dy = -6; dy <= 6; ++dy) {
        for (int dx = -6; dx <= 6; ++dx) {
            const test::Rgb c = test::pixelRgb(picture, x + dx, y + dy);
            sum = {sum.red + c.red, sum.green + c.green, sum.blue + c.blue};
        }
    }
    return {sum.red / 169, sum.green / 169, sum.blue / 169};
}

TEST_F(Demo, PictureShowsTheTerrainOfEveryHex) {
    // Water where the map has sea or lake and nowhere else on land; rivers through
    // the middle of their hexes.
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            if (!shown(row, column)) {
                continue;
            }
            const auto [x, y] = centre(row, column);
            const int terrain = cell(row, column).terrain;
            if (isRiver(terrain)) {
                bool water = false;
                for (int dy = -6; dy <= 6 && !water; ++dy) {
                    for (int dx = -6; dx <= 6 && !water; ++dx) {
                        water = looksLikeWater(test::pixelRgb(*picture_, x + dx, y + dy));
                    }
                }
                EXPECT_TRUE(water) << "no river near the centre of " << row << "," << column;
            } else {
                EXPECT_EQ(looksLikeWater(test::pixelRgb(*picture_, x, y)), isWater(terrain))
                    << row << "," << column << " " << terrainName(terrain);
            }
        }
    }

    // The colours around the centres cluster by terrain: each hex's colour is nearest
    // to the mean colour of its own terrain. Hexes with roads or rivers through the
    // middle, and towns, are left out.
    const std::set<int> plain{0, 3, 5, 6, 7, 8, 9, 16};
    std::map<int, std::vector<test::Rgb>> samples;
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            const int terrain = cell(row, column).terrain;
            if (shown(row, column) && cell(row, column).roads == 0 && plain.count(terrain)) {
                const auto [x, y] = centre(row, column);
                samples[terrain].push_back(meanAround(*picture_, x, y));
            }
        }
    }
    std::map<int, test::Rgb> means;
    for (const auto& [terrain, list] : samples) {
        test::Rgb sum;
        for (const test::Rgb& c : list) {
            sum = {sum.red + c.red, sum.green + c.green, sum.blue + c.blue};
        }
        const int n = static_cast<int>(list.size());
        means[terrain] = {sum.red / n, sum.green / n, sum.blue / n};
    }
    int total = 0;
    int right = 0;
    for (const auto& [terrain, list] : samples) {
        for (const test::Rgb& c : list) {
            int best = -1;
            int bestDistance = 0;
            for (const auto& [other, mean] : means) {
                const int d = (c.red - mean.red) * (c.red - mean.red) +
                              (c.green - mean.green) * (c.green - mean.green) +
                              (c.blue - mean.blue) * (c.blue - mean.blue);
                if (best < 0 || d < bestDistance) {
                    best = other;
                    bestDistance = d;
                }
            }
            ++total;
            right += best == terrain ? 1 : 0;
        }
    }
    EXPECT_GT(total, 1000);
    EXPECT_GE(right * 100, total * 90) << right << " of " << total;
}

TEST_F(Demo, SameBytesEveryTime) {
    TempFolder again;
    std::ostringstream messages;
    ConsoleUserInterface ui(messages);
    ASSERT_TRUE(makeDemoScenario(again.path(), ui));
    for (const std::string file : {"SCENARIO/DEMO.MAP", "MAP/MAP0700.s16", "MAP/MAP0712.s16",
                                   "MAP/MAP0723.s16", "MAP/MAP007.TXT"}) {
        EXPECT_TRUE(again.read(file) == temp_->read("demo/" + file)) << file;
    }
}

TEST_F(Demo, AFolderThatCannotBeMadeFails) {
    TempFolder temp;
    const std::string blocker = temp.write("file", "not a folder");
    const ToolResult result = runToolForTest({"make-demo", blocker});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Error on creating [" + blocker + "/SCENARIO/]\n");
}

} // namespace
} // namespace maporv::tool
