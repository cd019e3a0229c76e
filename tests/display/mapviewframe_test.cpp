// Frames of the map view, checked at the pixels where each part must land.

#include "display/surface.h"
#include "mapviewtesting.h"

#include <QImage>
#include <gtest/gtest.h>
#include <tuple>

namespace maporv {
namespace {

using test::CellMatch;
using test::MapViewTest;
using test::matchCell;
using test::matchCellExcept;
using test::matchImage;
using test::pixelsOtherThan;
using test::valueAt;

// A 640 x 480 window at 32 bits with a 700 x 600 picture at full size: the view is
// client (3, 25) to (523, 455).
class Frame : public MapViewTest {
protected:
    void SetUp() override {
        start(kWindowMode);
        view->strategicView = 0;
        showPattern(700, 600);
        grid.scrollX = 0;
        grid.scrollY = 0;
    }

    Status draw() { return frameWithPointerAt(offView()); }

    Point box(int row, int column) const {
        const HexPosition position = grid.hexToPixel(row, column);
        return {position.screenX, position.screenY};
    }
    Point centre(int row, int column) const {
        const Point at = box(row, column);
        return {at.x + grid.hexWidth / 2, at.y + grid.hexHeight / 2};
    }
    // A cell of the sheet's current strip at box + (dx, dy), clipped to the view.
    CellMatch cellAt(const SpriteSheet& sheet, int cell, Point at, int dx = 0, int dy = 0) {
        return matchCell(front(), sheet, sheet.currentRow(), cell, at.x + dx, at.y + dy,
                         viewClip());
    }
    QImage region(const Rect& r) {
        return front().image().copy(r.left, r.top, r.width(), r.height());
    }
    std::uint32_t background() const { return colour(kBackgroundColor); }
    // The bounding box of what is not background in the area.
    Rect inkIn(const Rect& area) {
        Rect ink{area.right, area.bottom, area.left, area.top};
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (valueAt(front(), x, y) != background()) {
                    ink = {std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
                           std::max(ink.bottom, y + 1)};
                }
            }
        }
        return ink;
    }
    void name(int row, int column, const std::string& text) {
        change([&](MapWorkspace& w) { w.names.setNameAt(row, column, w.names.addName(text)); });
    }
};

TEST_F(Frame, PictureAtTheViewsTopLeftAndBackgroundAround) {
    ASSERT_EQ(draw(), kOk);
    EXPECT_EQ(valueAt(front(), 3, 25), patternValue(0, 0));
    EXPECT_EQ(valueAt(front(), 522, 454), patternValue(519, 429));
    EXPECT_EQ(background(), 0xEFEDDCu); // red 239, green 237, blue 220
    // Left of the view, between the view and the panel, and under the view.
    EXPECT_EQ(valueAt(front(), 1, 200), background());
    EXPECT_EQ(valueAt(front(), 523, 200), background());
    EXPECT_EQ(valueAt(front(), 300, 455), background());

    grid.scrollX = 40;
    grid.scrollY = 30;
    ASSERT_EQ(draw(), kOk);
    EXPECT_EQ(valueAt(front(), 3, 25), patternValue(40, 30));
}
TEST_F(Frame, ScrollingPastTheEdgesIsPulledBack) {
    grid.scrollX = 5000;
    grid.scrollY = 5000;
    view->DrawPicture();
    EXPECT_EQ(grid.scrollX, 700 - 520);
    EXPECT_EQ(grid.scrollY, 600 - 430);

    grid.scrollX = 5000;
    ASSERT_EQ(draw(), kOk);
    // The picture's last column and row at the view's right and bottom edges.
    EXPECT_EQ(valueAt(front(), 522, 454), patternValue(699, 599));
    EXPECT_EQ(grid.scrollX, 180);
}

TEST_F(Frame, PictureSmallerThanTheViewSitsWhereTheGridPutsIt) {
    showPattern(300, 200);
    ASSERT_EQ(draw(), kOk);
    // The scroll limits are negative: the picture ends at the view's right and bottom
    // edges, and hex (0, 1), whose box starts at the picture's origin, goes with it.
    const Point origin{3 + 520 - 300, 25 + 430 - 200};
    EXPECT_EQ(box(0, 1), origin);
    EXPECT_EQ(valueAt(front(), origin.x, origin.y), patternValue(0, 0));
    EXPECT_EQ(valueAt(front(), origin.x - 1, origin.y), background());
    EXPECT_EQ(valueAt(front(), 522, 454), patternValue(299, 199));
}

TEST_F(Frame, StrategicViewScalesTheWholePictureIntoTheView) {
    view->strategicView = 1;
    for (const auto& [width, height] : {std::pair{700, 600}, std::pair{900, 500}}) {
        showPattern(width, height);
        grid.scrollX = 50;
        ASSERT_EQ(draw(), kOk);
        ASSERT_EQ(draw(), kOk);
        EXPECT_EQ(grid.scrollX, 0);
        const ViewRect& v = grid.viewRect;
        Surface reference(v.right - v.left, v.bottom - v.top, back().format());
        ASSERT_EQ(reference.stretchFrom(nullptr, *view->picture.surface, nullptr, false), kOk);
        EXPECT_EQ(region({v.left, v.top, v.right, v.bottom}), reference.image()) << width;
        EXPECT_EQ(valueAt(front(), v.right, v.top + 10), background());
    }
    EXPECT_EQ(grid.viewRect.right - grid.viewRect.left, 339); // 17 x 42.666666666 x 900 / 1920
}
TEST_F(Frame, SelectedHexShowsTheRedOutlineOverTheGrid) {
    view->showGrid = 1;
    change([](MapWorkspace& w) {
        w.document.selected[2][3] = 1;
        w.document.selectionActive = true;
    });
    ASSERT_EQ(draw(), kOk);
    // The red line is two pixels wide, inwards from the hex's edge: its outer pixels lie
    // on the grid line, which the neighbours drawn after it draw again.
    const Point at = box(2, 3);
    EXPECT_TRUE(
        matchCellExcept(front(), view->hexOutlines, 0, 0, 1, at.x, at.y, viewClip()).whole());
    // The top edge is shared with hexes drawn before: red over the grid line there.
    std::uint32_t red = 0;
    view->hexOutlines.surface->readPixel(30, 0, red);
    EXPECT_EQ(valueAt(front(), at.x + 30, at.y), red);
    EXPECT_TRUE(cellAt(view->hexOutlines, 1, box(2, 5)).whole());
    EXPECT_TRUE(cellAt(view->hexOutlines, 0, box(2, 5)).absent());

    view->showGrid = 0;
    ASSERT_EQ(draw(), kOk);
    EXPECT_TRUE(cellAt(view->hexOutlines, 1, box(2, 5)).absent());
    EXPECT_TRUE(cellAt(view->hexOutlines, 0, box(2, 3)).whole());
}

TEST_F(Frame, OutlinesAreCutAtTheViewsRightEdge) {
    view->showGrid = 1;
    grid.scrollX = 20;
    // Column 13 starts exactly on the view's right edge, column 12 straddles it.
    ASSERT_EQ(box(2, 13).x, grid.viewRect.right);
    change([](MapWorkspace& w) {
        w.document.selected[2][12] = 1;
        w.document.selected[2][13] = 1;
    });
    ASSERT_EQ(draw(), kOk);
    const Point straddling = box(2, 12);
    EXPECT_TRUE(
        matchCellExcept(front(), view->hexOutlines, 0, 0, 1, straddling.x, straddling.y, viewClip())
            .whole());
    EXPECT_TRUE(cellAt(view->hexOutlines, 1, box(3, 11)).whole());
    const Rect outside{grid.viewRect.right, grid.viewRect.top, grid.viewRect.right + 1,
                       grid.viewRect.bottom};
    EXPECT_EQ(pixelsOtherThan(front(), outside, background()), 0);
}

TEST_F(Frame, NamedCityAtFullSizeShowsIconUpLeftAndMarkerDownRight) {
    change([](MapWorkspace& w) { w.document.cells[2][3].terrain = 1; });
    name(2, 3, "Hilltown");
    view->showTerrain = 1;
    view->showLabels = false;
    ASSERT_EQ(draw(), kOk);
    // A 16 x 11 icon centred in the 60 x 50 box would sit at (22, 19).
    EXPECT_TRUE(cellAt(view->terrainIcons, 1, box(2, 3), 22 - 8, 19 - 5).whole());
    EXPECT_TRUE(cellAt(view->terrainIcons, 20, box(2, 3), 22 + 8, 19 + 6).whole());
}

TEST_F(Frame, LabelsAtFullSizeSitInTheLowerHalfForFilteredTypes) {
    change([](MapWorkspace& w) {
        w.document.cells[2][5].terrain = 1;
        w.document.cells[2][7].terrain = 3; // Forest is not marked at start
    });
    view->showTerrain = 1;
    ASSERT_EQ(draw(), kOk);
    EXPECT_TRUE(cellAt(view->terrainLabels, 1, box(2, 5), 0, 25).whole());
    EXPECT_TRUE(cellAt(view->terrainIcons, 1, box(2, 5), 14, 14).absent());
    EXPECT_TRUE(cellAt(view->terrainLabels, 3, box(2, 7), 0, 25).absent());
    view->terrainFilter[3] = true;
    ASSERT_EQ(draw(), kOk);
    EXPECT_TRUE(cellAt(view->terrainLabels, 3, box(2, 7), 0, 25).whole());
}
TEST_F(Frame, StrategicViewCentresIconsAndTheMarkerCoversTheIcon) {
    view->strategicView = 1;
    view->SetViewGeometry();
    change([](MapWorkspace& w) { w.document.cells[2][3].terrain = 1; });
    name(2, 3, "Hilltown");
    change([](MapWorkspace& w) { w.document.cells[2][5].terrain = 1; });
    view->showTerrain = 1;
    ASSERT_TRUE(view->showLabels);
    ASSERT_EQ(draw(), kOk);
    // Hexes are 24 x 16 here: icons at box + (4, 2); never labels.
    EXPECT_TRUE(cellAt(view->terrainIcons, 20, box(2, 3), 4, 2).whole());
    EXPECT_TRUE(cellAt(view->terrainIcons, 1, box(2, 5), 4, 2).whole());
    EXPECT_TRUE(cellAt(view->terrainLabels, 1, box(2, 5), 12 - 30, 8).absent());
}

TEST_F(Frame, UnknownTerrainCodeGetsNoMark) {
    change([](MapWorkspace& w) { w.document.cells[4][4].terrain = 23; });
    // Every type but Clear, the terrain of the hexes around.
    view->terrainFilter.fill(true);
    view->terrainFilter[0] = false;
    const Rect hex = Rect::fromSize(box(4, 4).x, box(4, 4).y, 61, 51);
    ASSERT_EQ(draw(), kOk);
    const QImage plain = region(hex);
    view->showTerrain = 1;
    for (const bool labels : {true, false}) {
        view->showLabels = labels;
        ASSERT_EQ(draw(), kOk);
        EXPECT_EQ(region(hex), plain) << "labels " << labels;
    }
}

TEST_F(Frame, RoadBitEShowsOnTheMapAndInTheRoadBoxButNotOnThePanel) {
    change([](MapWorkspace& w) { w.document.cells[2][3].roads = 0x04; });
    view->showRoads = 1;
    ASSERT_EQ(frameWithPointerAt(centre(2, 3)), kOk);
    EXPECT_TRUE(cellAt(view->roadMarks, 2, box(2, 3)).whole());
    EXPECT_TRUE(matchCell(front(), view->bigRoadMarks, 0, 2, view->bigRoadMarks.anchor.x,
                          view->bigRoadMarks.anchor.y, view->roadBox.placeRect)
                    .whole());

    const Point anchor = view->rightMenu.anchor;
    const Rect hexagon = Rect::fromSize(anchor.x, anchor.y, 61, 51);
    const QImage withoutRoads = region(hexagon);
    changeBrush([](Brush& b) { b.roads = 0x04; });
    ASSERT_EQ(frameWithPointerAt(centre(2, 3)), kOk);
    EXPECT_EQ(region(hexagon), withoutRoads);
    changeBrush([](Brush& b) { b.roads = 0x01; });
    ASSERT_EQ(frameWithPointerAt(centre(2, 3)), kOk);
    EXPECT_TRUE(
        matchCell(front(), view->bigRoadMarks, 0, 0, anchor.x, anchor.y, front().rect()).whole());
}

TEST_F(Frame, RoadBoxKeepsTheLastHexAfterThePointerLeaves) {
    change([](MapWorkspace& w) { w.document.cells[2][3].roads = 0x11; });
    ASSERT_EQ(frameWithPointerAt(centre(2, 3)), kOk);
    ASSERT_EQ(draw(), kOk);
    EXPECT_EQ(view->statusText, "");
    const Point anchor = view->bigRoadMarks.anchor;
    for (const int cell : {0, 4}) {
        EXPECT_TRUE(matchCell(front(), view->bigRoadMarks, 0, cell, anchor.x, anchor.y,
                              view->roadBox.placeRect)
                        .whole())
            << "cell " << cell;
    }
    EXPECT_GT(pixelsOtherThan(
                  front(), Rect::fromSize(view->roadBox.anchor.x, view->roadBox.anchor.y, 40, 14),
                  background()),
              0);
}

TEST_F(MapViewTest, WithoutAMapTheStatusLineNamesNoHex) {
    start(kWindowMode);
    ASSERT_EQ(frameWithPointerAt({200, 200}), kOk);
    EXPECT_EQ(view->statusText + view->roadsText, "");
}

TEST_F(Frame, ANoticeGivesWayWhenThePointerGoesToAnotherHexOrOffTheView) {
    const Point hex = centre(2, 3), off = offView();
    const std::tuple<Point, Point, bool> moves[] = {{hex, {hex.x + 3, hex.y}, true},
                                                    {hex, centre(2, 4), false},
                                                    {hex, off, false},
                                                    {off, {off.x + 20, off.y}, true},
                                                    {off, hex, false}}; // off: from a menu
    for (const auto& [from, to, kept] : moves) {
        frameWithPointerAt(from);
        view->showNotice("Suggest Terrain: 3 hexes set, 0 left as they were");
        frameWithPointerAt(from);
        frameWithPointerAt(to);
        EXPECT_EQ(view->notice().empty(), !kept) << to.x << "," << to.y;
    }
}

TEST_F(Frame, PanelAndItsTextsHideWhileTheSetDataDialogIsOpen) {
    ASSERT_EQ(draw(), kOk);
    const CellMatch shown = matchImage(front(), view->rightMenu);
    EXPECT_GT(shown.matching * 10, shown.opaque * 9); // the texts cover a little of it
    const Rect box0 = view->rightMenu.textBox(0).translated(view->rightMenu.placeRect.left,
                                                            view->rightMenu.placeRect.top);
    std::uint32_t cyan = 0;
    view->rightMenu.surface->readPixel(view->rightMenu.textBox(0).left + 2,
                                       view->rightMenu.textBox(0).top + 2, cyan);
    EXPECT_GT(pixelsOtherThan(front(), box0, cyan), 0);

    view->setDataDialogOpen = true;
    ASSERT_EQ(draw(), kOk);
    EXPECT_EQ(pixelsOtherThan(front(), view->rightMenu.placeRect, background()), 0);
    EXPECT_TRUE(matchImage(front(), view->roadBox).whole());
}

TEST_F(Frame, StatusLineIsCentredOverTheView) {
    ASSERT_EQ(frameWithPointerAt(centre(2, 5)), kOk);
    ASSERT_EQ(view->statusText, "Clear  (5,2) ");
    // The band above the view, right of the button bar.
    const Rect ink = inkIn({view->buttonBar.placeRect.right + 1, 0, 523, 24});
    ASSERT_LT(ink.left, ink.right);
    const int middle = (ink.left + ink.right) / 2;
    EXPECT_NEAR(middle, (3 + 523) / 2, 5);
    EXPECT_GE(ink.top, 2);
}

// A taller window, so the right column has room below the road box.
class TallFrame : public Frame {
protected:
    void SetUp() override {
        start(kWindowMode, {0, 0, 640, 600});
        view->strategicView = 0;
        showPattern(700, 700);
    }
};

TEST_F(TallFrame, ModifiedFlagsCapsLockAndInfoTextAppearWhenDue) {
    const Rect modified{524, 576 - 14, 640, 600};
    const Rect belowRoadBox{524, view->roadBox.placeRect.bottom + 3, 640,
                            view->roadBox.placeRect.bottom + 63};
    const Rect info{3, 576, 300, 600};
    change([](MapWorkspace& w) { w.infoText.clear(); });
    ASSERT_EQ(draw(), kOk);
    EXPECT_EQ(pixelsOtherThan(front(), modified, background()), 0);
    EXPECT_EQ(pixelsOtherThan(front(), belowRoadBox, background()), 0);
    EXPECT_EQ(pixelsOtherThan(front(), info, background()), 0);

    change([](MapWorkspace& w) { w.names.modified = true; });
    view->capsLockOn = true;
    change([](MapWorkspace& w) { w.infoText = " No file loaded"; });
    ASSERT_EQ(draw(), kOk);
    EXPECT_GT(pixelsOtherThan(front(), modified, background()), 0);
    const Rect lines = inkIn(belowRoadBox);
    EXPECT_GE(lines.top, belowRoadBox.top);
    EXPECT_GT(lines.bottom, belowRoadBox.top + 45); // four lines down to "changes data"
    EXPECT_NEAR((lines.left + lines.right) / 2, 640 - 115 / 2 - 2, 4);
    EXPECT_GT(pixelsOtherThan(front(), info, background()), 0);
}

TEST_F(Frame, WindowModePresentsACopyAndRestoresLostSurfaces) {
    ASSERT_EQ(draw(), kOk);
    EXPECT_EQ(front().image(), back().image());
    front().simulateLost();
    EXPECT_EQ(draw(), kOk);
    EXPECT_FALSE(front().isLost());
    back().simulateLost();
    EXPECT_EQ(draw(), kOk);
    EXPECT_FALSE(back().isLost());
    EXPECT_EQ(draw(), kOk);
    EXPECT_EQ(valueAt(front(), 3, 25), patternValue(0, 0));
}
TEST_F(Frame, LostImagesAreReloadedAfterTheFrame) {
    Surface* lost = view->rightMenu.surface.get();
    lost->simulateLost();
    EXPECT_EQ(draw(), kOk);
    ASSERT_TRUE(view->rightMenu.surface);
    EXPECT_NE(view->rightMenu.surface.get(), lost);
    EXPECT_FALSE(view->rightMenu.surface->isLost());
    EXPECT_TRUE(view->picture.loaded);
}

class FullScreenFrame : public MapViewTest {
protected:
    void SetUp() override {
        start(kMode800x600);
        view->strategicView = 0;
        showPattern(1000, 800);
        grid.scrollX = 0;
        grid.scrollY = 0;
    }
};

TEST_F(FullScreenFrame, TitleBarIsBlueWithLightTexts) {
    ASSERT_EQ(frameWithPointerAt(offView()), kOk);
    EXPECT_EQ(valueAt(front(), 300, 20), colour(kTitleBarColor));
    EXPECT_EQ(valueAt(front(), 0, 0), colour(kTitleBarColor));
    const std::uint32_t light = colour(kTitleTextColor);
    EXPECT_GT(pixelsOtherThan(front(), {0, 0, 800, 22}, colour(kTitleBarColor)), 0);
    int lightPixels = 0;
    for (const Rect& part : {Rect{0, 0, 120, 22}, Rect{300, 0, 500, 22}, Rect{650, 0, 800, 22}}) {
        const int other = pixelsOtherThan(front(), part, light);
        EXPECT_LT(other, part.width() * part.height()) << "no title text in " << part.left;
        lightPixels += part.width() * part.height() - other;
    }
    EXPECT_GT(lightPixels, 0);
}

TEST_F(FullScreenFrame, FlipShowsTheFrameWithItsTextsAndRestoresALostDisplay) {
    ASSERT_EQ(frameWithPointerAt(offView()), kOk);
    EXPECT_EQ(valueAt(front(), grid.viewRect.left, grid.viewRect.top), patternValue(0, 0));
    // The back surface now holds what was shown before: the black of the mode switch.
    EXPECT_EQ(valueAt(back(), grid.viewRect.left, grid.viewRect.top), 0u);
    EXPECT_GT(pixelsOtherThan(front(), {0, 0, 120, 22}, colour(kTitleBarColor)), 0);

    front().simulateLost();
    EXPECT_EQ(frameWithPointerAt(offView()), kOk);
    EXPECT_FALSE(front().isLost());
    EXPECT_FALSE(back().isLost());
}
} // namespace
} // namespace maporv
