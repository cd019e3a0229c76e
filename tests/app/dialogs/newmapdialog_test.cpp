#include "app/dialogs/newmapdialog.h"
#include "dialogprobe.h"
#include "editing/editsession.h"
#include "mapdata/userinterface.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <QCheckBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::child;
using test::clickButton;
using test::isRed;
using ::testing::ElementsAre;

std::vector<std::string> lines(const QWidget& dialog) {
    return test::listLines(dialog, "pictureList");
}

void selectLine(const QWidget& dialog, const std::string& start) {
    test::selectLineStarting(dialog, "pictureList", start);
}

// An 8-bit BMP of one grey, width a multiple of 4 so that its rows need no padding.
std::string greyBmp(int width, int height) {
    std::string palette;
    for (int i = 0; i < 256; ++i) {
        palette += test::bytes({i, i, i, 0});
    }
    test::BmpSpec bmp;
    bmp.bits = 8;
    bmp.width = width;
    bmp.height = height;
    bmp.palette = palette;
    bmp.colorsUsed = 256;
    bmp.rows.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), '\x80');
    return test::bmpFile(bmp);
}

// The game's MAP folder: set 5 (one red tile of 640 x 480), set 12 named in lower
// case, a lone second tile of set 7, two BMP files and a
// sibling-game shape set.
class NewMap : public testing::Test {
protected:
    NewMap() {
        game.write("G/MAP/MAP0500.s16", test::s16Uniform(640, 480, 0xF800));
        game.write("G/MAP/map1200.S16", test::s16Uniform(32, 16, 0x001F));
        game.write("G/MAP/MAP0710.s16", test::s16Uniform(32, 16, 0x001F));
        game.write("G/MAP/river.bmp", greyBmp(8, 4));
        game.write("G/MAP/Coast.BMP", greyBmp(8, 4));
        game.write("G/MAP/notes.txt", "no picture");
        game.write("G/MAP/MAP0300.SHP", test::shpFile(test::ShpSpec{}));
        session.setLastOpen(game.path() + "G/SCENARIO/*.map");
    }

    std::string tiles() const { return game.path() + "G/MAP/"; }

    test::TempFolder game;
    test::ScriptedUserInterface ui;
    EditSession session{ui};
    const MapWorkspace& workspace = session.workspace();
};

TEST_F(NewMap, ListsTheS16SetsOfTheMapFolderBesideTheLastOpenedFile) {
    NewMapDialog dialog(session, ui);
    EXPECT_EQ(dialog.folder(), tiles());
    EXPECT_EQ(child<QLineEdit>(dialog, "folderEdit")->text().toStdString(), tiles());
    EXPECT_EQ(dialog.kind(), NewMapKind::S16);
    EXPECT_TRUE(child<QRadioButton>(dialog, "s16Radio")->isChecked());
    // Set 7 has no first tile, so no entry.
    EXPECT_THAT(lines(dialog), ElementsAre("MAP005", "MAP012"));
    EXPECT_EQ(dialog.entries()[0].number, 5);
    EXPECT_EQ(dialog.entries()[1].number, 12);
    // The first entry is previewed at once.
    EXPECT_EQ(dialog.chosenPath(), tiles() + "MAP0500.s16");
    EXPECT_EQ(child<QLabel>(dialog, "headingLabel")->text().toStdString(),
              "Select BMP / SHP / S16 file for the new MAP");
}

TEST_F(NewMap, ChoosingASetReturnsTheGameNameOfItsFirstTile) {
    NewMapDialog dialog(session, ui);
    selectLine(dialog, "MAP012");
    EXPECT_EQ(dialog.preview().width, 32);

    clickButton(dialog, "loadButton");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // Whatever the tile on disk is called; the load step finds it ignoring case.
    EXPECT_EQ(dialog.chosenPath(), tiles() + "MAP1200.s16");
}

TEST_F(NewMap, ADoubleClickLoadsAndCancelReturnsNothing) {
    {
        NewMapDialog dialog(session, ui);
        auto* list = child<QListWidget>(dialog, "pictureList");
        list->setCurrentRow(1);
        emit list->itemDoubleClicked(list->item(1));
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.chosenPath(), tiles() + "MAP1200.s16");
    }
    NewMapDialog dialog(session, ui);
    clickButton(dialog, "cancelButton");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.chosenPath(), "");
}

TEST_F(NewMap, BmpFilesAreListedByNameAndReturnedAsFound) {
    NewMapDialog dialog(session, ui);
    clickButton(dialog, "bmpRadio");
    EXPECT_EQ(dialog.kind(), NewMapKind::Bmp);
    EXPECT_THAT(lines(dialog), ElementsAre("Coast.BMP", "river.bmp"));

    selectLine(dialog, "river.bmp");
    clickButton(dialog, "loadButton");
    EXPECT_EQ(dialog.chosenPath(), tiles() + "river.bmp");
}

TEST_F(NewMap, ShapeSetsResolveToShpFiles) {
    NewMapDialog dialog(session, ui);
    clickButton(dialog, "shpRadio");
    EXPECT_THAT(lines(dialog), ElementsAre("MAP003"));
    clickButton(dialog, "loadButton");
    EXPECT_EQ(dialog.chosenPath(), tiles() + "MAP0300.shp");
}

TEST_F(NewMap, SetNumbersComeFromTheTitleBetweenPrefixAndTileDigits) {
    game.write("N/MAP0000.s16", test::s16Uniform(8, 8, 0));
    // The other tiles of a set add no entries.
    game.write("N/MAP0910.s16", test::s16Uniform(8, 8, 0));
    game.write("N/MAP0923.s16", test::s16Uniform(8, 8, 0));
    game.write("N/MAP12300.s16", test::s16Uniform(8, 8, 0));
    game.write("N/MAP0900.S16", test::s16Uniform(8, 8, 0));
    game.write("N/map0900.s16", test::s16Uniform(8, 8, 0));
    const std::vector<NewMapEntry> entries = listNewMapEntries(game.path() + "N/", NewMapKind::S16);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].text, "MAP000");
    EXPECT_EQ(entries[1].text, "MAP009"); // both spellings of one set, once
    EXPECT_EQ(entries[2].text, "MAP123");
    EXPECT_EQ(newMapPicturePath("F/", NewMapKind::S16, entries[1]), "F/MAP0900.s16");
    EXPECT_EQ(newMapPicturePath("F/", NewMapKind::S16, entries[2]), "F/MAP12300.s16");
}

TEST_F(NewMap, PreviewIsAFractionOfTheLargestPictureOrFillsTheFrame) {
    EXPECT_EQ(newMapPreviewSize(1580, 1540, false), (PreviewExtent{271, 264}));
    EXPECT_EQ(newMapPreviewSize(1920, 1920, false), (PreviewExtent{330, 330}));
    EXPECT_EQ(newMapPreviewSize(640, 480, false), (PreviewExtent{110, 82}));
    EXPECT_EQ(newMapPreviewSize(640, 480, true), (PreviewExtent{330, 330}));

    game.write("B/wide.bmp", greyBmp(1580, 1540));
    session.setLastOpen(game.path() + "X/*.map");
    NewMapDialog dialog(session, ui);
    clickButton(dialog, "bmpRadio");
    ui.folders.push_back(game.path() + "B/");
    clickButton(dialog, "browseButton");
    ASSERT_EQ(dialog.chosenPath(), game.path() + "B/wide.bmp");
    EXPECT_EQ(dialog.previewSize(), QSize(271, 264));

    clickButton(dialog, "fitCheck");
    EXPECT_TRUE(dialog.fitToFrame());
    EXPECT_EQ(dialog.previewSize(), QSize(330, 330));
    clickButton(dialog, "fitCheck");
    EXPECT_EQ(dialog.previewSize(), QSize(271, 264));
}

TEST_F(NewMap, ThePreviewIsDrawnThreePixelsInsideTheFrame) {
    NewMapDialog dialog(session, ui);
    dialog.show();
    ASSERT_EQ(dialog.previewSize(), QSize(110, 82));
    const QPoint origin = dialog.previewOrigin();
    EXPECT_EQ(origin, child<QFrame>(dialog, "previewFrame")->geometry().topLeft() + QPoint(3, 3));

    const QImage image = dialog.grab().toImage();
    EXPECT_TRUE(isRed(image.pixel(origin)));
    EXPECT_TRUE(isRed(image.pixel(origin + QPoint(109, 81))));
    EXPECT_FALSE(isRed(image.pixel(origin + QPoint(110, 10))));
    EXPECT_FALSE(isRed(image.pixel(origin + QPoint(10, 82))));
    EXPECT_FALSE(isRed(image.pixel(origin - QPoint(1, 1))));
}

TEST_F(NewMap, TickMarksSitOnTheFrameEdges) {
    NewMapDialog dialog(session, ui);
    dialog.show();
    const QRect frame = child<QFrame>(dialog, "previewFrame")->geometry();
    const QImage image = dialog.grab().toImage();
    const char* ticks[] = {"tickTop1",  "tickTop2",  "tickBottom1", "tickBottom2", "tickLeft1",
                           "tickLeft2", "tickLeft3", "tickRight1",  "tickRight2",  "tickRight3"};
    for (const char* name : ticks) {
        const QRect tick = child<QFrame>(dialog, name)->geometry();
        SCOPED_TRACE(name);
        EXPECT_TRUE(frame.contains(tick));
        const bool onEdge = tick.top() == frame.top() || tick.bottom() == frame.bottom() ||
                            tick.left() == frame.left() || tick.right() == frame.right();
        EXPECT_TRUE(onEdge);
        EXPECT_EQ(image.pixel(tick.center()) & 0xFFFFFF, 0u);
    }
    // They mark the tile grid of a full-size picture in the 330-pixel preview.
    const QPoint origin = dialog.previewOrigin();
    EXPECT_EQ(child<QFrame>(dialog, "tickTop1")->x() - origin.x(), 110);
    EXPECT_EQ(child<QFrame>(dialog, "tickBottom2")->x() - origin.x(), 220);
    EXPECT_EQ(child<QFrame>(dialog, "tickLeft2")->y() - origin.y(), 165);
    // Ticks on opposite edges face each other.
    EXPECT_EQ(child<QFrame>(dialog, "tickTop2")->x(), child<QFrame>(dialog, "tickBottom2")->x());
    EXPECT_EQ(child<QFrame>(dialog, "tickLeft3")->y(), child<QFrame>(dialog, "tickRight3")->y());
}

TEST_F(NewMap, PreviewingBorrowsTheMapsPicture) {
    game.write("H/MAP/MAP0900.s16", test::s16Uniform(16, 8, 0x001F));
    MapDocument current;
    current.mapNumber = 9;
    ASSERT_TRUE(session.load(game.write("H/SCENARIO/CUR.MAP", current.toBytes())).pictureLoaded);
    session.setLastOpen(game.path() + "G/SCENARIO/*.map");

    {
        NewMapDialog dialog(session, ui);
        EXPECT_FALSE(workspace.picture.valid);
        dialog.reject();
    }
    ASSERT_TRUE(workspace.picture.valid);
    EXPECT_EQ(workspace.picture.width, 16);
    EXPECT_EQ(test::pixelRgb(workspace.picture, 0, 0), (test::Rgb{0, 0, 248}));
}

TEST_F(NewMap, TypedFolderCountsFromTheNextRadioClick) {
    game.write("Other/MAP0800.s16", test::s16Uniform(8, 8, 0));
    NewMapDialog dialog(session, ui);
    child<QLineEdit>(dialog, "folderEdit")->setText(QString::fromStdString(game.path() + "Other"));
    selectLine(dialog, "MAP012");
    EXPECT_EQ(dialog.chosenPath(), tiles() + "MAP1200.s16");

    clickButton(dialog, "s16Radio");
    EXPECT_EQ(dialog.folder(), game.path() + "Other/");
    EXPECT_THAT(lines(dialog), ElementsAre("MAP008"));
    EXPECT_EQ(dialog.chosenPath(), game.path() + "Other/MAP0800.s16");
}

TEST_F(NewMap, BrowsingAsksForTheFolderOfTheKind) {
    NewMapDialog dialog(session, ui);
    clickButton(dialog, "browseButton");
    clickButton(dialog, "shpRadio");
    clickButton(dialog, "browseButton");
    clickButton(dialog, "bmpRadio");
    clickButton(dialog, "browseButton");
    ASSERT_EQ(ui.folderPicks.size(), 3u);
    EXPECT_EQ(ui.folderPicks[0].typeOrKind, FolderKind::S16);
    EXPECT_EQ(ui.folderPicks[0].title, "Select folder for S16 files");
    EXPECT_EQ(ui.folderPicks[0].initial, tiles());
    EXPECT_EQ(ui.folderPicks[1].typeOrKind, FolderKind::Shp);
    EXPECT_EQ(ui.folderPicks[1].title, "Select folder for Xr2-SHP files");
    EXPECT_EQ(ui.folderPicks[2].typeOrKind, FolderKind::General);
    EXPECT_EQ(ui.folderPicks[2].title, "Select folder for BMP files");
    // Cancelled pickers leave the folder as it was.
    EXPECT_EQ(dialog.folder(), tiles());
}

TEST_F(NewMap, AFolderWithoutPicturesLoadsNothing) {
    const std::string empty = game.makeFolder("Empty");
    NewMapDialog dialog(session, ui);
    ui.folders.push_back(empty);
    clickButton(dialog, "browseButton");
    EXPECT_TRUE(lines(dialog).empty());
    EXPECT_EQ(dialog.chosenPath(), "");

    clickButton(dialog, "loadButton");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosenPath(), "");
}

TEST_F(NewMap, IsPlacedBelowTheAnchorInWindowMode) {
    NewMapDialog dialog(session, ui);
    dialog.placeAt(QPoint(30, 60), true);
    EXPECT_EQ(dialog.pos(), QPoint(30, 108));
    dialog.placeAt(QPoint(30, 60), false);
    EXPECT_EQ(dialog.pos(), QPoint(30, 60));
    EXPECT_FALSE(child<QCheckBox>(dialog, "createFromBmpCheck")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(dialog, "createFromBmpCheck")->isHidden());
}

} // namespace
} // namespace maporv
