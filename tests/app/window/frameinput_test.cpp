#include "app/commands/commandids.h"
#include "app/window/framesurface.h"
#include "app/window/mapframe.h"
#include "apptesting.h"
#include "display/surface.h"
#include "editing/brush.h"
#include "mapdata/mapdocument.h"
#include "mapdata/textformat.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <functional>
#include <utility>

namespace maporv {
namespace {

class FrameInputTest : public test::EditorTest {
protected:
    int hexesWithTerrain(int terrain) {
        int count = 0;
        for (const auto& row : document().cells) {
            count += static_cast<int>(
                std::count_if(row.begin(), row.end(),
                              [terrain](const HexCell& hex) { return hex.terrain == terrain; }));
        }
        return count;
    }
    HexCoord cursor() { return {frame().grid().cursor.row, frame().grid().cursor.column}; }
    HexCoord current() { return {frame().view().currentHex.row, frame().view().currentHex.column}; }

    QPoint at(HexCoord hex) { return frame().surface().toWidget(hexPoint(hex.row, hex.column)); }
    // The pointer moved with the buttons held, then a frame as the render loop draws it.
    void moveTo(QPoint point) {
        QCursor::setPos(frame().surface().mapToGlobal(point));
        QTest::mouseMove(&frame().surface(), point);
        tick();
    }
    // A button held at the first hex, moved over the others and let go at the last;
    // midway runs after the second.
    void drag(Qt::MouseButton button, const std::vector<HexCoord>& hexes,
              Qt::KeyboardModifiers modifiers = {}, const std::function<void()>& midway = {}) {
        pointAt(hexes.front().row, hexes.front().column);
        QTest::mousePress(&frame().surface(), button, modifiers, at(hexes.front()));
        for (std::size_t i = 1; i < hexes.size(); ++i) {
            moveTo(at(hexes[i]));
            if (i == 1 && midway) {
                midway();
            }
        }
        QTest::mouseRelease(&frame().surface(), button, {}, at(hexes.back()));
    }

    // The hexes with data "(row,column)terrain/roads", the selected ones, and the
    // history: what a stroke left.
    std::string outcome() {
        std::string out;
        for (int row = 0; row < kMapRows; ++row) {
            for (int column = 0; column < kMapColumns; ++column) {
                const HexCell& hex = cell(row, column);
                if (hex.terrain != 0 || hex.roads != 0) {
                    out += strprintf("(%d,%d)%d/%02X ", row, column, hex.terrain, hex.roads);
                }
            }
        }
        const Selection& selection = app->session().selection();
        out += strprintf("| %d selected:", selection.selectedCount());
        for (const HexCoord hex : selection.targets(-1, -1)) {
            out += selection.selectedCount() <= 6 ? strprintf(" (%d,%d)", hex.row, hex.column) : "";
        }
        return out +
               strprintf(" | %zu steps, undo %s", history().size(), history().undoName().c_str());
    }
};

TEST_F(FrameInputTest, StrokesOfTheMouse) {
    changeBrush([](Brush& b) { b = {5, 0x12, 0}; });
    const std::vector<std::pair<const char*, std::function<std::string()>>> cases = {
        // A row at the right button, (3,4) skipped by a fast move: one step.
        {"(3,2)5/12 (3,3)5/12 (3,4)5/12 (3,5)5/12 | 0 selected: | 1 steps, undo Set Data (4 hexes)",
         [&] {
             drag(Qt::RightButton, {{3, 2}, {3, 3}, {3, 5}});
             return outcome();
         }},
        // The left button adds, Shift inverts each hex once, Ctrl draws a block from
        // the press that follows the pointer.
        {"| 3 selected: (5,2) (5,3) (5,4) | 0 steps, undo ",
         [&] {
             drag(Qt::LeftButton, {{5, 2}, {5, 3}, {5, 4}});
             return outcome();
         }},
        {"| 2 selected: (5,2) (5,4) | 0 steps, undo ",
         [&] {
             clickHex(5, 3);
             drag(Qt::LeftButton, {{5, 2}, {5, 3}, {5, 4}, {5, 3}}, Qt::ShiftModifier);
             return outcome();
         }},
        {"| 37 selected: | 0 steps, undo ",
         [&] {
             clickHex(1, 1);
             drag(Qt::LeftButton, {{6, 6}, {7, 8}, {6, 7}}, Qt::ControlModifier);
             EXPECT_TRUE(app->session().selection().isSelected(6, 7));
             return outcome();
         }},
        // The middle button joins both sides of every step; Draw Roads gives the left
        // button to roads, and Shift takes them away.
        {"(9,10)0/10 (10,10)0/09 (10,11)0/88 (11,12)0/80 | 0 selected: | 1 steps, undo Draw "
         "Road (4 hexes)",
         [&] {
             drag(Qt::MiddleButton, {{9, 10}, {10, 10}, {11, 12}});
             return outcome();
         }},
        {"(2,2)0/08 (2,3)0/80 | 0 selected: | 2 steps, undo Remove Road (2 hexes)",
         [&] {
             app->commands().run(kCmdDrawRoads);
             EXPECT_TRUE(app->commands().isChecked(kCmdDrawRoads));
             drag(Qt::LeftButton, {{2, 2}, {2, 3}, {3, 4}});
             drag(Qt::LeftButton, {{2, 3}, {3, 4}}, Qt::ShiftModifier);
             app->commands().run(kCmdDrawRoads);
             return outcome();
         }},
        // Held beyond the view's left edge at full size, the map scrolls 5 pixels a
        // frame and the stroke goes on along the edge.
        {"scroll 180, undo Set Data (3 hexes)",
         [&] {
             frame().grid().scrollX = 200;
             drag(Qt::RightButton, {{5, 6}, {5, 6}}, {}, [&] {
                 moveTo({frame().grid().viewRect.left - 30, hexPoint(5, 6).y()});
                 tick(), tick(), tick();
             });
             return strprintf("scroll %d, undo %s", frame().grid().scrollX,
                              history().undoName().c_str());
         }},
        // A key ends the stroke before it acts: Ctrl+Z takes back the hexes painted so
        // far, and the pointer paints no more.
        {"| 0 selected: | 1 steps, undo  redo Set Data (2 hexes)",
         [&] {
             drag(Qt::RightButton, {{3, 2}, {3, 3}, {3, 4}}, {},
                  [&] { press(Qt::Key_Z, Qt::ControlModifier); });
             return outcome() + " redo " + history().redoName();
         }},
        // A click, a right click and a double click do what they always did.
        {"(2,2)5/12 | 1 selected: (6,6) | 1 steps, undo Set Data (1 hex) strategic 1",
         [&] {
             clickHex(2, 2);
             clickHex(4, 4, Qt::RightButton);
             clickHex(6, 6);
             QTest::mouseDClick(&frame().surface(), Qt::LeftButton, {}, at({6, 6}));
             QTest::mouseRelease(&frame().surface(), Qt::LeftButton, {}, at({6, 6}));
             return outcome() + strprintf(" strategic %d", frame().view().strategicView);
         }},
    };
    for (const auto& [expected, hands] : cases) {
        app->session().load(document().path);
        frame().grid().scrollHome();
        EXPECT_EQ(hands(), expected);
    }
}

TEST_F(FrameInputTest, SelectingAndSetting) {
    changeBrush([](Brush& b) { b.terrain = 5; });
    pointAt(4, 6);
    type('T'); // no selection: the hex under the pointer
    EXPECT_EQ(cell(4, 6).terrain, 5);
    clickHex(3, 3);
    pointAt(6, 6);
    type('T'); // the clicked hex, though the pointer moved on
    EXPECT_EQ(cell(3, 3).terrain, 5);
    EXPECT_EQ(hexesWithTerrain(5), 2);

    // Shift takes the only selected hex out; the selection stays active, T sets nothing.
    clickHex(3, 3, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_TRUE(document().selectionActive);
    changeBrush([](Brush& b) { b.terrain = 7; });
    type('T');
    EXPECT_EQ(hexesWithTerrain(7), 0);

    // Ctrl: the block from the anchor, which it spends; a right click sets the block.
    type('c');
    clickHex(2, 2);
    clickHex(4, 5, Qt::LeftButton, Qt::ControlModifier);
    clickHex(8, 8, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(app->session().selection().selectedCount(), 3 * 4);
    clickHex(6, 6, Qt::RightButton);
    EXPECT_EQ(hexesWithTerrain(7), 12);
    EXPECT_EQ(cell(6, 6).terrain, 0);
    EXPECT_EQ(current(), (HexCoord{6, 6}));

    // In full screen the click goes through the scaling.
    app->commands().run(kCmdMode1024x768);
    clickHex(9, 9);
    EXPECT_TRUE(app->session().selection().isSelected(9, 9));
}

TEST_F(FrameInputTest, TheBrushFromKeys) {
    change([&](MapWorkspace& w) { w.document.cells[5][5].roads = 0x12; });
    pointAt(5, 5);
    press(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(cell(5, 5).roads, 0);
    EXPECT_EQ(brush().roads, 0x12);
    change([&](MapWorkspace& w) { w.document.modified = false; });
    type('R');
    EXPECT_EQ(cell(5, 5).roads, 0x12);
    EXPECT_TRUE(document().modified);

    changeBrush([](Brush& b) { b.terrain = 19; });
    type('+');
    EXPECT_EQ(brush().terrain, 0);
    type('-');
    EXPECT_EQ(brush().terrain, 19);

    change([&](MapWorkspace& w) {
        w.document.cells[5][5].roads = 0x45;
    }); // 0x04 and 0x40 are no road box's
    press(Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(brush().roads, 0x45);

    // Ctrl letters are accelerators, never characters.
    clickHex(3, 3);
    press(Qt::Key_C, Qt::ControlModifier); // Get Data, not "c"
    press(Qt::Key_Z, Qt::ControlModifier); // Undo, not "z"
    EXPECT_TRUE(document().selectionActive);
    EXPECT_EQ(frame().view().strategicView, 0);
}

TEST_F(FrameInputTest, TheKeypadMovesTheCursorAndThePointer) {
    press(Qt::Key_Home);
    pointAt(5, 4);
    type('9', Qt::KeypadModifier); // even column: a row up
    EXPECT_EQ(cursor(), (HexCoord{4, 5}));
    type('9', Qt::KeypadModifier); // odd column: the same row
    EXPECT_EQ(cursor(), (HexCoord{4, 6}));
    tick();
    EXPECT_EQ(current(), (HexCoord{4, 6}));

    // At the border the cursor stays, and the pointer comes back onto it.
    pointAt(0, 3);
    QCursor::setPos(frame().surface().mapToGlobal(hexPoint(6, 6)));
    type('8', Qt::KeypadModifier);
    tick();
    EXPECT_EQ(current(), (HexCoord{0, 3}));
    // Alt and the keypad with Num Lock off: Page Up is "9", Left is "4".
    press(Qt::Key_PageUp, Qt::AltModifier | Qt::KeypadModifier);
    EXPECT_EQ(cursor(), (HexCoord{0, 4}));
    for (int i = 0; i < 5; ++i) {
        press(Qt::Key_Left, Qt::AltModifier | Qt::KeypadModifier);
    }
    EXPECT_EQ(cursor(), (HexCoord{0, 0}));
}

TEST_F(FrameInputTest, ScrollingStaysInRange) {
    HexGrid& grid = frame().grid();
    grid.scrollY = grid.maxScrollY - 40;
    press(Qt::Key_PageDown);
    EXPECT_EQ(grid.scrollY, grid.maxScrollY);
    press(Qt::Key_End);
    press(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(grid.scrollX, grid.maxScrollX - 15);

    const auto wheel = [&](int delta) {
        const QPointF at((grid.viewRect.left + grid.viewRect.right) / 2, grid.viewRect.top + 9);
        QWheelEvent event(at, at, QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&frame().surface(), &event);
    };
    grid.scrollY = 100;
    wheel(-120);
    EXPECT_EQ(grid.scrollY, 115);
    grid.scrollY = 10;
    wheel(120);
    EXPECT_EQ(grid.scrollY, 0);
}

TEST_F(FrameInputTest, CapsLockWarnsAndMakesCapitals) {
    const Rect& box = frame().view().roadBox.placeRect;
    const auto warning = [&] {
        tick();
        return frame().display().frontSurface()->image().copy(box.left, box.bottom + 3, box.width(),
                                                              60);
    };
    changeBrush([](Brush& b) { b.terrain = 4; });
    pointAt(3, 3);
    const QImage before = warning();
    type('t');
    EXPECT_EQ(cell(3, 3).terrain, 0);
    press(Qt::Key_CapsLock);
    EXPECT_TRUE(frame().view().capsLockOn);
    EXPECT_NE(warning(), before); // "CAPS LOCK", "Warning", "R,T,N & D", "changes data"
    type('T');                    // the same key as the platform delivers it with Caps Lock on
    EXPECT_EQ(cell(3, 3).terrain, 4);
}

TEST_F(FrameInputTest, AtRestNoFramesUntilSomethingChangesAnyWay) {
    app->renderLoop()->setSkipUnchanged(true);
    const HexGrid& grid = frame().grid();
    const auto global = [&](Point point) {
        return frame().surface().mapToGlobal(QPoint(point.x, point.y));
    };
    pointAt(4, 6);
    EXPECT_FALSE(tick());
    changeBrush([](Brush& b) { b.terrain = 5; });
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a key", [&] { type('T'); }},
        {"undo", [&] { app->commands().run(kCmdUndo); }},
        {"Caps Lock", [&] { press(Qt::Key_CapsLock); }},
        {"the pointer", [&] { QCursor::setPos(QCursor::pos() + QPoint(1, 0)); }},
        {"a panel click", [&] { clickPanel(1); }},
        {"a timer",
         [&] {
             QTimer::singleShot(0, [&] {
                 change([](MapWorkspace& w) { w.document.cells[30][40].roads = 0x12; });
             });
             QCoreApplication::processEvents();
         }},
        {"a load", [&] { app->load(document().path, false); }},
        {"the Set data dialog", [&] { app->commands().run(kCmdSetDataDialog); }},
    };
    for (const auto& [what, change] : changes) {
        SCOPED_TRACE(what);
        const int drawn = frame().framesDrawn();
        change();
        tick();
        EXPECT_GT(frame().framesDrawn(), drawn);
        EXPECT_FALSE(tick());
    }

    // A frame that met a lost image is drawn again, with the images loaded anew.
    frame().view().roadBox.surface->simulateLost();
    EXPECT_TRUE(tick());
    EXPECT_TRUE(tick());
    EXPECT_FALSE(tick());

    // Resting at the work area's top edge, where the map scrolls: a frame at every turn.
    QCursor::setPos(global({grid.viewRect.left + 100, 0}).x(), test::kTestWorkArea.top);
    EXPECT_TRUE(tick());
    EXPECT_TRUE(tick());
    QCursor::setPos(global({grid.viewRect.left + 100, grid.viewRect.top + 100}));
    EXPECT_TRUE(tick());
    EXPECT_FALSE(tick());
}

// Before the pointer has been over the map the characters and the Alt keypad keys are
// swallowed; the window's other Alt keys go on.
class NoCurrentHexTest : public test::AppTest {};

TEST_F(NoCurrentHexTest, KeysWaitForThePointerOverTheMap) {
    test::writeSetting(QStringLiteral("Settings/LastOpen"),
                       QString::fromStdString(game.scenario()));
    QCursor::setPos(-50, -50);
    start();
    ASSERT_FALSE(frame().hasCurrentHex());
    changeBrush([](Brush& b) { b.terrain = 5; });
    const auto swallowed = [&](Qt::Key key, Qt::KeyboardModifiers modifiers, const char* text) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, QString::fromLatin1(text));
        QApplication::sendEvent(&frame().surface(), &event);
        return event.isAccepted();
    };
    EXPECT_TRUE(swallowed(Qt::Key_T, Qt::NoModifier, "T"));
    EXPECT_TRUE(swallowed(Qt::Key_Z, Qt::NoModifier, "Z"));
    EXPECT_TRUE(swallowed(Qt::Key_8, Qt::KeypadModifier, "8"));
    EXPECT_TRUE(swallowed(Qt::Key_8, Qt::AltModifier, ""));
    EXPECT_FALSE(swallowed(Qt::Key_X, Qt::AltModifier, ""));
    QTest::keyClick(&frame().surface(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_FALSE(app->workspace().document.modified);
    EXPECT_EQ(app->session().brush().terrain, 5);
    EXPECT_EQ(frame().view().strategicView, 1);
    EXPECT_EQ(QCursor::pos(), QPoint(-50, -50));
}

} // namespace
} // namespace maporv
