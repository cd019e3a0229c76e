#include "demo/scenepainter.h"
#include "demo/sceneworld.h"
#include "mapdata/consoleuserinterface.h"
#include "picture/mappicture.h"
#include "tempfolder.h"
#include "toolrun.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <regex>
#include <sstream>

namespace maporv::tool {
namespace {

constexpr int kSceneSize = 960;

// A painted scene as the game keeps it: SCENARIO/S.MAP (map 7) and its tiles.
class SceneFolder {
public:
    explicit SceneFolder(SceneStyle style) : world(std::make_unique<SceneWorld>()) {
        buildSceneWorld(style, 1, kSceneSize, kSceneSize, *world);
        std::ostringstream messages;
        ConsoleUserInterface ui(messages, messages);
        MapPicture picture(ui);
        paintScene(*world, picture);
        temp.makeFolder("MAP");
        EXPECT_TRUE(picture.writeS16Tiles(temp.path() + "MAP/MAP07"));
        map = temp.write("SCENARIO/S.MAP", world->document.toBytes());
    }

    MapDocument read(const std::string& relative) const {
        MapDocument document;
        document.fromBytes(temp.read(relative));
        return document;
    }

    std::unique_ptr<SceneWorld> world;
    test::TempFolder temp;
    std::string map;
};

double f1Of(const std::string& out) {
    double precision = 0, recall = 0, f1 = -1;
    std::sscanf(out.c_str(), "precision: %lf recall: %lf f1: %lf", &precision, &recall, &f1);
    return f1;
}

TEST(RoadTool, FindsTheRoadsOfEveryStyleOfPainting) {
    for (SceneStyle style : kSceneStyles) {
        const SceneFolder scene(style);
        const ToolResult checked = runToolForTest({"check", scene.map});
        EXPECT_EQ(checked.out, "problems: 0\n") << sceneStyleName(style);
        const ToolResult result = runToolForTest({"suggest-roads", scene.map, "--evaluate", "50"});
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_GE(f1Of(result.out), 0.95) << sceneStyleName(style) << "\n" << result.out;
        EXPECT_TRUE(scene.temp.read("SCENARIO/S.MAP") == scene.world->document.toBytes());
    }
}

TEST(RoadTool, SuggestsBothSidesAndWritesOnlyTheRoadWords) {
    const SceneFolder scene(SceneStyle::ThickWinding);
    // The roads of a block wiped; the roads that lead into it from outside stay on
    // their outer side, and the block gives them their inner side back.
    MapDocument blank = scene.world->document;
    for (int row = 4; row <= 12; ++row) {
        for (int column = 5; column <= 15; ++column) {
            blank.cells[row][column].roads = 0;
        }
    }
    scene.temp.write("SCENARIO/BLANK.MAP", blank.toBytes());
    const std::string out = scene.temp.path() + "OUT.MAP";
    const ToolResult result =
        runToolForTest({"suggest-roads", scene.temp.path() + "SCENARIO/BLANK.MAP", "--region",
                        "5,4:15,12", "-o", out});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("region 5,4:15,12: 99 hexes\nlearnt from: "), std::string::npos)
        << result.out;
    const ToolResult checked = runToolForTest({"check", out});
    EXPECT_EQ(checked.out.find("one-sided-road"), std::string::npos) << checked.out;
    const MapDocument suggested = scene.read("OUT.MAP");
    int agreeing = 0;
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            HexCell expected = blank.cells[row][column];
            const bool inBlock = row >= 4 && row <= 12 && column >= 5 && column <= 15;
            if (inBlock) {
                expected.roads = suggested.cells[row][column].roads;
                agreeing += expected.roads == scene.world->document.cells[row][column].roads;
            }
            EXPECT_EQ(suggested.cells[row][column], expected) << row << "," << column;
        }
    }
    EXPECT_GE(agreeing, 99 - 2);
    EXPECT_TRUE(scene.temp.read("OUT.MAP").substr(12610) == blank.toBytes().substr(12610));

    // At sea every hex keeps no road: nothing is written.
    const ToolResult same = runToolForTest({"suggest-roads", scene.map, "--region", "0,0:1,19"});
    ASSERT_EQ(same.status, 0) << same.err;
    EXPECT_NE(same.out.find("\nchanged: 0\n"), std::string::npos) << same.out;
    EXPECT_TRUE(scene.temp.read("SCENARIO/S.MAP") == scene.world->document.toBytes());
}

TEST(RoadTool, NamesItsMistakesAndRefusesWhatCannotBeMeant) {
    const SceneFolder scene(SceneStyle::ThinStraight);
    // Roads painted but not set in the south half: suggesting finds them there.
    MapDocument half = scene.world->document;
    for (int row = 10; row < kMapRows; ++row) {
        for (auto& cell : half.cells[row]) {
            cell.roads = 0;
        }
    }
    half.cells[9].fill({});
    const std::string halfMap = scene.temp.write("SCENARIO/HALF.MAP", half.toBytes());
    const ToolResult evaluated = runToolForTest({"suggest-roads", halfMap, "--evaluate", "60"});
    ASSERT_EQ(evaluated.status, 0) << evaluated.err;
    std::istringstream lines(evaluated.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_TRUE(std::regex_match(
        line, std::regex(
                  R"(precision: \d\.\d{3} recall: \d\.\d{3} f1: \d\.\d{3} \(\d+ of \d+ joints\))")))
        << line;
    int mistakes = 0;
    while (std::getline(lines, line)) {
        ++mistakes;
        EXPECT_TRUE(
            std::regex_match(line, std::regex(R"(\(\d\d,\d\d\)-\(\d\d,\d\d\) (missed|extra))")))
            << line;
    }
    EXPECT_GT(mistakes, 0);
    EXPECT_LE(mistakes, 20);

    MapDocument none = scene.world->document;
    for (auto& row : none.cells) {
        for (auto& cell : row) {
            cell.roads = 0;
        }
    }
    const std::string noRoads = scene.temp.write("SCENARIO/NONE.MAP", none.toBytes());
    const std::string out = scene.temp.path() + "OUT.MAP";
    const std::vector<ToolCase> cases = {
        {{noRoads}, 1, "No road to learn from"},
        {{noRoads, "--evaluate", "50"}, 1, "No road to learn from"},
        {{scene.map, "--train", noRoads, "-o", out}, 0, "\nchanged: 0\n"},
        {{scene.map, "--region", "40,0:44,3"}, 1, "holds no hex of the map area"},
        {{scene.map, "--region", "4,2:45,8"}, 2, "not 4,2:45,8"},
        {{scene.map, "--evaluate", "100"}, 2, "PERCENT of 1..99"},
        {{scene.map, "--evaluate", "50", "-o", out}, 2, "takes no --region"},
        {{scene.map, "-o", out, "-o", out}, 2, "-o is given twice"},
        {{scene.map, noRoads}, 2, "one MAPFILE only"},
    };
    expectToolCases("suggest-roads", cases);
}

} // namespace
} // namespace maporv::tool
