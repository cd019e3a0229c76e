#include "app/desktop/folderpickerdialog.h"
#include "app/desktop/qtuserinterface.h"
#include "modalscript.h"
#include "tempfolder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>

namespace maporv {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;

QFileDialog* asFileDialog(QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    EXPECT_NE(dialog, nullptr);
    return dialog;
}

FolderPickerDialog* asFolderDialog(QWidget* modal) {
    auto* dialog = qobject_cast<FolderPickerDialog*>(modal);
    EXPECT_NE(dialog, nullptr);
    return dialog;
}

// Presses Open (QFileDialog keeps accept() protected).
void open(QFileDialog* dialog) {
    static_cast<QDialog*>(dialog)->accept();
}

QString typedName(QFileDialog* dialog) {
    return dialog->findChild<QLineEdit*>("fileNameEdit")->text();
}

QString folderOf(const std::string& folder) {
    return QDir(QString::fromStdString(folder)).absolutePath();
}

// The names the file dialog lists, once its folder has been read.
QStringList listedNames(QFileDialog* dialog, int expected) {
    auto* model = dialog->findChild<QFileSystemModel*>();
    const QModelIndex root = model->index(dialog->directory().absolutePath());
    QElapsedTimer clock;
    clock.start();
    while (model->rowCount(root) < expected && clock.elapsed() < 3000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    QStringList names;
    for (int row = 0; row < model->rowCount(root); ++row) {
        names << model->index(row, 0, root).data().toString();
    }
    return names;
}

class PickerTest : public ::testing::Test {
protected:
    PickerTest() {
        ui.setGameFolderSource([this] { return game.path(); });
    }

    test::TempFolder game;
    QtUserInterface ui;
    test::ModalScript script;
};

TEST_F(PickerTest, FilePickerWithoutPathStartsInTheGameFolderWithTheTypesFilters) {
    script.then([&](QWidget* modal) {
        QFileDialog* dialog = asFileDialog(modal);
        EXPECT_EQ(dialog->windowTitle(), "Select a ORV S16 file");
        EXPECT_EQ(dialog->directory().absolutePath(), folderOf(game.path()));
        EXPECT_THAT(dialog->nameFilters(), ElementsAre("Files (*.S16 *.s16)", "All Files (*)"));
        EXPECT_EQ(typedName(dialog), "");
        dialog->reject();
    });
    EXPECT_EQ(ui.pickFile(5, "", ""), "");
}

TEST_F(PickerTest, FilePickerProposesTheNameAndAcceptsAFileThatDoesNotExistYet) {
    const std::string folder = game.makeFolder("MAP");
    script.then([&](QWidget* modal) {
        QFileDialog* dialog = asFileDialog(modal);
        EXPECT_EQ(dialog->windowTitle(), "Select a filename to save as");
        EXPECT_EQ(dialog->directory().absolutePath(), folderOf(folder));
        EXPECT_EQ(typedName(dialog), "MAP05.bmp");
        EXPECT_EQ(dialog->defaultSuffix(), "bmp");
        open(dialog);
    });
    EXPECT_EQ(ui.pickFile(7, folder + "MAP05.bmp", "Select a filename to save as"),
              folder + "MAP05.bmp");
}

TEST_F(PickerTest, FilePickerNeverAsksAboutReplacingAFile) {
    const std::string file = game.write("MAP/MAP05.bmp", "BM");
    script.then([](QWidget* modal) { open(asFileDialog(modal)); });
    EXPECT_EQ(ui.pickFile(7, file, "Select a filename to save as"), file);
}

TEST_F(PickerTest, FilePickerPatternListsTheMapsTilesInAnyCase) {
    game.write("map/MAP0500.s16", "x");
    game.write("map/map0501.S16", "x");
    game.write("map/MAP0600.s16", "x");
    script.then([&](QWidget* modal) {
        QFileDialog* dialog = asFileDialog(modal);
        EXPECT_EQ(dialog->directory().absolutePath(), folderOf(game.path() + "map"));
        EXPECT_EQ(dialog->selectedNameFilter(), "MAP05*.s16 (MAP05*.s16)");
        EXPECT_THAT(listedNames(dialog, 2), UnorderedElementsAre("MAP0500.s16", "map0501.S16"));
        dialog->reject();
    });
    ui.pickFile(8, game.path() + "MAP/MAP05*.s16", "Select a picture file for MAP05.map #5");
}

TEST_F(PickerTest, FolderPickerStartsAtTheScenarioFolderAndAppendsTheSeparator) {
    game.makeFolder("SCENARIO");
    script.then([&](QWidget* modal) {
        FolderPickerDialog* dialog = asFolderDialog(modal);
        EXPECT_EQ(dialog->prompt(), "Folder for MAP Files");
        EXPECT_EQ(dialog->statusText(), folderOf(game.path() + "SCENARIO"));
        dialog->accept();
    });
    EXPECT_EQ(ui.pickFolder(4, "", ""), game.path() + "SCENARIO/");
}

TEST_F(PickerTest, FolderPickerStatusFollowsTheSelection) {
    game.makeFolder("SCENARIO");
    game.makeFolder("MAP");
    script.then([&](QWidget* modal) {
        FolderPickerDialog* dialog = asFolderDialog(modal);
        EXPECT_EQ(dialog->statusText(), folderOf(game.path() + "MAP"));
        dialog->selectFolder(QString::fromStdString(game.path() + "SCENARIO"));
        EXPECT_EQ(dialog->statusText(), folderOf(game.path() + "SCENARIO"));
        dialog->accept();
    });
    EXPECT_EQ(ui.pickFolder(5, "", ""), game.path() + "SCENARIO/");
}

TEST_F(PickerTest, FolderPickerCancelledGivesNothing) {
    script.then([](QWidget* modal) { asFolderDialog(modal)->reject(); });
    EXPECT_EQ(ui.pickFolder(4, "", ""), "");
}

} // namespace
} // namespace maporv
