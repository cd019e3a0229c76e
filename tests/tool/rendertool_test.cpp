#include "mapdata/mapdocument.h"
#include "picture/mappicture.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"
#include "toolrun.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <gtest/gtest.h>
#include <regex>

namespace maporv::tool {
namespace {

// A map with a one-tile 640 x 480 picture.
class RenderTool : public testing::Test {
protected:
    void SetUp() override {
        tile = temp.write("G/MAP/MAP0700.s16", test::s16Uniform(640, 480, 0x7C00));
        MapDocument document;
        document.mapNumber = 7;
        document.width = 45;
        document.height = 40;
        document.cells[2][3] = {1, 0x11, 0, 0, 0};
        map = temp.write("G/SCENARIO/DEMO.MAP", document.toBytes());
        out = temp.path() + "frame.png";
    }

    // The colour the picture's pixels have.
    QColor pictureColour() {
        test::ScriptedUserInterface ui;
        MapPicture picture(ui);
        EXPECT_TRUE(picture.load(tile));
        const test::Rgb c = test::pixelRgb(picture, 0, 0);
        return QColor(c.red, c.green, c.blue);
    }

    QImage rendered() { return QImage(QString::fromStdString(out)); }

    test::TempFolder temp;
    std::string tile;
    std::string map;
    std::string out;
};

const QColor kBackground(239, 237, 220);

TEST_F(RenderTool, WindowFrameAtFullSize) {
    const QColor picture = pictureColour();
    const ToolResult result = runToolForTest({"render", map, "-o", out, "--full"});
    ASSERT_EQ(result.status, 0) << result.err;
    const QImage frame = rendered();
    ASSERT_EQ(frame.size(), QSize(1024, 768));
    // The view starts at client (3, 25); the picture is narrower and lower than the view,
    // so it ends at the view's right and bottom edges (904 x 718).
    EXPECT_EQ(frame.pixelColor(3 + 904 - 640, 25 + 718 - 480), picture);
    EXPECT_EQ(frame.pixelColor(1, 300), kBackground);
    EXPECT_EQ(frame.pixelColor(3, 25), kBackground);
}

TEST_F(RenderTool, StrategicViewInAFullScreenMode) {
    const QColor picture = pictureColour();
    const ToolResult result = runToolForTest({"render", map, "-o", out, "--mode", "800x600"});
    ASSERT_EQ(result.status, 0) << result.err;
    const QImage frame = rendered();
    ASSERT_EQ(frame.size(), QSize(800, 600));
    // 13 x 42.666666666 x 640 / 1920 = 184 wide, centred in the 683 wide map area.
    const int left = (683 - 184) / 2;
    const QColor shown = frame.pixelColor(left + 5, 47 + 5);
    // 16 bits per pixel: within the rounding of 5 and 6 bits a channel.
    EXPECT_NEAR(shown.red(), picture.red(), 8);
    EXPECT_NEAR(shown.green(), picture.green(), 4);
    EXPECT_NEAR(shown.blue(), picture.blue(), 8);
    EXPECT_NE(frame.pixelColor(left - 2, 47 + 5), shown);
}

TEST_F(RenderTool, SizeSelectionAndOverlaysChangeTheFrame) {
    ASSERT_EQ(
        runToolForTest({"render", map, "-o", out, "--full", "--size", "900x700", "--scroll", "0,0"})
            .status,
        0);
    const QImage plain = rendered();
    ASSERT_EQ(plain.size(), QSize(900, 700));
    ASSERT_EQ(runToolForTest({"render", map,       "-o",         out,         "--full",
                              "--size", "900x700", "--select",   "0,1-1,2",   "--select",
                              "5,5",    "--grid",  "--roads",    "--terrain", "--filter",
                              "all",    "--icons", "--no-names", "--pointer", "200,200"})
                  .status,
              0);
    EXPECT_NE(rendered(), plain);
}

TEST_F(RenderTool, FramesReportsTheMedianTime) {
    const ToolResult result = runToolForTest({"render", map, "-o", out, "--frames", "3"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(
        std::regex_match(result.out, std::regex("frames: 3 median_ms: [0-9]+\\.[0-9]{3}\n")))
        << result.out;
    EXPECT_FALSE(rendered().isNull());
}

TEST_F(RenderTool, UsageErrors) {
    const std::vector<std::vector<std::string>> cases{
        {"render", map},
        {"render", "-o", out},
        {"render", map, map, "-o", out},
        {"render", map, "-o", out, "--mode", "640x480"},
        {"render", map, "-o", out, "--size", "100"},
        {"render", map, "-o", out, "--filter", "1,20"},
        {"render", map, "-o", out, "--scroll", "5"},
        {"render", map, "-o", out, "--pointer", "a,b"},
        {"render", map, "-o", out, "--select", "40,0"},
        {"render", map, "-o", out, "--select", "1,1-2"},
        {"render", map, "-o", out, "--frames", "0"},
        {"render", map, "-o", out, "--zoom"},
    };
    for (const auto& args : cases) {
        const ToolResult result = runToolForTest(args);
        EXPECT_EQ(result.status, 2) << args.back();
        EXPECT_NE(result.err.find("Usage: maporv-tool render"), std::string::npos);
    }
}

TEST_F(RenderTool, LoadAndWriteFailuresExitWithOne) {
    EXPECT_EQ(runToolForTest({"render", temp.path() + "G/SCENARIO/NONE.MAP", "-o", out}).status, 1);
    EXPECT_EQ(runToolForTest({"render", map, "-o", temp.path() + "no/such/folder/x.png"}).status,
              1);
}

} // namespace
} // namespace maporv::tool
