// The fingerprint of what a frame reads, which lets an editor at rest skip its frames.

#include "display/surface.h"
#include "mapviewtesting.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>
#include <utility>

namespace maporv {
namespace {

// A 640 x 480 window with a 700 x 600 picture at full size, the pointer over a named
// hex of the view, the brush naming another.
class FrameInputs : public test::MapViewTest {
protected:
    void SetUp() override {
        start(kWindowMode);
        view->strategicView = 0;
        showPattern(700, 600);
        int riverside = 0;
        change([&](MapWorkspace& w) {
            w.names.setNameAt(1, 1, w.names.addName("Hilltown"));
            riverside = w.names.addName("Riverside");
        });
        changeBrush([&](Brush& b) { b.nameIndex = riverside; });
        ASSERT_EQ(frameWithPointerAt(at), kOk);
    }
    std::uint64_t inputs() const { return view->InputFingerprint(pointer.at); }
    // A change of the session's parts in what, as its operations make them.
    std::function<void()> changing(SessionChanges what, std::function<void(MapWorkspace&)> apply) {
        return [this, what, apply] { session.change(what, apply); };
    }
    std::function<void()> changingBrush(std::function<void(Brush&)> apply) {
        return [this, apply] { changeBrush(apply); };
    }

    const Point at{100, 100};
};

TEST_F(FrameInputs, AFrameOfTheSameInputsKeepsThemAndThePixels) {
    const std::uint64_t drawn = inputs();
    const QImage shown = front().image().copy();
    ASSERT_EQ(frameWithPointerAt(at), kOk);
    EXPECT_EQ(inputs(), drawn);
    EXPECT_EQ(front().image(), shown);
}

TEST_F(FrameInputs, EveryInputOfTheFrameChangesTheFingerprint) {
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"pointer", [&] { ++pointer.at.y; }},
        {"scroll", [&] { grid.scrollX += 5; }},
        {"cursor hex", [&] { grid.cursor.column += 1; }},
        {"view toggle", [&] { view->setToggle(kToggleRoads, 1); }},
        {"terrain filter", [&] { view->terrainFilter[4] = !view->terrainFilter[4]; }},
        {"labels", [&] { view->showLabels = !view->showLabels; }},
        {"Caps Lock", [&] { view->capsLockOn = true; }},
        {"Set data dialog", [&] { view->setDataDialogOpen = true; }},
        {"brush terrain", changingBrush([](Brush& b) { b.terrain = 3; })},
        {"brush roads", changingBrush([](Brush& b) { b.roads = 0x10; })},
        {"brush name", changingBrush([](Brush& b) { b.nameIndex = 1; })},
        {"the brush's name text",
         changing(kNamesChanged,
                  [&](MapWorkspace& w) { w.names.setNameText(brush.nameIndex, "Riverton"); })},
        {"the current hex's name text",
         changing(kNamesChanged, [](MapWorkspace& w) { w.names.setNameText(1, "Lowtown"); })},
        {"a far cell's terrain",
         changing(kMapChanged, [](MapWorkspace& w) { w.document.cells[39][44].terrain = 9; })},
        {"a cell's roads",
         changing(kMapChanged, [](MapWorkspace& w) { w.document.cells[20][2].roads = 0x40; })},
        {"a cell's kept byte",
         changing(kMapChanged, [](MapWorkspace& w) { w.document.cells[0][0].extra2 = 1; })},
        {"a selection flag",
         changing(kSelectionChanged, [](MapWorkspace& w) { w.document.selected[12][30] = 1; })},
        {"a hex's name entry",
         changing(kNamesChanged, [](MapWorkspace& w) { w.names.nameIndex[38][1] = 2; })},
        {"map modified",
         changing(kDocumentChanged, [](MapWorkspace& w) { w.document.modified = true; })},
        {"map header", changing(kMapChanged, [](MapWorkspace& w) { w.document.width = 30; })},
        {"names modified",
         changing(kDocumentChanged, [](MapWorkspace& w) { w.names.modified = true; })},
        {"info text",
         changing(kDocumentChanged, [](MapWorkspace& w) { w.infoText = " DEMO.MAP"; })},
        {"title text", [&] { view->titleText = "DEMO.MAP"; }},
        {"notice", [&] { view->showNotice("Suggest Terrain: 3 hexes set"); }},
        {"an image's pixels", [&] { view->roadBox.surface->fill(nullptr, 0); }},
        {"picture loaded again", [&] { view->picture.LoadPicture(workspace.picture); }},
        {"a lost back surface", [&] { back().simulateLost(); }},
        {"layout", [&] { view->regions.bottomBar.top -= 1; }},
        {"display area", [&] { view->screenRect = view->screenRect.translated(0, 1); }},
        {"display made anew", [&] { view->InitDisplayMode(32); }},
        {"mode", [&] { view->videoMode = kMode800x600; }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        const std::uint64_t before = inputs();
        change();
        EXPECT_NE(inputs(), before);
    }
}

} // namespace
} // namespace maporv
