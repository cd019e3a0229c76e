// The map view's layout, view geometry, pointer tracking and load step.

#include "display/surface.h"
#include "mapviewtesting.h"
#include "picturefiles.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::MapViewTest;

// Parameterised cases are named by their name field.
template <typename Case>
std::string caseName(const testing::TestParamInfo<Case>& param) {
    return param.param.name;
}

struct LayoutCase {
    const char* name;
    int videoMode;
    Rect client;
    ViewRegions regions;
    Point roadBoxAt;
    Point dialogAnchor;
};

class Layouts : public MapViewTest, public testing::WithParamInterface<LayoutCase> {};

TEST_P(Layouts, PlaceRegionsImagesAndAnchors) {
    const LayoutCase& c = GetParam();
    start(c.videoMode, c.client);
    const ViewRegions& r = view->regions;
    EXPECT_EQ(r.titleBar, c.regions.titleBar);
    EXPECT_EQ(r.topBar, c.regions.topBar);
    EXPECT_EQ(r.bottomBar, c.regions.bottomBar);
    EXPECT_EQ(r.rightColumn, c.regions.rightColumn);
    EXPECT_EQ(r.mapArea, c.regions.mapArea);

    const Rect& column = c.regions.rightColumn;
    EXPECT_EQ(view->buttonBar.TopLeft(), Point(c.regions.topBar.left, c.regions.topBar.top));
    EXPECT_EQ(view->rightMenu.placeRect, Rect::fromSize(column.left, column.top, 116, 369));
    EXPECT_EQ(view->rightMenu.anchor, Point(column.left + 26, column.top + 168));
    EXPECT_EQ(view->roadBox.TopLeft(), c.roadBoxAt);
    EXPECT_EQ(view->roadBox.anchor, Point(c.roadBoxAt.x + 48, c.roadBoxAt.y + 3));
    EXPECT_EQ(view->bigRoadMarks.anchor, Point(c.roadBoxAt.x + 28, c.roadBoxAt.y + 28));
    EXPECT_EQ(view->bigRoadMarks.placeRect, view->roadBox.placeRect);
    EXPECT_EQ(view->DialogAnchor(), c.dialogAnchor);
}

INSTANTIATE_TEST_SUITE_P(
    MapView, Layouts,
    testing::Values(
        LayoutCase{"window",
                   kWindowMode,
                   {100, 50, 740, 530},
                   {{}, {3, 0, 523, 24}, {3, 456, 523, 480}, {524, 0, 640, 480}, {3, 25, 523, 455}},
                   {525, 371},
                   {100, 0}},
        LayoutCase{"full800",
                   kMode800x600,
                   {0, 0, 640, 480},
                   {{0, 0, 800, 22},
                    {0, 22, 683, 24},
                    {0, 576, 683, 600},
                    {684, 22, 800, 600},
                    {0, 47, 683, 575}},
                   {685, 393},
                   {0, 22}},
        LayoutCase{"full1024",
                   kMode1024x768,
                   {0, 0, 640, 480},
                   {{0, 0, 1024, 22},
                    {0, 22, 907, 24},
                    {0, 744, 907, 768},
                    {908, 22, 1024, 768},
                    {0, 47, 907, 743}},
                   {909, 393},
                   {0, 22}}),
    caseName<LayoutCase>);

TEST_F(MapViewTest, RightMenuAnswersClicksOnItsButtons) {
    start(kWindowMode); // the panel's top-left is client (524, 0)
    const std::vector<std::pair<Point, int>> clicks{
        {{524 + 5, 88}, 0},    {{524 + 40, 103}, 1},  {{524 + 99, 222}, 4}, {{524 + 60, 340}, 11},
        {{524 + 110, 356}, 9}, {{524 + 112, 27}, 12}, {{524 + 23, 88}, -1}, {{524 + 60, 300}, -1}};
    for (const auto& [at, index] : clicks) {
        EXPECT_EQ(view->rightMenu.HitTest(at.x, at.y), index) << at.x - 524 << ", " << at.y;
    }
}

struct StrategicCase {
    const char* name;
    int videoMode;
    Rect client;
    int viewWidth;
    int viewHeight;
    GridConstants constants;
    int strip;
};

class StrategicSizes : public MapViewTest, public testing::WithParamInterface<StrategicCase> {};

TEST_P(StrategicSizes, TruncateTheReducedPictureAndCentreIt) {
    const StrategicCase& c = GetParam();
    start(c.videoMode, c.client);
    showPattern(1800, 1800);

    EXPECT_EQ(grid.viewWidth, c.viewWidth);
    EXPECT_EQ(grid.viewHeight, c.viewHeight);
    EXPECT_EQ(grid.columnStep, c.constants.columnStep);
    EXPECT_EQ(grid.edgeLimit, c.constants.edgeLimit);
    EXPECT_TRUE(grid.fixedView);
    EXPECT_EQ(grid.maxScrollX, 1800);
    EXPECT_EQ(view->picture.shownWidth, 1800);
    EXPECT_EQ(view->hexOutlines.currentRow(), c.strip);
    EXPECT_EQ(view->roadMarks.currentRow(), c.strip);
    // Centred across the map area, at its top.
    const Rect& area = view->regions.mapArea;
    const int left = area.left + (area.width() - c.viewWidth) / 2;
    EXPECT_EQ(view->picture.placeRect,
              Rect(left, area.top, left + c.viewWidth, area.top + c.viewHeight));
    EXPECT_EQ(grid.originX, left);
}

INSTANTIATE_TEST_SUITE_P(
    MapView, StrategicSizes,
    testing::Values(
        // The exact ratio would give 680: the double product is a hair below it.
        StrategicCase{"window", kWindowMode, {0, 0, 1024, 768}, 679, 576, kStrategicGrid, 1},
        StrategicCase{"full1024", kMode1024x768, {}, 679, 576, kStrategicGrid, 1},
        StrategicCase{"full800", kMode800x600, {}, 519, 431, kStrategicGrid800x600, 2}),
    caseName<StrategicCase>);

TEST_F(MapViewTest, GeometryPutsThePointerOnTheCursorHexCentre) {
    start(kWindowMode, {100, 50, 740, 530});
    view->strategicView = 0;
    grid.cursor.row = 3;
    grid.cursor.column = 4;
    showPattern(1200, 1000);
    // Hex (3, 4) has its box at picture (135, 125), the view starts at client (3, 25):
    // the centre (29, 24) into the box, in screen coordinates.
    ASSERT_FALSE(pointer.placed.empty());
    EXPECT_EQ(pointer.placed.back(), Point(100 + 3 + 135 + 29, 50 + 25 + 125 + 24));
}

TEST_F(MapViewTest, LoadStepShowsTheWorkspacePictureAndSizesTheGrid) {
    test::TempFolder temp;
    temp.write("G/MAP/MAP0700.s16", test::s16Uniform(640, 480, 0x7C00));
    MapDocument map;
    map.mapNumber = 7;
    const std::string path = temp.write("G/SCENARIO/DEMO.MAP", map.toBytes());
    start(kWindowMode);
    ASSERT_TRUE(session.load(path).pictureLoaded);

    view->ShowLoadedPicture();
    EXPECT_TRUE(view->gridReady);
    EXPECT_TRUE(grid.mapPresent);
    EXPECT_EQ(grid.maxRow, 9);     // 480 / 50
    EXPECT_EQ(grid.maxColumn, 15); // 640 / 45 = 14, even, so one more
    EXPECT_EQ(view->titleText, "DEMO.MAP");
    const test::Rgb corner = test::pixelRgb(workspace.picture, 0, 0);
    const std::uint32_t shown = colour((static_cast<std::uint32_t>(corner.blue) << 16) |
                                       (static_cast<std::uint32_t>(corner.green) << 8) |
                                       static_cast<std::uint32_t>(corner.red));
    ASSERT_EQ(frameWithPointerAt(offView()), kOk);
    EXPECT_EQ(test::valueAt(front(), grid.viewRect.left, grid.viewRect.top), shown);

    // A dialog's preview overwrites the shared pixels; once it is done the map's picture is
    // read again, and the reload shows it.
    {
        const EditSession::PictureLease lease = session.lendPictureBuffer();
        MapPicture preview(ui);
        test::makePatternPicture(preview, 100, 100);
    }
    view->ReloadImages();
    ASSERT_EQ(frameWithPointerAt(offView()), kOk);
    EXPECT_EQ(test::valueAt(front(), grid.viewRect.left, grid.viewRect.top), shown);
}

TEST(MapViewText, TerrainTexts) {
    const std::vector<std::pair<int, std::string>> cases{
        {0, "Clear"}, {19, "Lake region"}, {20, "20"}, {23, "23"}, {105, "05"}, {1000, "00"}};
    for (const auto& [code, text] : cases) {
        EXPECT_EQ(MapView::terrainText(code), text) << code;
    }
}

class CursorStatus : public MapViewTest {
protected:
    void SetUp() override {
        start(kWindowMode, {100, 50, 740, 530});
        view->strategicView = 0;
        showPattern(1200, 1000);
        grid.scrollX = 0;
        grid.scrollY = 0;
        change([](MapWorkspace& w) { w.document.cells[3][5] = {1, 0x11, 0, 0, 0}; });
        change([](MapWorkspace& w) { w.names.setNameAt(3, 5, w.names.addName("Hilltown")); });
    }
    // The centre of a hex's box, in client coordinates.
    Point centreOf(int row, int column) const {
        const HexPosition position = grid.hexToPixel(row, column);
        return {position.screenX + 30, position.screenY + 25};
    }
};

TEST_F(CursorStatus, NamesTheHexUnderThePointer) {
    EXPECT_FALSE(view->currentHex.exists);
    const Point centre = centreOf(3, 5);
    // The pointer in screen coordinates; the window's client starts at (100, 50).
    pointer.at = {100 + centre.x, 50 + centre.y};
    ASSERT_EQ(view->RenderFrame(), kOk);

    EXPECT_EQ(view->statusText, "City  (5,3) Hilltown");
    EXPECT_EQ(view->roadsText, " 17");
    EXPECT_TRUE(view->currentHex.exists);
    EXPECT_EQ(view->currentHex.row, 3);
    EXPECT_EQ(view->currentHex.column, 5);
    EXPECT_EQ(view->currentCell().terrain, 1);
    EXPECT_EQ(grid.cursor.row, 3);
}

TEST_F(CursorStatus, OffTheViewTheStatusEmptiesAndTheRoadsStay) {
    ASSERT_EQ(frameWithPointerAt(centreOf(3, 5)), kOk);
    ASSERT_EQ(frameWithPointerAt(offView()), kOk);
    EXPECT_EQ(view->statusText, "");
    EXPECT_EQ(view->roadsText, " 17");
    EXPECT_TRUE(view->currentHex.exists);
    EXPECT_EQ(view->currentHex.column, 5);
}

TEST_F(CursorStatus, UnknownTerrainShowsItsLastTwoDigits) {
    change([](MapWorkspace& w) { w.document.cells[4][4].terrain = 23; });
    ASSERT_EQ(frameWithPointerAt(centreOf(4, 4)), kOk);
    EXPECT_EQ(view->statusText, "23  (4,4) ");
}

struct EdgeCase {
    const char* name;
    Point screen;
    int scrollX;
    int scrollY;
};

class EdgeScrolling : public MapViewTest, public testing::WithParamInterface<EdgeCase> {};

// Window mode scrolls at the edges of the desktop's work area (0, 0, 1920, 1080), not
// at the window's.
TEST_P(EdgeScrolling, MovesFivePixelsTowardsTheEdge) {
    const EdgeCase& c = GetParam();
    start(kWindowMode, {100, 50, 740, 530});
    view->strategicView = 0;
    showPattern(1200, 1000);
    grid.scrollX = 100;
    grid.scrollY = 100;
    pointer.at = c.screen;
    ASSERT_EQ(view->RenderFrame(), kOk);
    EXPECT_EQ(grid.scrollX, c.scrollX);
    EXPECT_EQ(grid.scrollY, c.scrollY);
}

INSTANTIATE_TEST_SUITE_P(MapView, EdgeScrolling,
                         testing::Values(EdgeCase{"left", {1, 500}, 95, 100},
                                         EdgeCase{"right", {1919, 500}, 105, 100},
                                         EdgeCase{"notQuiteRight", {1918, 500}, 100, 100},
                                         EdgeCase{"bottom", {500, 1079}, 100, 105},
                                         EdgeCase{"windowEdge", {739, 529}, 100, 100}),
                         caseName<EdgeCase>);

} // namespace
} // namespace maporv
