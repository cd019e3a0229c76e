#include "editing/mapworkspace.h"
#include "editing/savemap.h"
#include "mapdata/paths.h"
#include "mapfiles.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace maporv {
namespace {

using test::s16Uniform;
using ::testing::ElementsAre;

int numberIn(const std::string& bytes) {
    return static_cast<int>(test::get16(bytes, 0));
}

// A loaded map: G/SCENARIO/OLD.MAP, number 7, with its one tile in G/MAP/.
class SaveMap : public testing::Test {
protected:
    SaveMap() {
        temp.write("G/MAP/MAP0700.s16", s16Uniform(64, 48, 0xF800));
        oldMap = temp.write("G/SCENARIO/OLD.MAP", test::sampleMapFile(7));
        workspace.load(oldMap, false);
        workspace.document.cells[0][0].terrain = 3;
        workspace.document.modified = true;
        ui.clearRecord();
    }

    SaveMapChoice choice(const std::string& fileName, std::int16_t number = 7) const {
        SaveMapChoice c;
        c.mapFolder = temp.path() + "G/SCENARIO/";
        c.fileName = fileName;
        c.s16Folder = temp.path() + "G/MAP/";
        c.mapNumber = number;
        return c;
    }

    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapWorkspace workspace{ui};
    std::string oldMap;
};

TEST_F(SaveMap, NameWithoutExtensionGetsMapAndTheWorkspaceFollowsTheNewFile) {
    const SaveMapResult result = saveMap(workspace, choice("NEWMAP"), ui);

    const std::string written = temp.path() + "G/SCENARIO/NEWMAP.MAP";
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.path, written);
    EXPECT_EQ(temp.read("G/SCENARIO/NEWMAP.MAP"), workspace.document.toBytes());
    EXPECT_EQ(workspace.document.path, written);
    EXPECT_FALSE(workspace.document.modified);
    EXPECT_EQ(workspace.lastOpen, written);
    EXPECT_EQ(workspace.gameFolder, temp.path() + "G/");
    EXPECT_EQ(workspace.infoText, "Map file: " + written + " #007 *  MAP07xx.S16  (64 x 48) - ");
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SaveMap, TypedExtensionIsKept) {
    EXPECT_EQ(saveMapTarget(choice("other.map")), temp.path() + "G/SCENARIO/other.map");
    EXPECT_EQ(saveMapTarget(choice(" spaced ")), temp.path() + "G/SCENARIO/spaced.MAP");
    EXPECT_TRUE(saveMap(workspace, choice("other.map"), ui).saved);
    EXPECT_TRUE(std::filesystem::exists(temp.path() + "G/SCENARIO/other.map"));
}

TEST_F(SaveMap, ItsOwnFileInAnotherCaseIsRewrittenWithoutAsking) {
    const SaveMapResult result = saveMap(workspace, choice("old"), ui);

    EXPECT_TRUE(result.saved);
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(result.path, oldMap);
    EXPECT_EQ(workspace.document.path, oldMap);
    EXPECT_EQ(temp.read("G/SCENARIO/OLD.MAP"), workspace.document.toBytes());
    EXPECT_THAT(listFiles(temp.path() + "G/SCENARIO/", "*"), ElementsAre("OLD.MAP"));
}

TEST_F(SaveMap, AnotherExistingFileIsReplacedOnYes) {
    const std::string other = temp.write("G/SCENARIO/other.map", test::sampleMapFile(3));
    ui.answers = {Answer::Yes};

    const SaveMapResult result = saveMap(workspace, choice("OTHER.MAP"), ui);

    EXPECT_THAT(ui.questions,
                ElementsAre(other + "\nalready exists.\nDo you want to replace it ?"));
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.path, other);
    EXPECT_EQ(numberIn(temp.read("G/SCENARIO/other.map")), 7);
    EXPECT_THAT(listFiles(temp.path() + "G/SCENARIO/", "*"), ElementsAre("OLD.MAP", "other.map"));
}

TEST_F(SaveMap, DecliningTheReplaceWritesAndChangesNothing) {
    const std::string before = test::sampleMapFile(3);
    temp.write("G/SCENARIO/OTHER.MAP", before);
    ui.answers = {Answer::No};

    const SaveMapResult result = saveMap(workspace, choice("OTHER", 12), ui);

    EXPECT_FALSE(result.saved);
    EXPECT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(temp.read("G/SCENARIO/OTHER.MAP"), before);
    EXPECT_EQ(workspace.document.path, oldMap);
    EXPECT_EQ(workspace.document.mapNumber, 7);
    EXPECT_TRUE(workspace.document.modified);
    EXPECT_EQ(workspace.lastOpen, oldMap);
}

// A map made from a picture only proposes G/SCENARIO/pic.map: the map saved last time
// from the same picture is not its own file and is replaced only on Yes.
TEST_F(SaveMap, AMapFromAPictureAsksBeforeReplacingTheFileItsNameProposes) {
    const std::string bmp = temp.write("G/MAP/pic.bmp", test::uniformBmp24(64, 48));
    const std::string earlier = temp.write("G/SCENARIO/PIC.map", test::sampleMapFile(3));
    ASSERT_TRUE(workspace.load(bmp, false).pictureLoaded);
    ASSERT_EQ(resolveExisting(workspace.document.path), earlier);
    workspace.document.cells[1][1].terrain = 5;
    workspace.document.modified = true;
    ui.clearRecord();
    ui.answers = {Answer::No};

    SaveMapResult result = saveMap(workspace, choice("pic"), ui);

    EXPECT_THAT(ui.questions,
                ElementsAre(earlier + "\nalready exists.\nDo you want to replace it ?"));
    EXPECT_FALSE(result.saved);
    EXPECT_EQ(temp.read("G/SCENARIO/PIC.map"), test::sampleMapFile(3));
    EXPECT_TRUE(workspace.document.modified);

    // Yes writes it; from then on it is the map's own file and is saved without asking.
    ui.answers = {Answer::Yes};
    ASSERT_TRUE(saveMap(workspace, choice("pic"), ui).saved);
    EXPECT_EQ(temp.read("G/SCENARIO/PIC.map"), workspace.document.toBytes());
    ui.clearRecord();
    workspace.document.modified = true;
    EXPECT_TRUE(saveMap(workspace, choice("PIC.MAP"), ui).saved);
    EXPECT_TRUE(ui.questions.empty());
}

TEST_F(SaveMap, TheDialogsNumberIsWrittenAndKept) {
    const SaveMapResult result = saveMap(workspace, choice("RENUM", 12), ui);

    EXPECT_TRUE(result.saved);
    EXPECT_EQ(numberIn(temp.read("G/SCENARIO/RENUM.MAP")), 12);
    EXPECT_EQ(workspace.document.mapNumber, 12);
    EXPECT_NE(workspace.infoText.find(" #012 * "), std::string::npos) << workspace.infoText;
}

TEST_F(SaveMap, FailedWriteKeepsTheOldFileAndReportsIt) {
    // writeFileAtomically writes "<target>.<pid>.tmp" first; a folder in its place
    // makes that fail however privileged the test runs.
    temp.makeFolder("G/SCENARIO/OLD.MAP." + std::to_string(::getpid()) + ".tmp");
    const std::string before = temp.read("G/SCENARIO/OLD.MAP");

    const SaveMapResult result = saveMap(workspace, choice("OLD.MAP", 9), ui);

    EXPECT_FALSE(result.saved);
    EXPECT_TRUE(result.path.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ui.messages[0].text, "Error on creating [" + oldMap + "]");
    EXPECT_EQ(temp.read("G/SCENARIO/OLD.MAP"), before);
    EXPECT_EQ(workspace.document.mapNumber, 7);
    EXPECT_TRUE(workspace.document.modified);
    EXPECT_EQ(workspace.lastOpen, oldMap);
}

TEST_F(SaveMap, WithoutAFileNameNothingIsWritten) {
    for (const char* name : {"", "   "}) {
        ui.clearRecord();
        const SaveMapResult result = saveMap(workspace, choice(name, 12), ui);
        EXPECT_FALSE(result.saved);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(ui.messages[0].text, "No file name given:\nthe map has not been saved.");
        EXPECT_THAT(listFiles(temp.path() + "G/SCENARIO/", "*"), ElementsAre("OLD.MAP"));
        EXPECT_EQ(workspace.document.mapNumber, 7);
    }
}

TEST_F(SaveMap, MapFromABmpGetsItsOwnTilesAndOpensWithThem) {
    const std::string bmp = temp.write("G/MAP/pic.bmp", test::uniformBmp24(650, 490));
    ASSERT_TRUE(workspace.load(bmp, false).pictureLoaded);
    ASSERT_TRUE(workspace.document.pictureFromBmp);
    ui.clearRecord();
    SaveMapChoice c = choice("FIVE", 5);
    c.createS16 = true;

    const SaveMapResult result = saveMap(workspace, c, ui);

    EXPECT_TRUE(result.saved);
    EXPECT_TRUE(result.tilesWritten);
    EXPECT_THAT(listFiles(temp.path() + "G/MAP/", "MAP05*"),
                ElementsAre("MAP0500.s16", "MAP0501.s16", "MAP0510.s16", "MAP0511.s16"));
    EXPECT_THAT(ui.messageTexts(),
                ElementsAre("Done !\nLoaded file has been splitted to 4 S16 Tiles"));
    EXPECT_EQ(workspace.document.tileName, "MAP0500.s16");
    EXPECT_EQ(workspace.document.picturePath, temp.path() + "G/MAP/MAP0500.s16");
    EXPECT_FALSE(workspace.document.pictureFromBmp);

    // Opened again, the map finds the tiles by its number.
    ASSERT_TRUE(workspace.load(result.path, false).pictureLoaded);
    EXPECT_EQ(workspace.picture.path, temp.path() + "G/MAP/MAP0500.s16");
    EXPECT_EQ(workspace.picture.width, 650);
    EXPECT_EQ(workspace.picture.height, 490);
}

TEST_F(SaveMap, AFailedTileKeepsTheMapOnItsPreviousPicture) {
    const std::string bmp = temp.write("G/MAP/pic.bmp", test::uniformBmp24(650, 490));
    ASSERT_TRUE(workspace.load(bmp, false).pictureLoaded);
    const std::string tileName = workspace.document.tileName;
    const std::string picturePath = workspace.document.picturePath;
    ui.clearRecord();
    temp.write("G/MAP/MAP0501.s16/keep", "old"); // a folder where a tile should go
    SaveMapChoice c = choice("FIVE", 5);
    c.createS16 = true;

    const SaveMapResult result = saveMap(workspace, c, ui);

    EXPECT_TRUE(result.saved);
    EXPECT_FALSE(result.tilesWritten);
    EXPECT_THAT(ui.messageTexts(),
                ElementsAre(temp.path() + "G/MAP/MAP0501.s16 is a folder, not a file: nothing "
                                          "was written.",
                            "0 of 4 S16 tiles written:\nnothing has been replaced, the old "
                            "tiles are as they were."));
    EXPECT_EQ(workspace.document.tileName, tileName);
    EXPECT_EQ(workspace.document.picturePath, picturePath);
    EXPECT_TRUE(workspace.document.pictureFromBmp);
}

TEST_F(SaveMap, TilesGoToTheChosenFolderAndTheMapPointsThere) {
    SaveMapChoice c = choice("X", 12);
    c.createS16 = true;
    c.s16Folder = temp.makeFolder("Elsewhere");

    ASSERT_TRUE(saveMap(workspace, c, ui).tilesWritten);

    EXPECT_THAT(listFiles(c.s16Folder, "*"), ElementsAre("MAP1200.s16"));
    EXPECT_EQ(workspace.document.tileName, "MAP1200.s16");
    EXPECT_EQ(workspace.document.picturePath, c.s16Folder + "MAP1200.s16");
}

TEST_F(SaveMap, TilesAreCutFromTheMapsPictureAfterAPreviewBorrowedItsPixels) {
    temp.write("Other/MAP0900.s16", s16Uniform(64, 48, 0x001F));
    MapPicture preview(ui);
    ASSERT_TRUE(preview.load(temp.path() + "Other/MAP0900.s16"));
    workspace.picture.valid = false;
    SaveMapChoice c = choice("X", 8);
    c.createS16 = true;

    ASSERT_TRUE(saveMap(workspace, c, ui).tilesWritten);

    MapPicture tiles(ui);
    ASSERT_TRUE(tiles.load(temp.path() + "G/MAP/MAP0800.s16"));
    EXPECT_EQ(test::pixelRgb(tiles, 10, 10), (test::Rgb{248, 0, 0}));
}

TEST_F(SaveMap, NoTilesWithoutAPicture) {
    std::filesystem::remove(temp.path() + "G/MAP/MAP0700.s16");
    workspace.load(oldMap, false); // the picture question is cancelled
    ASSERT_FALSE(workspace.pictureLoaded());
    ui.clearRecord();
    SaveMapChoice c = choice("X", 8);
    c.createS16 = true;

    const SaveMapResult result = saveMap(workspace, c, ui);

    EXPECT_TRUE(result.saved);
    EXPECT_FALSE(result.tilesWritten);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(listFiles(temp.path() + "G/MAP/", "*.s16").empty());
}

} // namespace
} // namespace maporv
