#include "app/dialogs/misctoolsdialog.h"
#include "dialogprobe.h"
#include "editing/brush.h"
#include "editing/edithistory.h"
#include "editing/mapeditor.h"
#include "editing/selection.h"
#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"
#include "mapdata/userinterface.h"
#include "mapfiles.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::child;
using test::clickButton;
using test::fieldText;
using test::numberedMapFile;
using ::testing::ElementsAre;

std::vector<std::string> lines(const QWidget& dialog) {
    return test::listLines(dialog, "mapList");
}

void choose(const QWidget& dialog, const char* combo, int code) {
    child<QComboBox>(dialog, combo)->setCurrentIndex(code);
}

constexpr const char* kRule = "=======================================\n";

// Three MAP files in G/SCENARIO, two of them with the same number, and the map being
// edited with twelve forest hexes; terrain changes go through the editor.
class MiscTools : public testing::Test {
protected:
    MiscTools() {
        document.loaded = true;
        game.write("G/SCENARIO/A.MAP", numberedMapFile(5));
        game.write("G/SCENARIO/B.MAP", numberedMapFile(5));
        game.write("G/SCENARIO/c.map", numberedMapFile(12));
        for (int i = 0; i < 12; ++i) {
            document.cells[static_cast<std::size_t>(i)][static_cast<std::size_t>(i * 2)].terrain =
                3;
        }
    }

    std::string scenario() const { return game.path() + "G/SCENARIO/"; }

    MiscToolsDialog::TerrainChange change() {
        return [this](int from, int to) { return editor.changeTerrain(from, to); };
    }

    int count(int terrain) const {
        int n = 0;
        for (const auto& row : document.cells) {
            for (const HexCell& cell : row) {
                n += cell.terrain == terrain ? 1 : 0;
            }
        }
        return n;
    }

    test::TempFolder game;
    MapDocument document;
    MapNames names;
    Brush brush;
    test::ScriptedUserInterface ui;
    Selection selection{document};
    EditHistory history{document, names};
    MapEditor editor{document, names, brush, selection, history, ui};
    std::string lastOpen = game.path() + "G/SCENARIO/A.MAP";
};

TEST_F(MiscTools, OpensOnTheScenarioFolderOfTheLastFile) {
    MiscToolsDialog dialog(lastOpen, ui, change());
    EXPECT_EQ(fieldText(dialog, "folderEdit"), scenario());
    EXPECT_EQ(fieldText(dialog, "reportFileEdit"), scenario() + "MapsReport.txt");
    EXPECT_TRUE(child<QRadioButton>(dialog, "numberRadio")->isChecked());
    EXPECT_EQ(fieldText(dialog, "listTitle"), "3 mapfiles");
    EXPECT_THAT(lines(dialog), ElementsAre("   5   A.MAP", "   5   B.MAP", "  12   c.map"));
    EXPECT_EQ(child<QListWidget>(dialog, "mapList")->item(2)->data(Qt::UserRole).toInt(), 12);

    const auto* from = child<QComboBox>(dialog, "fromCombo");
    ASSERT_EQ(from->count(), 20);
    EXPECT_EQ(from->itemText(3).toStdString(), "Forest");
    EXPECT_EQ(from->currentIndex(), -1);
    EXPECT_EQ(child<QComboBox>(dialog, "toCombo")->itemText(19).toStdString(), "Lake region");
}

TEST_F(MiscTools, TheNameRadioListsByName) {
    MiscToolsDialog dialog(lastOpen, ui, change());
    clickButton(dialog, "nameRadio");
    EXPECT_THAT(lines(dialog), ElementsAre("A.MAP   #5", "B.MAP   #5", "c.map   #12"));
    clickButton(dialog, "bothRadio");
    EXPECT_THAT(lines(dialog), ElementsAre("   5   A.MAP", "   5   B.MAP", "  12   c.map"));
}

TEST_F(MiscTools, MakeChangesTurnsEveryForestIntoClearAsOneStep) {
    MiscToolsDialog dialog(lastOpen, ui, change());
    choose(dialog, "fromCombo", 3);
    choose(dialog, "toCombo", 0);
    clickButton(dialog, "changeButton");

    EXPECT_EQ(ui.lastMessage(), "Done !\n12 Terrain types changed\nfrom: Forest\nto Clear");
    EXPECT_EQ(count(3), 0);
    EXPECT_TRUE(dialog.terrainChanged());
    EXPECT_TRUE(document.modified);
    // The choice stays for another go.
    EXPECT_EQ(dialog.model().fromTerrain, 3);
    EXPECT_EQ(child<QComboBox>(dialog, "fromCombo")->currentIndex(), 3);

    EXPECT_EQ(history.size(), 1u);
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(count(3), 12);
}

TEST_F(MiscTools, NoChoiceTheSameTypeOrNoMatchChangesNothing) {
    MiscToolsDialog dialog(lastOpen, ui, change());
    clickButton(dialog, "changeButton");
    choose(dialog, "fromCombo", 3);
    clickButton(dialog, "changeButton");
    choose(dialog, "toCombo", 3);
    clickButton(dialog, "changeButton");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(dialog.terrainChanged());
    EXPECT_EQ(count(3), 12);

    // No hex of the type: said, but nothing changes.
    choose(dialog, "fromCombo", 6);
    choose(dialog, "toCombo", 0);
    clickButton(dialog, "changeButton");
    EXPECT_EQ(ui.lastMessage(), "Done !\n0 Terrain types changed\nfrom: Mountain\nto Clear");
    EXPECT_FALSE(dialog.terrainChanged());
    EXPECT_FALSE(history.canUndo());
}

TEST_F(MiscTools, ReportByNumberJoinsTheFilesOfANumber) {
    MiscToolsDialog dialog(lastOpen, ui, change());
    clickButton(dialog, "reportButton");
    const std::string expected = "Map files on folder: " + scenario() + "\n\n" +
                                 "Mapno     Mapname\n" + kRule +
                                 "    5     A.MAP ; B.MAP\n"
                                 "   12     c.map\n"
                                 "\n";
    EXPECT_EQ(game.read("G/SCENARIO/MapsReport.txt"), expected);
    EXPECT_THAT(ui.launched, ElementsAre(scenario() + "MapsReport.txt"));
    // The list is back in its display form.
    EXPECT_THAT(lines(dialog), ElementsAre("   5   A.MAP", "   5   B.MAP", "  12   c.map"));
}

TEST_F(MiscTools, ReportByNameDotsTheColumns) {
    MiscToolsDialog dialog(lastOpen, ui, change());
    clickButton(dialog, "nameRadio");
    clickButton(dialog, "reportButton");
    const std::string expected = "Map files on folder: " + scenario() + "\n\n" +
                                 "Mapname                       Mapnumber\n" + kRule +
                                 "A.MAP.............................5\n"
                                 "B.MAP.............................5\n"
                                 "c.map............................12\n"
                                 "\n";
    EXPECT_EQ(game.read("G/SCENARIO/MapsReport.txt"), expected);
    EXPECT_THAT(lines(dialog), ElementsAre("A.MAP   #5", "B.MAP   #5", "c.map   #12"));
}

TEST_F(MiscTools, ReportWithBothListsPutsTheNamesFirst) {
    MiscToolsDialog dialog(lastOpen, ui, change());
    clickButton(dialog, "bothRadio");
    clickButton(dialog, "reportButton");
    const std::string report = game.read("G/SCENARIO/MapsReport.txt");
    const std::size_t byName = report.find("Mapname                       Mapnumber\n");
    const std::size_t byNumber = report.find("Mapno     Mapname\n");
    ASSERT_NE(byName, std::string::npos);
    ASSERT_NE(byNumber, std::string::npos);
    EXPECT_LT(byName, byNumber);
    EXPECT_NE(report.find("c.map............................12\n"), std::string::npos);
    EXPECT_NE(report.find("    5     A.MAP ; B.MAP\n"), std::string::npos);
    EXPECT_TRUE(child<QRadioButton>(dialog, "bothRadio")->isChecked());
}

TEST_F(MiscTools, ALeftFolderGetsItsSeparatorAndIsScanned) {
    game.makeFolder("Empty");
    MiscToolsDialog dialog(lastOpen, ui, change());
    auto* edit = child<QLineEdit>(dialog, "folderEdit");
    edit->setText(QString::fromStdString(game.path() + "Empty"));
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);

    EXPECT_EQ(fieldText(dialog, "folderEdit"), game.path() + "Empty/");
    EXPECT_EQ(fieldText(dialog, "listTitle"), "0 mapfiles");
    EXPECT_TRUE(lines(dialog).empty());

    clickButton(dialog, "reportButton");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ui.messages[0].text, "There is nothing to do !");
    EXPECT_TRUE(ui.launched.empty());
}

TEST_F(MiscTools, BrowsingForTheFolderScansTheOneChosen) {
    game.write("H/D.MAP", numberedMapFile(40));
    MiscToolsDialog dialog(lastOpen, ui, change());
    ui.folders.push_back(game.path() + "H/");
    clickButton(dialog, "folderBrowseButton");
    ASSERT_EQ(ui.folderPicks.size(), 1u);
    EXPECT_EQ(ui.folderPicks[0].typeOrKind, FolderKind::Scenario);
    EXPECT_EQ(ui.folderPicks[0].initial, scenario());
    EXPECT_EQ(ui.folderPicks[0].title, "Select SCENARIO folder (for .map files)");
    EXPECT_EQ(fieldText(dialog, "folderEdit"), game.path() + "H/");
    EXPECT_THAT(lines(dialog), ElementsAre("  40   D.MAP"));
    EXPECT_EQ(fieldText(dialog, "listTitle"), "1 mapfiles");
}

TEST_F(MiscTools, TheReportGoesToTheFileChosen) {
    const std::string target = game.path() + "out/list.txt";
    game.makeFolder("out");
    MiscToolsDialog dialog(lastOpen, ui, change());
    ui.files.push_back(target);
    clickButton(dialog, "reportFileBrowseButton");
    ASSERT_EQ(ui.filePicks.size(), 1u);
    EXPECT_EQ(ui.filePicks[0].typeOrKind, FileType::Text);
    EXPECT_EQ(ui.filePicks[0].initial, scenario() + "MapsReport.txt");
    EXPECT_EQ(ui.filePicks[0].title, "Select File for Report");
    EXPECT_EQ(fieldText(dialog, "reportFileEdit"), target);

    clickButton(dialog, "reportButton");
    EXPECT_THAT(ui.launched, ElementsAre(target));
    EXPECT_EQ(game.read("out/list.txt").rfind("Map files on folder: ", 0), 0u);
}

TEST_F(MiscTools, CloseEmptiesTheCollectionAndKeepsTheChangedFlag) {
    MiscToolsDialog dialog(lastOpen, ui, change());
    choose(dialog, "fromCombo", 3);
    choose(dialog, "toCombo", 7);
    clickButton(dialog, "changeButton");
    clickButton(dialog, "closeButton");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.model().maps().empty());
    EXPECT_TRUE(dialog.terrainChanged());
    EXPECT_EQ(count(7), 12);
}

} // namespace
} // namespace maporv
