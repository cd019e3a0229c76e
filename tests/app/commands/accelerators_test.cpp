#include "app/commands/commandids.h"
#include "app/commands/mainmenu.h"
#include "app/dialogs/openmapdialog.h"
#include "app/dialogs/terrainfilterdialog.h"
#include "app/toolwindows/checkmapwindow.h"
#include "app/window/framesurface.h"
#include "app/window/mapframe.h"
#include "apptesting.h"
#include "mapdata/mapdocument.h"
#include "modalscript.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace maporv {
namespace {

using test::readSetting;
using test::writeSetting;

// Keys as the user types them at the main window: through Qt's shortcut handling,
// where a menu title's mnemonic competes with the accelerators.
class AcceleratorTest : public test::AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        writeSetting(QStringLiteral("Settings/LastOpen"), QString::fromStdString(game.scenario()));
        start();
        frame().activateWindow();
        frame().surface().setFocus();
        QCoreApplication::processEvents();
    }

    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&frame().surface(), key, modifiers);
        QCoreApplication::processEvents();
    }

    // The menu that keys left open, closed again.
    QWidget* openMenu() {
        QWidget* popup = QApplication::activePopupWidget();
        if (popup != nullptr) {
            popup->close();
            QCoreApplication::processEvents();
        }
        return popup;
    }

    MapView& view() { return frame().view(); }
};

TEST_F(AcceleratorTest, AltOOpensAMapAlthoughTheOptionsMenuIsAmpersandO) {
    bool opened = false;
    test::ModalScript script;
    script.then([&](QWidget* dialog) {
        opened = qobject_cast<OpenMapDialog*>(dialog) != nullptr;
        qobject_cast<QDialog*>(dialog)->reject();
    });
    press(Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(opened);
    EXPECT_EQ(openMenu(), nullptr);
}

TEST_F(AcceleratorTest, AltFIsTheTerrainFilterNotTheFileMenu) {
    bool opened = false;
    test::ModalScript script;
    script.then([&](QWidget* dialog) {
        opened = qobject_cast<TerrainFilterDialog*>(dialog) != nullptr;
        qobject_cast<QDialog*>(dialog)->reject();
    });
    press(Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(opened);
    EXPECT_EQ(openMenu(), nullptr);
}

TEST_F(AcceleratorTest, AltNTogglesTheNamedHexesNotTheNamesMenu) {
    ASSERT_EQ(view().showNames, 1);
    press(Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(view().showNames, 0);
    EXPECT_EQ(openMenu(), nullptr);
    press(Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(view().showNames, 1);
}

TEST_F(AcceleratorTest, AKeyHeldDownActsOnce) {
    QTest::keyPress(&frame().surface(), Qt::Key_T, Qt::AltModifier);
    QTest::simulateEvent(&frame().surface(), true, Qt::Key_T, Qt::AltModifier, QString(), true);
    QTest::keyRelease(&frame().surface(), Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(view().showTerrain, 1);
}

TEST_F(AcceleratorTest, MenusWithoutAnAcceleratorKeepTheirMnemonic) {
    press(Qt::Key_H, Qt::AltModifier);
    QWidget* menu = openMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu, frame().menuBar()->actions().back()->menu());
}

TEST_F(AcceleratorTest, AltAloneAndF10OpenTheFirstMenu) {
    QTest::keyPress(&frame().surface(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(&frame().surface(), Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(openMenu(), frame().menuBar()->actions().front()->menu());

    press(Qt::Key_F10);
    EXPECT_EQ(openMenu(), frame().menuBar()->actions().front()->menu());
}

TEST_F(AcceleratorTest, AcceleratorsWorkInFullScreenWithoutTheMenuBar) {
    press(Qt::Key_F12);
    ASSERT_EQ(frame().videoMode(), kMode800x600);
    ASSERT_FALSE(frame().menuBar()->isVisible());
    press(Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(view().showRoads, 1);

    // There the bar comes with the menu a mnemonic names, and goes with it.
    press(Qt::Key_H, Qt::AltModifier);
    EXPECT_TRUE(frame().menuBar()->isVisible());
    EXPECT_NE(openMenu(), nullptr);
    EXPECT_FALSE(frame().menuBar()->isVisible());

    press(Qt::Key_F12);
    EXPECT_EQ(frame().videoMode(), kWindowMode);
}

TEST_F(AcceleratorTest, ADisabledCommandDoesNothingFromItsKey) {
    // No map: Save is disabled, so no dialog shows.
    press(Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(openMenu(), nullptr);
    press(Qt::Key_G, Qt::AltModifier); // the grid waits for a picture
    EXPECT_EQ(view().showGrid, 0);
}

TEST_F(AcceleratorTest, EscapeClosesThroughTheExitFlow) {
    int asked = 0;
    frame().closeQuery = [&] {
        ++asked;
        return false;
    };
    press(Qt::Key_Escape);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(frame().isVisible());
}

TEST_F(AcceleratorTest, TheMenusShowTheirRulesAndTheRecentFiles) {
    const std::string first = game.addMap("A.MAP", 5);
    const std::string second = game.addMap("B.MAP", 6);
    app->recentFiles().add(first);
    app->recentFiles().add(second);

    QMenu* file = frame().menuBar()->actions().front()->menu();
    QMetaObject::invokeMethod(file, "aboutToShow");
    QStringList texts;
    for (QAction* action : file->actions()) {
        if (action->isVisible()) {
            texts << action->text();
        }
    }
    const QString recent1 = QStringLiteral("&1 ") + QString::fromStdString(second);
    const QString recent2 = QStringLiteral("&2 ") + QString::fromStdString(first);
    EXPECT_EQ(texts,
              (QStringList{"&New Map (from BMP / S16)...\tAlt+B", "&Open MAP file...\tAlt+O",
                           "Open &Last File used\tAlt+L", "", "&Save MAP as...\tAlt+S",
                           "&Save image as BMP tiles", "Save image &As S16 tiles",
                           "Save Image as new BMP", "", recent1, recent2, "", "E&xit\tESC"}));
    for (QAction* action : file->actions()) {
        if (action->text() == recent1) {
            EXPECT_TRUE(action->isEnabled());
        }
        if (action->text().startsWith(QStringLiteral("&New Map"))) {
            EXPECT_TRUE(action->isEnabled());
        }
        if (action->text().startsWith(QStringLiteral("&Save MAP"))) {
            EXPECT_FALSE(action->isEnabled());
        }
        if (action->text() == QStringLiteral("Save image &As S16 tiles")) {
            EXPECT_EQ(action->statusTip(), QStringLiteral("Save BMP as S16 tiles"));
            EXPECT_EQ(action->toolTip(), QStringLiteral("Save As S16 tiles"));
        }
    }
    QMetaObject::invokeMethod(file, "aboutToHide");
}

TEST_F(AcceleratorTest, TheMenuBarHoldsTheMenusInOrderWithTheirEntries) {
    QStringList titles;
    for (QAction* action : frame().menuBar()->actions()) {
        titles << action->text();
    }
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&Options", "&Names", "&Help"}));
    auto entries = [&](int menu) {
        QStringList texts;
        for (QAction* action : frame().menuBar()->actions()[menu]->menu()->actions()) {
            texts << action->text();
        }
        return texts;
    };
    EXPECT_EQ(
        entries(2),
        (QStringList{"Window Mode\tF12 -> 800x600", "800x600 Full Screen Mode\tF12 -> WinMode",
                     "1024x768 Full Screen Mode\tF12 -> WinMode", "",
                     "&Zoom to strategic\tAlt+Z or Z", "... also ...\tINTRO",
                     "...  or  ...\tDouble Left Click Mouse", "", "Show &Grid\tAlt+G or G",
                     "Show &Terrain Types\tAlt+T", "Show &Roads\tAlt+R", "Show &Named Hexes\tAlt+N",
                     "", "Set &Data Dialog", "&Filter Terrain to view\tAlt+F", "Misc. Tools"}));
    EXPECT_EQ(entries(3),
              (QStringList{"&Load MapNames\tAlt+M", "&Save MapNames", "&Browse MapNames"}));
}

TEST_F(AcceleratorTest, TheHelpMenuHoldsTheAboutLinesAndTheGuide) {
    QMenu* help = frame().menuBar()->actions().back()->menu();
    EXPECT_EQ(help->title(), QStringLiteral("&Help"));
    const QList<QAction*> entries = help->actions();
    ASSERT_EQ(entries.size(), 12);
    QMenu* about = entries[0]->menu();
    ASSERT_NE(about, nullptr);
    QStringList lines;
    for (QAction* line : about->actions()) {
        lines << line->text();
        EXPECT_FALSE(line->isEnabled());
    }
    EXPECT_EQ(lines[0], QStringLiteral("Valdorn Map Tool"));
    EXPECT_EQ(lines[1], QStringLiteral("Ver: 1.01 - April 2004"));
    EXPECT_EQ(lines.mid(2), (QStringList{"Osk_Tools", "Copyright (C) 2004 Osk_Tools"}));
    EXPECT_EQ(entries[1]->text(), QStringLiteral("How to work"));
    EXPECT_EQ(entries[11]->text(), QStringLiteral("Other Tools"));

    // A guide line with a live command runs it.
    QMenu* howTo = entries[1]->menu();
    QMetaObject::invokeMethod(howTo, "aboutToShow");
    QAction* openLine = howTo->actions().front();
    EXPECT_TRUE(openLine->isEnabled());
    EXPECT_FALSE(howTo->actions()[4]->isEnabled());
    bool opened = false;
    test::ModalScript script;
    script.then([&](QWidget* dialog) {
        opened = qobject_cast<OpenMapDialog*>(dialog) != nullptr;
        qobject_cast<QDialog*>(dialog)->reject();
    });
    openLine->trigger();
    EXPECT_TRUE(opened);
}

using ToolWindowKeysTest = test::EditorTest;

// In a tool window the accelerators win over the menu bar's letters (Alt+N is not the
// Names menu) and the other keys go to the map, unless the window needs them now.
TEST_F(ToolWindowKeysTest, ToolWindowsKeepOnlyTheKeysTheyNeed) {
    enum Focus { Findings, NoFindings, RoadNumber };
    const std::tuple<Focus, QKeyCombination, std::string> cases[] = {
        {Findings, Qt::ALT | Qt::Key_N, "names"},
        {Findings, Qt::Key_PageDown, "scroll"},
        {Findings, Qt::Key_Down, "kept"},
        {NoFindings, Qt::Key_Up, "scroll"},
        {NoFindings, Qt::Key_Return, "strategic"},
        {RoadNumber, Qt::ALT | Qt::Key_N, "names"},
        {RoadNumber, Qt::Key_5, "kept"},
        {RoadNumber, Qt::ALT | Qt::Key_E, "No name to edit !"}, // its own button
    };
    pointAt(2, 3);
    // A second finding, so the list has a line to move down to.
    change([](MapWorkspace& w) { w.document.cells[5][5].terrain = 200; });
    app->commands().run(kCmdCheckMap);
    app->commands().run(kCmdSetDataDialog);
    for (const auto& [focus, key, expected] : cases) {
        if (focus == NoFindings && !frame().checkMapWindow()->problems().empty()) {
            MapDocument clean; // the picture covers its 30 x 20 hexes
            std::tie(clean.mapNumber, clean.width, clean.height) = std::tuple(7, 30, 20);
            ASSERT_TRUE(app->load(game.temp.write("SCENARIO/CLEAN.MAP", clean.toBytes()), false));
        }
        auto* list = frame().findChild<QListWidget*>("problemList");
        auto* edit = frame().findChild<QLineEdit*>("roadEdit");
        QWidget* widget = focus == RoadNumber ? static_cast<QWidget*>(edit) : list;
        widget->setFocus();
        // A key the window keeps moves the list's line down or types over the number.
        ASSERT_TRUE(focus != Findings || list->count() >= 2);
        list->setCurrentRow(0);
        edit->selectAll();
        const MapView& view = frame().view();
        const int names = view.showNames, strategic = view.strategicView;
        frame().grid().scrollY = 100;
        QTest::keyClick(widget, key.key(), key.keyboardModifiers());
        QWidget* menu = QApplication::activePopupWidget();
        const std::string effect = menu != nullptr                   ? "menu"
                                   : !ui.messages.empty()            ? ui.lastMessage()
                                   : view.showNames != names         ? "names"
                                   : view.strategicView != strategic ? "strategic"
                                   : frame().grid().scrollY != 100   ? "scroll"
                                   : list->currentRow() == 1 || edit->text() == "5" ? "kept"
                                                                                    : "nothing";
        EXPECT_EQ(effect, expected) << key.key() << " in " << focus;
        if (menu != nullptr) {
            menu->close();
        }
    }
}

} // namespace
} // namespace maporv
