#include "app/commands/commandids.h"
#include "app/toolwindows/setdatadialog.h"
#include "app/window/mapframe.h"
#include "apptesting.h"
#include "editing/brush.h"
#include "editing/mapcheck.h"
#include "editing/roadstroke.h"
#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"
#include "modalscript.h"
#include "picturefiles.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>
#include <cstdio>

namespace maporv {
namespace {

void clickButton(QWidget* dialog, const char* button) {
    dialog->findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
}

// The editing commands' dialogs, and undo and redo over every kind of step.
class FrameCommandsTest : public test::EditorTest {
protected:
    bool run(int id) { return app->commands().run(id); }
    // The Edit menu's entries as they show: text, and "(off)" when disabled.
    QStringList editMenu() {
        QMenu* menu = frame().menuBar()->actions()[1]->menu();
        QMetaObject::invokeMethod(menu, "aboutToShow");
        QStringList entries;
        for (const QAction* action : menu->actions()) {
            entries << action->text() + (action->isEnabled() ? "" : " (off)");
        }
        QMetaObject::invokeMethod(menu, "aboutToHide");
        return entries;
    }
};

TEST_F(FrameCommandsTest, TheTerrainFilter) {
    test::ModalScript script;
    script
        .then([](QWidget* dialog) {
            clickButton(dialog, "setAllButton");
            clickButton(dialog, "okButton");
        })
        .then([](QWidget* dialog) {
            clickButton(dialog, "resetAllButton");
            clickButton(dialog, "cancelButton");
        });
    run(kCmdTerrainFilter);
    const auto& filter = frame().view().terrainFilter;
    EXPECT_FALSE(filter[0]);
    EXPECT_EQ(std::count(filter.begin(), filter.end(), true), 19);
    EXPECT_EQ(frame().view().buttonBar.state(kToggleTerrain), 1);
    run(kCmdTerrainFilter);
    EXPECT_EQ(std::count(filter.begin(), filter.end(), true), 19);
}

TEST_F(FrameCommandsTest, TheSetDataDialog) {
    run(kCmdSetDataDialog);
    ASSERT_TRUE(frame().setDataDialogOpen());
    EXPECT_TRUE(frame().view().setDataDialogOpen);
    EXPECT_TRUE(app->commands().isChecked(kCmdSetDataDialog));
    run(kCmdSetDataDialog);
    EXPECT_FALSE(frame().setDataDialogOpen());

    clickPanel(kMenuSetDataDialog);
    ASSERT_TRUE(frame().setDataDialogOpen());
    change([&](MapWorkspace& w) { w.document.cells[4][4].terrain = 9; });
    pointAt(4, 4);
    press(Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(frame().setDataDialog()->terrainIndex(), 9);
    type('+');
    EXPECT_EQ(frame().setDataDialog()->terrainIndex(), 10);

    run(kCmdMode800x600);
    EXPECT_FALSE(frame().setDataDialogOpen());
    EXPECT_FALSE(run(kCmdSetDataDialog));
}

TEST_F(FrameCommandsTest, ANewMapFromABmp) {
    test::BmpSpec bmp;
    bmp.width = 320;
    bmp.height = 200;
    bmp.rows.assign(320 * 3 * 200, '\x40');
    game.temp.write("MAP/PIC12ab.bmp", test::bmpFile(bmp));
    changeBrush([](Brush& b) { b.terrain = 5; });
    pointAt(3, 3);
    type('D');
    ui.answers = {Answer::No, Answer::No}; // no save before either
    test::ModalScript script;
    script
        .then([](QWidget* dialog) {
            clickButton(dialog, "bmpRadio");
            clickButton(dialog, "loadButton");
        })
        .then([](QWidget* dialog) {
            clickButton(dialog, "s16Radio"); // previews the tiles of map 7
            clickButton(dialog, "cancelButton");
        });
    run(kCmdNewMap);
    EXPECT_EQ(document().path, game.scenario() + "PIC12ab.map");
    EXPECT_EQ(document().mapNumber, 12);
    EXPECT_TRUE(document().pictureFromBmp);
    EXPECT_FALSE(history().canUndo());
    EXPECT_TRUE(app->recentFiles().entries().empty());

    run(kCmdNewMap);
    EXPECT_EQ(app->workspace().picture.width, 320);
    EXPECT_TRUE(app->workspace().picture.valid);
    EXPECT_TRUE(frame().view().mapPictureLoaded());
}

TEST_F(FrameCommandsTest, UndoAndRedoEveryKindOfStep) {
    EXPECT_EQ(editMenu(),
              (QStringList{"&Undo\tCtrl+Z (off)", "&Redo\tCtrl+Y (off)", "", "&Check Map\tF7",
                           "&Suggest Terrain\tF8", "Suggest R&oads\tF9", "", "&Draw Roads\tCtrl+D",
                           "&Fill Region\tCtrl+F", "Select Re&gion\tCtrl+G"}));
    changeBrush([](Brush& b) { b.terrain = 5; });
    clickHex(3, 3);
    clickHex(3, 4, Qt::LeftButton, Qt::ShiftModifier);
    type('T');
    clickPanel(kMenuNameNext); // "Hilltown"
    type('N');
    EXPECT_TRUE(names().modified);
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editMenu().mid(0, 2), (QStringList{"&Undo Set Terrain (2 hexes)\tCtrl+Z",
                                                 "&Redo Set Name (2 hexes)\tCtrl+Y"}));
    EXPECT_FALSE(names().modified);
    EXPECT_TRUE(document().modified);
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(3, 3).terrain, 0);
    EXPECT_FALSE(document().modified);
    press(Qt::Key_Y, Qt::ControlModifier);
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(names().nameAt(3, 4), 1);
    EXPECT_TRUE(document().modified);

    // Clears, names added on the panel and in the Set data dialog, which follows.
    pointAt(2, 3);
    press(Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
    ui.texts = {std::string("Rivertown"), std::string("Oldtown")};
    clickPanel(kMenuAddName);
    run(kCmdSetDataDialog);
    clickButton(frame().setDataDialog(), "addButton");
    EXPECT_EQ(names().count, 4);
    for (int i = 0; i < 3; ++i) {
        press(Qt::Key_Z, Qt::ControlModifier);
    }
    EXPECT_EQ(names().count, 2);
    EXPECT_EQ(names().nameAt(2, 3), 1);
    EXPECT_EQ(frame().setDataDialog()->findChild<QComboBox*>("nameCombo")->count(), 2);

    // Misc. Tools: the global change is one more step.
    test::ModalScript script;
    script.then([](QWidget* dialog) {
        dialog->findChild<QComboBox*>("fromCombo")->setCurrentIndex(0);
        dialog->findChild<QComboBox*>("toCombo")->setCurrentIndex(3);
        clickButton(dialog, "changeButton");
        clickButton(dialog, "closeButton");
    });
    run(kCmdMiscTools);
    EXPECT_EQ(cell(39, 44).terrain, 3);
    EXPECT_TRUE(document().modified);
    EXPECT_EQ(history().undoName(), "Change Terrain (1798 hexes)");
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(39, 44).terrain, 0);
}

TEST_F(FrameCommandsTest, SuggestTerrainFillsTheSelectionFromThePicture) {
    // All Clear: nothing to learn from.
    press(Qt::Key_F8);
    EXPECT_EQ(ui.lastMessage(), "Fewer than two terrains to learn from.\n"
                                "Set a few hexes of each terrain by hand first.");
    EXPECT_FALSE(history().canUndo());

    // The picture's west is sea, and so are the hexes of columns 0..6 (column 7
    // straddles the shore); a block across the shore is selected and made Clear.
    change([](MapWorkspace& w) {
        MapPicture& picture = w.picture;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < 315; ++x) {
                std::uint8_t* p = picture.pixelAt(x, y);
                p[0] = 200, p[1] = 80, p[2] = 20;
            }
        }
        for (int row = 0; row < kMapRows; ++row) {
            for (int column = 0; column <= 6; ++column) {
                w.document.cells[row][column].terrain = row >= 2 && row <= 4 && column >= 3 ? 0 : 9;
            }
        }
    });
    clickHex(2, 3);
    clickHex(4, 12, Qt::LeftButton, Qt::ControlModifier);
    press(Qt::Key_F8);
    for (int row = 2; row <= 4; ++row) {
        for (int column = 3; column <= 12; ++column) {
            EXPECT_EQ(cell(row, column).terrain, column <= 6 ? 9 : 0) << row << "," << column;
        }
    }
    int set = 0;
    int left = 0;
    ASSERT_EQ(std::sscanf(frame().view().notice().c_str(),
                          "Suggest Terrain: %d hexes set, %d left as they were", &set, &left),
              2);
    EXPECT_EQ(set + left, 3 * 10);
    EXPECT_TRUE(document().modified);
    EXPECT_EQ(editMenu()[0], "&Undo Suggest Terrain (12 hexes)\tCtrl+Z");
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(3, 5).terrain, 0);
}

TEST_F(FrameCommandsTest, SuggestRoadsJoinsTheSelectionFromThePicture) {
    // No hex has a road to learn from.
    press(Qt::Key_F9);
    EXPECT_EQ(ui.lastMessage(), "No road to learn from: no hex that teaches has one\n"
                                "Set the roads of a few hexes by hand first.");

    // Brown roads painted through the centres of rows 4 and 10 from column 2 to 16,
    // whose bits are set but for row 10 beyond column 10; a block of columns 10 to 18
    // is selected.
    const HexGrid& grid = frame().grid();
    const auto centre = [&grid](int row, int column) {
        const HexPosition hex = grid.hexToPixel(row, column);
        return QPointF(hex.mapX + grid.hexWidth / 2, hex.mapY + grid.hexHeight / 2);
    };
    change([&](MapWorkspace& w) {
        for (int i = 0; i < 2 * 14 * 64; ++i) {
            const int row = i < 14 * 64 ? 4 : 10;
            const int column = 2 + i / 64 % 14;
            const QPointF at = centre(row, column) +
                               (centre(row, column + 1) - centre(row, column)) * (i % 64) / 64;
            for (int dy = -1; dy <= 1; ++dy) {
                std::uint8_t* p =
                    w.picture.pixelAt(static_cast<int>(at.x()), static_cast<int>(at.y()) + dy);
                p[0] = 40, p[1] = 90, p[2] = 160;
            }
            if (i % 64 == 0 && (row == 4 || column < 10)) {
                RoadStroke road(w.document, kWholeGrid);
                road.moveTo({row, column});
                road.moveTo({row, column + 1});
            }
        }
    });
    clickHex(8, 10);
    clickHex(12, 18, Qt::LeftButton, Qt::ControlModifier);
    press(Qt::Key_F9);
    EXPECT_EQ(frame().view().notice(), "Suggest Roads: 7 joints with a road, 6 changed");
    for (int column = 9; column <= 18; ++column) {
        EXPECT_EQ(cell(10, column).roads != 0, column <= 16) << column;
    }
    for (const MapProblem& problem : checkMap(document(), names(), PictureSize{1280, 960})) {
        EXPECT_EQ(problem.kind, MapProblemKind::HeaderSize) << problem.text(ProblemNaming::Words);
    }
    EXPECT_EQ(editMenu()[0], "&Undo Suggest Roads (6 joints)\tCtrl+Z");
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(10, 12).roads, 0);
}

} // namespace
} // namespace maporv
