#include "app/desktop/qtuserinterface.h"
#include "app/dialogs/openmapdialog.h"
#include "app/forms/dialogunits.h"
#include "dialogprobe.h"
#include "editing/editsession.h"
#include "mapfiles.h"
#include "modalscript.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::child;
using test::clickButton;
using test::fieldText;
using test::isRed;
using test::leaveEdit;
using test::numberedMapFile;
using ::testing::ElementsAre;

std::vector<std::string> lines(const QWidget& dialog) {
    return test::listLines(dialog, "mapList");
}

void selectLine(const QWidget& dialog, const std::string& start) {
    test::selectLineStarting(dialog, "mapList", start);
}

// Three maps in G/SCENARIO, numbered 5, 12 and 100, in both letter cases; the tiles of
// 5 and 12 in G/MAP, the name of 12's tiles in lower case.
class OpenMap : public testing::Test {
protected:
    OpenMap() {
        game.write("G/SCENARIO/alpha.map", numberedMapFile(12));
        game.write("G/SCENARIO/BETA.MAP", numberedMapFile(5));
        game.write("G/SCENARIO/Gamma.Map", numberedMapFile(100));
        game.write("G/SCENARIO/notes.txt", "not a map");
        game.write("G/MAP/MAP0500.s16", test::s16Uniform(640, 480, 0xF800));
        game.write("G/MAP/map1200.S16", test::s16Uniform(64, 48, 0x07E0));
        game.write("G/MAP/MAP1210.s16", test::s16Uniform(64, 48, 0x07E0));
        session.setLastOpen(game.path() + "G/SCENARIO/*.map");
    }

    std::string scenario() const { return game.path() + "G/SCENARIO/"; }
    std::string tiles() const { return game.path() + "G/MAP/"; }

    test::TempFolder game;
    test::ScriptedUserInterface ui;
    EditSession session{ui};
    const MapWorkspace& workspace = session.workspace();
};

TEST_F(OpenMap, FoldersComeFromTheLastOpenedFile) {
    session.setLastOpen(game.path() + "G/SCENARIO/BETA.MAP");
    OpenMapDialog dialog(session, ui);
    EXPECT_EQ(dialog.scenarioFolder(), scenario());
    EXPECT_EQ(dialog.mapFolder(), tiles());
    EXPECT_EQ(child<QLineEdit>(dialog, "scenarioFolderEdit")->text().toStdString(), scenario());
    EXPECT_EQ(child<QLineEdit>(dialog, "mapFolderEdit")->text().toStdString(), tiles());
}

TEST_F(OpenMap, ListsByNumberFirstWithThePictureStatus) {
    OpenMapDialog dialog(session, ui);
    EXPECT_TRUE(dialog.sortByNumber());
    EXPECT_THAT(lines(dialog), ElementsAre("   5  BETA.MAP................ Ok ",
                                           "  12  alpha.map............... Ok ",
                                           " 100  Gamma.Map............... No Pic "));
    EXPECT_EQ(fieldText(dialog, "countLabel"), "3 Maps found");
    // Each line carries the index of the entry it shows.
    const auto* list = child<QListWidget>(dialog, "mapList");
    const char* expected[] = {"BETA.MAP", "alpha.map", "Gamma.Map"};
    for (int row = 0; row < 3; ++row) {
        const int index = list->item(row)->data(Qt::UserRole).toInt();
        ASSERT_LT(index, static_cast<int>(dialog.entries().size()));
        EXPECT_EQ(dialog.entries()[static_cast<std::size_t>(index)].fileName, expected[row]);
    }
}

TEST_F(OpenMap, TilesAreLookedUpIgnoringCase) {
    OpenMapDialog dialog(session, ui);
    const OpenMapEntry* twelve = nullptr;
    for (const OpenMapEntry& entry : dialog.entries()) {
        if (entry.mapNumber == 12) {
            twelve = &entry;
        }
    }
    ASSERT_NE(twelve, nullptr);
    EXPECT_EQ(twelve->namePrefix, "MAP12");
    EXPECT_FALSE(twelve->pictureMissing);
    EXPECT_TRUE(twelve->tileExists[0][0]);
    EXPECT_TRUE(twelve->tileExists[1][0]);
    EXPECT_FALSE(twelve->tileExists[2][0]);
    EXPECT_FALSE(twelve->tileExists[0][1]);
}

TEST_F(OpenMap, NameOrderIgnoresCaseAndIsRebuiltWithoutListingAgain) {
    OpenMapDialog dialog(session, ui);
    game.write("G/SCENARIO/aardvark.map", numberedMapFile(1));

    clickButton(dialog, "nameRadio");
    EXPECT_FALSE(dialog.sortByNumber());
    EXPECT_THAT(lines(dialog), ElementsAre("alpha.map.................  12  ok",
                                           "BETA.MAP..................   5  ok",
                                           "Gamma.Map................. 100  No Pic"));

    clickButton(dialog, "refreshButton");
    EXPECT_EQ(lines(dialog).size(), 4u);
    EXPECT_EQ(fieldText(dialog, "countLabel"), "4 Maps found");
}

TEST_F(OpenMap, LongNamesAreCutAndAShortFileReadsItsMissingByteAsZero) {
    game.write("G/SCENARIO/a_very_long_scenario_name.map", numberedMapFile(7));
    game.write("G/SCENARIO/short.map", "\x03");
    OpenMapDialog dialog(session, ui);
    EXPECT_THAT(lines(dialog), ElementsAre("   3  short.map............... No Pic ",
                                           "   5  BETA.MAP................ Ok ",
                                           "   7  a_very_long_scenario_nam No Pic ",
                                           "  12  alpha.map............... Ok ",
                                           " 100  Gamma.Map............... No Pic "));
    EXPECT_EQ(fieldText(dialog, "countLabel"), "5 Maps found");
}

TEST_F(OpenMap, TheFirstLineIsPreviewedAtAFifthOfItsSize) {
    OpenMapDialog dialog(session, ui);
    dialog.show();

    EXPECT_EQ(fieldText(dialog, "captionLabel"), "Picture for Map: 5 (640 x 480) ");
    EXPECT_EQ(dialog.previewPath(), tiles() + "MAP0500.S16");
    EXPECT_EQ(dialog.previewSize(), QSize(100, 75));

    const QRect area = dialog.previewArea();
    EXPECT_TRUE(child<QFrame>(dialog, "previewFrame")->geometry().contains(area));
    ASSERT_GT(area.width(), 110);
    const QImage image = dialog.grab().toImage();
    EXPECT_TRUE(isRed(image.pixel(area.x(), area.y())));
    EXPECT_TRUE(isRed(image.pixel(area.x() + 99, area.y() + 74)));
    EXPECT_FALSE(isRed(image.pixel(area.x() + 101, area.y() + 10)));
    EXPECT_FALSE(isRed(image.pixel(area.x() + 10, area.y() + 76)));
}

TEST_F(OpenMap, AMapWithoutItsFirstTileShowsNoPreview) {
    OpenMapDialog dialog(session, ui);
    dialog.show();
    selectLine(dialog, " 100");

    EXPECT_EQ(fieldText(dialog, "captionLabel"), "Picture for Map: 100 * not FOUND");
    EXPECT_TRUE(dialog.previewPath().empty());
    EXPECT_TRUE(dialog.previewSize().isEmpty());
    const QRect area = dialog.previewArea();
    EXPECT_FALSE(isRed(dialog.grab().toImage().pixel(area.x() + 10, area.y() + 10)));
}

TEST_F(OpenMap, ThePreviewBorrowsTheMapsPictureUntilTheDialogGoes) {
    game.write("H/MAP/MAP0900.s16", test::s16Uniform(32, 16, 0x001F));
    ASSERT_TRUE(session.load(game.write("H/SCENARIO/CUR.MAP", numberedMapFile(9))).pictureLoaded);
    session.setLastOpen(scenario() + "BETA.MAP");

    {
        OpenMapDialog dialog(session, ui);
        EXPECT_FALSE(workspace.picture.valid);
        EXPECT_EQ(test::pixelRgb(dialog.preview(), 0, 0), (test::Rgb{248, 0, 0}));
        dialog.reject();
    }

    ASSERT_TRUE(workspace.picture.valid);
    EXPECT_EQ(workspace.picture.width, 32);
    EXPECT_EQ(test::pixelRgb(workspace.picture, 0, 0), (test::Rgb{0, 0, 248}));
}

TEST_F(OpenMap, FolderEditsGetTheirSeparatorOnLeavingAndAreListedOnlyByRefresh) {
    const std::string empty = game.makeFolder("Empty");
    OpenMapDialog dialog(session, ui);
    auto* edit = child<QLineEdit>(dialog, "scenarioFolderEdit");
    edit->setText(QString::fromStdString(empty.substr(0, empty.size() - 1)));

    leaveEdit(dialog, "scenarioFolderEdit");
    EXPECT_EQ(edit->text().toStdString(), empty);
    EXPECT_EQ(dialog.scenarioFolder(), empty);
    EXPECT_EQ(lines(dialog).size(), 3u);
    EXPECT_EQ(fieldText(dialog, "countLabel"), "3 Maps found");

    auto* mapEdit = child<QLineEdit>(dialog, "mapFolderEdit");
    mapEdit->setText(QString::fromStdString(game.path() + "G/MAP"));
    leaveEdit(dialog, "mapFolderEdit");
    EXPECT_EQ(mapEdit->text().toStdString(), tiles());

    clickButton(dialog, "refreshButton");
    EXPECT_TRUE(lines(dialog).empty());
    EXPECT_EQ(fieldText(dialog, "countLabel"), "0 Maps found");
    EXPECT_EQ(fieldText(dialog, "captionLabel"), "Shapes");
    EXPECT_TRUE(dialog.previewPath().empty());

    // With nothing listed, LOAD closes with no file to open.
    clickButton(dialog, "loadButton");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedPath(), "");
    EXPECT_FALSE(dialog.pictureChosen());
}

TEST_F(OpenMap, BrowsingListsAgainOnlyForAnotherFolder) {
    const std::string empty = game.makeFolder("Empty");
    OpenMapDialog dialog(session, ui);
    game.write("G/SCENARIO/aardvark.map", numberedMapFile(1));
    ui.folders = {scenario(), empty};

    clickButton(dialog, "scenarioBrowseButton");
    ASSERT_EQ(ui.folderPicks.size(), 1u);
    EXPECT_EQ(ui.folderPicks[0].typeOrKind, FolderKind::Scenario);
    EXPECT_EQ(ui.folderPicks[0].initial, scenario());
    EXPECT_EQ(ui.folderPicks[0].title, "Select SCENARIO folder (for .map files)");
    EXPECT_EQ(lines(dialog).size(), 3u);

    clickButton(dialog, "scenarioBrowseButton");
    EXPECT_EQ(dialog.scenarioFolder(), empty);
    EXPECT_EQ(child<QLineEdit>(dialog, "scenarioFolderEdit")->text().toStdString(), empty);
    EXPECT_EQ(fieldText(dialog, "countLabel"), "0 Maps found");
}

TEST_F(OpenMap, BrowsingTheTileFolderChecksThePicturesThere) {
    const std::string otherTiles = game.makeFolder("OtherMap");
    OpenMapDialog dialog(session, ui);
    ui.folders = {otherTiles};

    clickButton(dialog, "mapBrowseButton");
    ASSERT_EQ(ui.folderPicks.size(), 1u);
    EXPECT_EQ(ui.folderPicks[0].typeOrKind, FolderKind::S16);
    EXPECT_EQ(ui.folderPicks[0].initial, tiles());
    EXPECT_EQ(ui.folderPicks[0].title, "Select MAP folder (for Orv .s16 files)");
    EXPECT_EQ(dialog.mapFolder(), otherTiles);
    EXPECT_EQ(lines(dialog).front(), "   5  BETA.MAP................ No Pic ");
}

TEST_F(OpenMap, LoadReturnsTheSelectedMapFile) {
    OpenMapDialog dialog(session, ui);
    selectLine(dialog, "  12");
    clickButton(dialog, "loadButton");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedPath(), scenario() + "alpha.map");
    EXPECT_FALSE(dialog.pictureChosen());
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_TRUE(dialog.entries().empty());
}

TEST_F(OpenMap, DoubleClickLoads) {
    OpenMapDialog dialog(session, ui);
    auto* list = child<QListWidget>(dialog, "mapList");
    emit list->itemDoubleClicked(list->item(0));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedPath(), scenario() + "BETA.MAP");
}

TEST_F(OpenMap, CancelReturnsNoFile) {
    OpenMapDialog dialog(session, ui);
    clickButton(dialog, "cancelButton");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.selectedPath(), "");
    EXPECT_FALSE(dialog.pictureChosen());
}

TEST_F(OpenMap, IsPlacedAtTheAnchorLowerInWindowMode) {
    OpenMapDialog dialog(session, ui);
    dialog.placeAt(QPoint(10, 20), true);
    EXPECT_EQ(dialog.pos(), QPoint(10, 68));
    dialog.placeAt(QPoint(10, 20), false);
    EXPECT_EQ(dialog.pos(), QPoint(10, 20));

    const DialogUnits units(dialog.font());
    EXPECT_EQ(child<QListWidget>(dialog, "mapList")->geometry(),
              units.toPixels(QRect(8, 45, 174, 177)));
    EXPECT_EQ(child<QFrame>(dialog, "previewFrame")->geometry(),
              units.toPixels(QRect(193, 46, 175, 175)));
    EXPECT_EQ(dialog.windowTitle(), "");
    EXPECT_EQ(child<QPushButton>(dialog, "loadButton")->text(), "LOAD");
    EXPECT_TRUE(child<QPushButton>(dialog, "loadButton")->isDefault());
    EXPECT_FALSE(child<QPushButton>(dialog, "scenarioBrowseButton")->icon().isNull());
}

// The missing-picture question and the picture picker, as real boxes. The dialog is
// shown modeless here, so that the script meets only the boxes that LOAD opens.
class OpenMapMissingPicture : public OpenMap {
protected:
    OpenMapMissingPicture() {
        dialog.setModal(false);
        dialog.show();
    }

    static constexpr const char* kQuestion =
        "Are you sure you want edit this map file\nwith a missing picture file (S16) ???.\n\n"
        "Anyway you can continue if you select a BMP/S16 file\nwhen requested";

    // LOAD on map 100, whose picture is missing.
    void loadGamma() {
        selectLine(dialog, " 100");
        clickButton(dialog, "loadButton");
    }

    static void answer(QWidget* modal, QMessageBox::StandardButton button) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text().toStdString(), kQuestion);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        box->button(button)->click();
    }

    QtUserInterface qtUi;
    OpenMapDialog dialog{session, qtUi};
    test::ModalScript script;
};

TEST_F(OpenMapMissingPicture, NoKeepsTheDialogOpen) {
    script.then([](QWidget* modal) { answer(modal, QMessageBox::No); });
    loadGamma();
    EXPECT_EQ(script.stepsRun(), 1);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.selectedPath(), "");
    EXPECT_EQ(dialog.entries().size(), 3u);
}

TEST_F(OpenMapMissingPicture, YesAsksForAPictureAndOpensWithIt) {
    const std::string picture = tiles() + "MAP0500.s16";
    session.change(kDocumentChanged, [](MapWorkspace& w) { w.document.picturePath = "unchanged"; });
    script.then([](QWidget* modal) { answer(modal, QMessageBox::Yes); }).then([&](QWidget* modal) {
        auto* picker = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(picker, nullptr);
        EXPECT_EQ(picker->windowTitle(), "Select a Picture file for Gamma.Map - #100");
        EXPECT_EQ(picker->directory().absolutePath(),
                  QDir(QString::fromStdString(tiles())).absolutePath());
        // Typed, as the picker's name line has the focus.
        picker->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QStringLiteral("MAP0500.s16"));
        static_cast<QDialog*>(picker)->accept();
    });
    loadGamma();
    EXPECT_EQ(script.stepsRun(), 2);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedPath(), scenario() + "Gamma.Map");
    EXPECT_TRUE(dialog.pictureChosen());
    EXPECT_EQ(dialog.chosenPicture(), picture);
    // The open map keeps its own picture until the chosen one actually loads.
    EXPECT_EQ(workspace.document.picturePath, "unchanged");
}

TEST_F(OpenMapMissingPicture, CancellingThePickerKeepsTheDialogOpen) {
    session.change(kDocumentChanged, [](MapWorkspace& w) { w.document.picturePath = "unchanged"; });
    script.then([](QWidget* modal) { answer(modal, QMessageBox::Yes); }).then([](QWidget* modal) {
        qobject_cast<QDialog*>(modal)->reject();
    });
    loadGamma();
    EXPECT_EQ(script.stepsRun(), 2);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.pictureChosen());
    EXPECT_EQ(workspace.document.picturePath, "unchanged");
}

} // namespace
} // namespace maporv
