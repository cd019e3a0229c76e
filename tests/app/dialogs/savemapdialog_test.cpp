#include "app/dialogs/savemapdialog.h"
#include "app/forms/dialogunits.h"
#include "dialogprobe.h"
#include "editing/mapworkspace.h"
#include "editing/savemap.h"
#include "mapdata/mapdocument.h"
#include "mapfiles.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::child;
using test::clickButton;
using test::fieldText;
using test::listLines;
using test::numberedMapFile;
using ::testing::ElementsAre;

std::string currentLine(const QWidget& dialog, const char* list) {
    const QListWidgetItem* item = child<QListWidget>(dialog, list)->currentItem();
    return item == nullptr ? std::string() : item->text().toStdString();
}

void selectLine(const QWidget& dialog, const std::string& start) {
    test::selectLineStarting(dialog, "mapList", start);
}

void type(const QWidget& dialog, const char* edit, const std::string& value) {
    auto* line = child<QLineEdit>(dialog, edit);
    line->setText(QString::fromStdString(value));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(line, &out);
}

// Maps 5, 12 and 100 in G/SCENARIO in both letter cases; in G/MAP the first tiles of
// 5, 7 and 12 (the latter in lower case) and files that are no first tiles. The map
// being saved is number 7, made from a BMP.
class SaveMapDialogTest : public testing::Test {
protected:
    SaveMapDialogTest() {
        game.write("G/SCENARIO/alpha.map", numberedMapFile(12));
        game.write("G/SCENARIO/BETA.MAP", numberedMapFile(5));
        game.write("G/SCENARIO/Gamma.Map", numberedMapFile(100));
        for (const char* tile :
             {"MAP0500.s16", "MAP0501.s16", "MAP0700.s16", "map1200.S16", "X00.s16", "other.s16"}) {
            game.write(std::string("G/MAP/") + tile, test::s16Uniform(8, 8, 0));
        }
        document.path = scenario() + "OLD.MAP";
        document.mapNumber = 7;
        document.pictureFromBmp = true;
    }

    std::string scenario() const { return game.path() + "G/SCENARIO/"; }
    std::string tiles() const { return game.path() + "G/MAP/"; }

    test::TempFolder game;
    test::ScriptedUserInterface ui;
    MapDocument document;
};

TEST_F(SaveMapDialogTest, StartsFromTheMapAndTheLastOpenedFile) {
    SaveMapDialog dialog(document, scenario() + "BETA.MAP", ui);
    EXPECT_EQ(fieldText(dialog, "fileNameEdit"), "OLD");
    EXPECT_EQ(fieldText(dialog, "numberEdit"), "7");
    EXPECT_EQ(fieldText(dialog, "mapFolderEdit"), scenario());
    EXPECT_EQ(fieldText(dialog, "s16FolderEdit"), tiles());
    EXPECT_TRUE(child<QRadioButton>(dialog, "numberRadio")->isChecked());
    EXPECT_EQ(fieldText(dialog, "mapListTitle"), "3 Maps found");
}

TEST_F(SaveMapDialogTest, ExistingTilesOfTheNumberLeaveNothingToCreate) {
    SaveMapDialog dialog(document, scenario() + "BETA.MAP", ui);
    EXPECT_EQ(fieldText(dialog, "pictureStatus"), "Pic Ok");
    EXPECT_FALSE(child<QCheckBox>(dialog, "createS16Check")->isEnabled());
    EXPECT_FALSE(child<QCheckBox>(dialog, "createS16Check")->isChecked());
    EXPECT_FALSE(dialog.createS16());
    EXPECT_THAT(listLines(dialog, "pictureList"), ElementsAre("MAP05", "MAP07", "map12", "X"));
}

TEST_F(SaveMapDialogTest, ANumberWithoutTilesOffersToCreateThem) {
    document.mapNumber = 8;
    SaveMapDialog dialog(document, scenario() + "BETA.MAP", ui);
    EXPECT_EQ(fieldText(dialog, "pictureStatus"), "Pic Not FOUND");
    EXPECT_TRUE(child<QCheckBox>(dialog, "createS16Check")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(dialog, "createS16Check")->isChecked());

    type(dialog, "numberEdit", "12");
    EXPECT_EQ(fieldText(dialog, "pictureStatus"), "Pic Ok");
    EXPECT_FALSE(child<QCheckBox>(dialog, "createS16Check")->isChecked());

    type(dialog, "numberEdit", "9");
    EXPECT_EQ(fieldText(dialog, "pictureStatus"), "Pic Not FOUND");
    EXPECT_TRUE(child<QCheckBox>(dialog, "createS16Check")->isEnabled());
}

TEST_F(SaveMapDialogTest, ListsByNumberOrByUpperCasedName) {
    SaveMapDialog dialog(document, scenario() + "BETA.MAP", ui);
    EXPECT_THAT(listLines(dialog, "mapList"),
                ElementsAre("   5  BETA.MAP ", "  12  ALPHA.MAP ", " 100  GAMMA.MAP - No Pic"));
    EXPECT_EQ(currentLine(dialog, "mapList"), "   5  BETA.MAP ");
    EXPECT_EQ(currentLine(dialog, "pictureList"), "MAP05");

    game.write("G/SCENARIO/zulu.map", numberedMapFile(1));
    clickButton(dialog, "nameRadio");
    EXPECT_FALSE(dialog.sortByNumber());
    EXPECT_THAT(listLines(dialog, "mapList"),
                ElementsAre("ALPHA.MAP  #12 ", "BETA.MAP  #5 ", "GAMMA.MAP  #100 - No Pic"));
    EXPECT_EQ(currentLine(dialog, "mapList"), "BETA.MAP  #5 ");

    clickButton(dialog, "refreshButton");
    EXPECT_EQ(listLines(dialog, "mapList").size(), 4u);
    EXPECT_EQ(fieldText(dialog, "mapListTitle"), "4 Maps found");
}

TEST_F(SaveMapDialogTest, SelectingAMapSelectsItsPicture) {
    SaveMapDialog dialog(document, scenario() + "BETA.MAP", ui);
    selectLine(dialog, "  12");
    EXPECT_EQ(currentLine(dialog, "pictureList"), "map12");
    // Without a picture the picture list keeps its selection.
    selectLine(dialog, " 100");
    EXPECT_EQ(currentLine(dialog, "pictureList"), "map12");
}

TEST_F(SaveMapDialogTest, FolderEditsGetTheirSeparatorOnLeaving) {
    const std::string empty = game.makeFolder("Empty");
    SaveMapDialog dialog(document, scenario() + "BETA.MAP", ui);

    type(dialog, "mapFolderEdit", empty.substr(0, empty.size() - 1));
    EXPECT_EQ(fieldText(dialog, "mapFolderEdit"), empty);
    EXPECT_EQ(dialog.mapFolder(), empty);
    EXPECT_EQ(listLines(dialog, "mapList").size(), 3u);

    // The S16 folder is checked for the map's picture at once, listed on Refresh.
    type(dialog, "s16FolderEdit", empty.substr(0, empty.size() - 1));
    EXPECT_EQ(fieldText(dialog, "s16FolderEdit"), empty);
    EXPECT_EQ(fieldText(dialog, "pictureStatus"), "Pic Not FOUND");
    EXPECT_EQ(listLines(dialog, "pictureList").size(), 4u);

    clickButton(dialog, "refreshButton");
    EXPECT_TRUE(listLines(dialog, "mapList").empty());
    EXPECT_TRUE(listLines(dialog, "pictureList").empty());
    EXPECT_EQ(fieldText(dialog, "mapListTitle"), "0 Maps found");
}

TEST_F(SaveMapDialogTest, BrowsingTheMapFolderListsAgainOnlyForAnotherFolder) {
    const std::string empty = game.makeFolder("Empty");
    SaveMapDialog dialog(document, scenario() + "BETA.MAP", ui);
    game.write("G/SCENARIO/zulu.map", numberedMapFile(1));
    ui.folders = {scenario(), empty};

    clickButton(dialog, "mapFolderBrowseButton");
    ASSERT_EQ(ui.folderPicks.size(), 1u);
    EXPECT_EQ(ui.folderPicks[0].typeOrKind, FolderKind::Scenario);
    EXPECT_EQ(ui.folderPicks[0].initial, scenario());
    EXPECT_EQ(ui.folderPicks[0].title, "Select SCENARIO folder (for .map files)");
    EXPECT_EQ(listLines(dialog, "mapList").size(), 3u);

    clickButton(dialog, "mapFolderBrowseButton");
    EXPECT_EQ(fieldText(dialog, "mapFolderEdit"), empty);
    EXPECT_EQ(fieldText(dialog, "mapListTitle"), "0 Maps found");
}

TEST_F(SaveMapDialogTest, BrowsingTheS16FolderChecksThePictureEvenWhenUnchanged) {
    SaveMapDialog dialog(document, scenario() + "BETA.MAP", ui);
    std::filesystem::remove(tiles() + "MAP0700.s16");
    ui.folders = {tiles()};

    clickButton(dialog, "s16FolderBrowseButton");
    ASSERT_EQ(ui.folderPicks.size(), 1u);
    EXPECT_EQ(ui.folderPicks[0].typeOrKind, FolderKind::S16);
    EXPECT_EQ(ui.folderPicks[0].initial, tiles());
    EXPECT_EQ(ui.folderPicks[0].title, "Select MAP folder (for Orv .s16 files)");
    EXPECT_EQ(fieldText(dialog, "pictureStatus"), "Pic Not FOUND");
    // Not listed again: the removed tile is still in the list.
    EXPECT_THAT(listLines(dialog, "pictureList"), ElementsAre("MAP05", "MAP07", "map12", "X"));
}

TEST_F(SaveMapDialogTest, OkHandsOverTheFieldsAndTheyWriteTheMap) {
    SaveMapDialog dialog(document, scenario() + "BETA.MAP", ui);
    type(dialog, "fileNameEdit", "NEW");
    type(dialog, "numberEdit", "9");
    child<QCheckBox>(dialog, "createS16Check")->setChecked(true);

    clickButton(dialog, "okButton");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.filePath(), scenario() + "NEW");
    const SaveMapChoice choice = dialog.choice();
    EXPECT_EQ(choice.path(), scenario() + "NEW");
    EXPECT_EQ(choice.mapNumber, 9);
    EXPECT_TRUE(choice.createS16);
    EXPECT_EQ(choice.s16Folder, tiles());
    EXPECT_TRUE(dialog.entries().empty());

    MapWorkspace workspace(ui);
    workspace.document.loaded = true;
    EXPECT_TRUE(saveMap(workspace, choice, ui).saved);
    EXPECT_EQ(test::get16(game.read("G/SCENARIO/NEW.MAP"), 0), 9u);
}

TEST_F(SaveMapDialogTest, TheResultStaysAsReadWhenTheDialogCloses) {
    document.mapNumber = 8;
    SaveMapDialog dialog(document, scenario() + "BETA.MAP", ui);
    ASSERT_TRUE(child<QCheckBox>(dialog, "createS16Check")->isChecked());
    auto* number = child<QLineEdit>(dialog, "numberEdit");
    number->setText(QStringLiteral("12"));

    clickButton(dialog, "okButton");
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(number, &out);
    EXPECT_EQ(dialog.choice().mapNumber, 12);
    EXPECT_TRUE(dialog.choice().createS16);
}

TEST_F(SaveMapDialogTest, TextThatIsNoNumberKeepsTheLastNumber) {
    SaveMapDialog dialog(document, scenario() + "BETA.MAP", ui);
    type(dialog, "numberEdit", "");
    EXPECT_EQ(fieldText(dialog, "numberEdit"), "7");
    EXPECT_EQ(dialog.mapNumber(), 7);
}

TEST_F(SaveMapDialogTest, DoubleClickIsOkAndCancelIsCancel) {
    SaveMapDialog twice(document, scenario() + "BETA.MAP", ui);
    auto* list = child<QListWidget>(twice, "mapList");
    emit list->itemDoubleClicked(list->item(0));
    EXPECT_EQ(twice.result(), QDialog::Accepted);

    SaveMapDialog cancelled(document, scenario() + "BETA.MAP", ui);
    clickButton(cancelled, "cancelButton");
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
}

TEST_F(SaveMapDialogTest, IsPlacedAtTheAnchorAndLaidOutInDialogUnits) {
    SaveMapDialog dialog(document, scenario() + "BETA.MAP", ui);
    dialog.placeAt(QPoint(30, 40), true);
    EXPECT_EQ(dialog.pos(), QPoint(30, 88));
    dialog.placeAt(QPoint(30, 40), false);
    EXPECT_EQ(dialog.pos(), QPoint(30, 40));

    const DialogUnits units(dialog.font());
    EXPECT_EQ(dialog.size(), units.toPixels(QSize(298, 247)));
    EXPECT_EQ(child<QListWidget>(dialog, "mapList")->geometry(),
              units.toPixels(QRect(7, 53, 180, 100)));
    EXPECT_EQ(child<QCheckBox>(dialog, "createS16Check")->text(),
              "Create S16 tiles from Map Picture");
    EXPECT_TRUE(child<QPushButton>(dialog, "okButton")->isDefault());
    EXPECT_FALSE(child<QPushButton>(dialog, "mapFolderBrowseButton")->icon().isNull());
}

} // namespace
} // namespace maporv
