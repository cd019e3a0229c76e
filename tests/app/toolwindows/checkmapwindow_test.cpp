#include "app/commands/commandids.h"
#include "app/toolwindows/checkmapwindow.h"
#include "app/window/framesurface.h"
#include "app/window/mapframe.h"
#include "apptesting.h"
#include "dialogprobe.h"
#include "editing/brush.h"
#include "editing/edithistory.h"
#include "mapdata/mapdocument.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gmock/gmock.h>

namespace maporv {
namespace {

using test::waitFor;
using ::testing::ElementsAre;

// The 1280 x 960 picture of the test map reaches 30 columns and 20 rows.
constexpr const char* kColumnsBeyond =
    "(30,00) beyond-picture: columns 30..44 lie beyond the picture's 1280 pixels";
constexpr const char* kRowsBeyond =
    "(00,20) beyond-picture: rows 20..39 lie beyond the picture's 960 pixels";
constexpr const char* kRoadNorth = "(05,05) one-sided-road: N to (05,04), which has no road S";

class CheckMapTest : public test::EditorTest {
protected:
    CheckMapWindow& open() {
        app->commands().run(kCmdCheckMap);
        EXPECT_TRUE(frame().checkMapWindowOpen());
        return *frame().checkMapWindow();
    }
    QListWidget& list() {
        return *test::child<QListWidget>(*frame().checkMapWindow(), "problemList");
    }
    std::vector<std::string> lines() {
        return test::listLines(*frame().checkMapWindow(), "problemList");
    }
    std::string title() { return frame().checkMapWindow()->windowTitle().toStdString(); }
    // The road brush set at the hex under the pointer.
    void setRoads(int row, int column, std::uint16_t roads) {
        brush().roads = roads;
        pointAt(row, column);
        type('R');
    }
};

TEST_F(CheckMapTest, TheListFollowsEditsAndUndo) {
    open();
    EXPECT_TRUE(app->commands().isChecked(kCmdCheckMap));
    EXPECT_THAT(lines(), ElementsAre(kColumnsBeyond, kRowsBeyond));
    EXPECT_EQ(title(), "Check Map: 2 problems");

    list().setCurrentRow(1);
    setRoads(5, 5, 0x01);
    EXPECT_TRUE(waitFor([&] { return lines().size() == 3; }));
    EXPECT_THAT(lines(), ElementsAre(kColumnsBeyond, kRoadNorth, kRowsBeyond));
    EXPECT_EQ(title(), "Check Map: 3 problems");
    EXPECT_EQ(list().currentItem()->text().toStdString(), kRowsBeyond); // still the user's line

    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(waitFor([&] { return lines().size() == 2; }));

    // Another map loaded, whose area the picture covers: it is clean.
    MapDocument small;
    small.mapNumber = 7;
    small.width = 30;
    small.height = 20;
    ASSERT_TRUE(app->load(game.temp.write("SCENARIO/SMALL.MAP", small.toBytes()), false));
    EXPECT_EQ(title(), "Check Map: no problems");
    EXPECT_THAT(lines(), ElementsAre("No problems found"));

    // F7 again closes it; it does not open in full screen.
    press(Qt::Key_F7);
    EXPECT_FALSE(frame().checkMapWindowOpen());
    app->commands().run(kCmdMode800x600);
    EXPECT_FALSE(app->commands().run(kCmdCheckMap));
}

TEST_F(CheckMapTest, ActivatingALineGoesToItsHexAtFullSize) {
    setRoads(5, 5, 0x01);
    app->commands().run(kCmdToggleStrategic);
    open();
    list().setFocus();
    list().setCurrentRow(1);
    QTest::keyClick(&list(), Qt::Key_Return);
    EXPECT_EQ(frame().grid().cursor.row, 5);
    EXPECT_EQ(frame().grid().cursor.column, 5);
    EXPECT_EQ(frame().view().toggle(kToggleStrategic), 0);
    EXPECT_TRUE(frame().selection().isSelected(5, 5));
    EXPECT_EQ(frame().selection().selectedCount(), 1);
    // The pointer went with it: the next frame keeps the hex.
    tick();
    EXPECT_EQ(frame().view().currentHex.row, 5);
    EXPECT_EQ(frame().view().currentHex.column, 5);
    EXPECT_TRUE(waitFor([&] { return frame().surface().hasFocus(); }));

    // A hex beyond the picture: the nearest one it shows.
    const QRect line = list().visualItemRect(list().item(0));
    // A double click arrives after the click it completes.
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, line.center());
    EXPECT_EQ(frame().grid().cursor.column, 5); // a click only picks the line
    QTest::mouseDClick(list().viewport(), Qt::LeftButton, {}, line.center());
    EXPECT_EQ(frame().grid().cursor.row, 0);
    EXPECT_EQ(frame().grid().cursor.column, 29);
}

TEST_F(CheckMapTest, TheMendIsOneUndoStepAndKeysPassToTheMap) {
    setRoads(5, 5, 0x01 | 0x08); // N, and SE to (6, 6)
    setRoads(8, 2, 0x10);
    document().modified = false;
    CheckMapWindow& window = open();
    auto* mend = test::child<QPushButton>(window, "mendButton");
    ASSERT_TRUE(mend->isEnabled());
    mend->click();
    EXPECT_THAT(lines(), ElementsAre(kColumnsBeyond, kRowsBeyond));
    EXPECT_FALSE(mend->isEnabled());
    EXPECT_EQ(cell(4, 5).roads, 0x10);
    EXPECT_EQ(cell(6, 6).roads, 0x80);
    EXPECT_EQ(cell(9, 2).roads, 0x01);
    EXPECT_TRUE(document().modified);
    EXPECT_EQ(frame().history().undoName(), "Mend Roads (3 hexes)");

    // Keys typed in the list reach the map: Ctrl+Z takes the mend back at once.
    list().setFocus();
    QTest::keyClick(&list(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(4, 5).roads, 0);
    EXPECT_EQ(frame().history().undoName(), "Set Roads (1 hex)");
    EXPECT_TRUE(waitFor([&] { return lines().size() == 4; }));
    EXPECT_TRUE(mend->isEnabled());

    // ESC closes the window, not the editor.
    QTest::keyClick(&list(), Qt::Key_Escape);
    EXPECT_FALSE(frame().checkMapWindowOpen());
    QApplication::processEvents();
    EXPECT_TRUE(ui.questions.empty()); // no exit flow asking to save the map
}

} // namespace
} // namespace maporv
