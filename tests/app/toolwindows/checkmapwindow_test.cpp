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
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gmock/gmock.h>

namespace maporv {
namespace {

using test::waitFor;
using ::testing::ElementsAre;

// The 1280 x 960 picture of the test map reaches 30 columns and 20 rows; its header
// says 45 x 40.
constexpr const char* kHeader =
    "header size: the header says 45 x 40 hexes, the picture holds 30 x 20";
constexpr const char* kRoadNorth = "(05,05) one-sided road: N to (05,04), which has no road S";

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
    std::string title() {
        return test::child<QLabel>(*frame().checkMapWindow(), "headingLabel")->text().toStdString();
    }
    std::string note() { return frame().checkMapWindow()->note().toStdString(); }
    // The road brush set at the hex under the pointer.
    void setRoads(int row, int column, std::uint16_t roads) {
        changeBrush([&](Brush& b) { b.roads = roads; });
        pointAt(row, column);
        type('R');
    }
};

TEST_F(CheckMapTest, TheListFollowsEditsAndUndo) {
    open();
    EXPECT_TRUE(app->commands().isChecked(kCmdCheckMap));
    EXPECT_THAT(lines(), ElementsAre(kHeader));
    EXPECT_EQ(title(), "Check Map: 1 problem");

    list().setCurrentRow(0);
    setRoads(5, 5, 0x01);
    EXPECT_TRUE(waitFor([&] { return lines().size() == 2; }));
    EXPECT_THAT(lines(), ElementsAre(kHeader, kRoadNorth));
    EXPECT_EQ(title(), "Check Map: 2 problems");
    EXPECT_EQ(list().currentItem()->text().toStdString(), kHeader); // still the user's line

    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(waitFor([&] { return lines().size() == 1; }));

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

TEST_F(CheckMapTest, ActivatingALineGoesToItsHexOnlyWhenTheViewCanShowIt) {
    setRoads(5, 5, 0x01);
    change([&](MapWorkspace& w) {
        w.names.setNameAt(25, 3, w.names.addName("Far Ford"));
    }); // below the picture's 20 rows
    app->commands().run(kCmdToggleStrategic);
    open();
    list().setFocus();
    list().setCurrentRow(1);
    QTest::keyClick(&list(), Qt::Key_Return);
    EXPECT_EQ(frame().grid().cursor.row, 5);
    EXPECT_EQ(frame().grid().cursor.column, 5);
    EXPECT_EQ(frame().view().toggle(kToggleStrategic), 0);
    EXPECT_TRUE(app->session().selection().isSelected(5, 5));
    EXPECT_EQ(app->session().selection().selectedCount(), 1);
    // The pointer went with it: the next frame keeps the hex.
    tick();
    EXPECT_EQ(frame().view().currentHex.row, 5);
    EXPECT_EQ(frame().view().currentHex.column, 5);
    EXPECT_TRUE(waitFor([&] { return frame().surface().hasFocus(); }));

    // A hex the view cannot reach, and the whole map's line: nothing moves, the
    // window says why.
    EXPECT_EQ(lines()[2],
              "(03,25) name outside the map: \"Far Ford\" lies outside the map's 30 x 20 hexes");
    for (const auto& [line, why] :
         {std::pair{2, "(03,25) lies beyond the picture, which shows columns 0..29 and rows "
                       "0..19: the view cannot go there."},
          std::pair{0, "The line is about the whole map: it names no hex to go to."}}) {
        // A double click arrives after the click it completes.
        const QPoint at = list().visualItemRect(list().item(line)).center();
        QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list().viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(note(), why);
        EXPECT_EQ(frame().grid().cursor.row, 5);
        EXPECT_EQ(frame().grid().cursor.column, 5);
        EXPECT_TRUE(app->session().selection().isSelected(5, 5));
        EXPECT_EQ(app->session().selection().selectedCount(), 1);
    }
}

TEST_F(CheckMapTest, EachMendIsOneUndoStepAndKeysPassToTheMap) {
    setRoads(5, 5, 0x01 | 0x08); // N, and SE to (6, 6)
    setRoads(8, 2, 0x10);
    change([&](MapWorkspace& w) { w.document.modified = false; });
    CheckMapWindow& window = open();
    auto* mend = test::child<QPushButton>(window, "mendButton");
    auto* header = test::child<QPushButton>(window, "headerButton");
    ASSERT_TRUE(mend->isEnabled());
    mend->click();
    EXPECT_THAT(lines(), ElementsAre(kHeader));
    EXPECT_FALSE(mend->isEnabled());
    EXPECT_EQ(cell(4, 5).roads, 0x10);
    EXPECT_EQ(cell(6, 6).roads, 0x80);
    EXPECT_EQ(cell(9, 2).roads, 0x01);
    EXPECT_TRUE(document().modified);
    EXPECT_EQ(history().undoName(), "Mend Roads (3 hexes)");

    header->click();
    EXPECT_THAT(lines(), ElementsAre("No problems found"));
    EXPECT_EQ(document().width, 30);
    EXPECT_EQ(history().undoName(), "Set Header (30 x 20)");

    // Keys typed in the list reach the map: Ctrl+Z takes each mend back at once.
    list().setFocus();
    QTest::keyClick(&list(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(document().width, 45);
    EXPECT_TRUE(waitFor([&] { return lines().size() == 1; }));
    list().setFocus();
    QTest::keyClick(&list(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(4, 5).roads, 0);
    EXPECT_EQ(history().undoName(), "Set Roads (1 hex)");
    EXPECT_TRUE(waitFor([&] { return lines().size() == 3; }));
    EXPECT_TRUE(mend->isEnabled());

    // ESC closes the window, not the editor.
    QTest::keyClick(&list(), Qt::Key_Escape);
    EXPECT_FALSE(frame().checkMapWindowOpen());
    QApplication::processEvents();
    EXPECT_TRUE(ui.questions.empty()); // no exit flow asking to save the map
}

TEST_F(CheckMapTest, TheWindowCoversNoneOfTheTextsAroundTheMapView) {
    const FrameSurface& surface = frame().surface();
    const auto global = [&surface](const Rect& r) {
        return QRect(surface.mapToGlobal(surface.toWidget(QPoint(r.left, r.top))),
                     surface.mapToGlobal(surface.toWidget(QPoint(r.right, r.bottom))) -
                         QPoint(1, 1));
    };
    for (const QSize size : {QSize(1280, 1024), QSize(800, 600), QSize(1024, 768)}) {
        frame().resize(size);
        CheckMapWindow& window = open();
        EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
        // The status line, the modified marks, the info text, the panel, the road box
        // and the CAPS LOCK warning lie in the bars and the right column.
        const ViewRegions& regions = frame().view().regions;
        const Rect& top = regions.topBar; // its bottom field holds its height
        for (const Rect& around : {Rect{top.left, top.top, top.right, top.top + top.bottom},
                                   regions.bottomBar, regions.rightColumn}) {
            EXPECT_FALSE(window.frameGeometry().intersects(global(around)))
                << size.width() << " x " << size.height();
        }
        window.close();
    }
}

} // namespace
} // namespace maporv
