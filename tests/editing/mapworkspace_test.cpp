#include "editing/mapworkspace.h"
#include "mapfiles.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::s16Uniform;

class Workspace : public testing::Test {
protected:
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapWorkspace workspace{ui};
};

TEST_F(Workspace, StartsWithNothingLoaded) {
    EXPECT_EQ(workspace.infoText, " No file loaded");
    EXPECT_FALSE(workspace.pictureLoaded());
}

TEST_F(Workspace, MapFileBringsItsTilesAndNames) {
    temp.write("G/MAP/MAP0700.s16", s16Uniform(640, 480, 0xFFFF));
    temp.write("G/MAP/MAP0710.s16", s16Uniform(100, 480, 0));
    temp.write("G/MAP/MAP007.TXT", "hdr\n(03,02) #Hilltown\n");
    const std::string map = temp.write("G/SCENARIO/DEMO.MAP", test::sampleMapFile(7));

    EXPECT_TRUE(workspace.load(map, false).pictureLoaded);
    EXPECT_EQ(workspace.picture.width, 740);
    EXPECT_EQ(workspace.infoText,
              "Map file: " + map + " #007 *  MAP07xx.S16  (740 x 480) - 2 files");
    EXPECT_EQ(workspace.lastOpen, map);
    EXPECT_EQ(workspace.gameFolder, temp.path() + "G/");
    EXPECT_EQ(workspace.names.nameText(workspace.names.nameAt(2, 3)), "Hilltown");
    EXPECT_TRUE(ui.filePicks.empty());
}

TEST_F(Workspace, RemembersTheFileActuallyRead) {
    const std::string map = temp.write("G/SCENARIO/DEMO.MAP", test::sampleMapFile(7));
    workspace.lastOpen = temp.path() + "G/SCENARIO/*.map";
    ui.files.push_back(map);
    workspace.load("", false);
    EXPECT_EQ(workspace.document.mapNumber, 7);
    EXPECT_EQ(workspace.lastOpen, map);
    EXPECT_EQ(workspace.gameFolder, temp.path() + "G/");
}

TEST_F(Workspace, OneTileOmitsTheFileCount) {
    temp.write("G/MAP/MAP1200.s16", s16Uniform(64, 48, 0));
    const std::string map = temp.write("G/SCENARIO/X.MAP", test::sampleMapFile(12));
    workspace.load(map, false);
    EXPECT_EQ(workspace.infoText, "Map file: " + map + " #012 *  MAP12xx.S16  (64 x 48) - ");
}

TEST_F(Workspace, PictureStartsANewMapNamedAfterIt) {
    const std::string bmp = temp.write("v/MAP/PIC12ab.bmp", test::uniformBmp24(4, 2));
    workspace.document.modified = true; // the map before, its changes declined
    workspace.document.cells[0][0].terrain = 9;

    EXPECT_TRUE(workspace.load(bmp, true).pictureLoaded);
    EXPECT_EQ(workspace.document.path, temp.path() + "v/SCENARIO/PIC12ab.map");
    EXPECT_EQ(workspace.document.mapNumber, 12);
    EXPECT_TRUE(workspace.document.pictureFromBmp);
    EXPECT_TRUE(workspace.document.loaded);
    EXPECT_FALSE(workspace.document.modified);
    EXPECT_EQ(workspace.document.cells[0][0].terrain, 0);
    EXPECT_EQ(workspace.infoText, "Map file: " + temp.path() +
                                      "v/SCENARIO/PIC12ab.map #012 *  PIC12ab.bmp  (4 x 2) -  24b");
    EXPECT_EQ(workspace.gameFolder, temp.path() + "v/");

    // An S16 set is named after its base and is not a BMP.
    temp.write("v/MAP/MAP0500.s16", s16Uniform(8, 8, 0));
    EXPECT_TRUE(workspace.load(temp.path() + "v/MAP/map0500.S16", false).pictureLoaded);
    EXPECT_EQ(workspace.document.path, temp.path() + "v/SCENARIO/map05.map");
    EXPECT_EQ(workspace.document.mapNumber, 5);
    EXPECT_FALSE(workspace.document.pictureFromBmp);
}

TEST_F(Workspace, ANewMapNeverTakesThePreviousMapsNames) {
    temp.write("G/MAP/MAP012.TXT", "hdr\n(03,02) #Hilltown\n");
    workspace.load(temp.write("G/SCENARIO/X.MAP", test::sampleMapFile(12)), false);
    ASSERT_EQ(workspace.names.nameText(workspace.names.nameAt(2, 3)), "Hilltown");

    const std::string bmp = temp.write("other/PIC12.bmp", test::uniformBmp24(4, 2));
    EXPECT_TRUE(workspace.load(bmp, true).pictureLoaded);
    EXPECT_EQ(workspace.document.picturePath, bmp);
    EXPECT_EQ(workspace.document.tileName, "PIC12.bmp");
    EXPECT_EQ(workspace.names.nameAt(2, 3), 0);
}

TEST_F(Workspace, ANewMapsHeaderIsAsLargeAsItsPictureReaches) {
    // Columns are 45 pixels apart and the grid ends on an odd column; rows 50 apart.
    // A second tile on the right widens the last picture by 100 pixels.
    const struct {
        int width, height, columns, rows;
    } cases[] = {{640, 480, 16, 10}, {8, 8, 2, 1}, {740, 480, 18, 10}};
    for (const auto& c : cases) {
        workspace.load(temp.write("G/SCENARIO/X.MAP", test::sampleMapFile(12)), false);
        ASSERT_EQ(workspace.document.width, 45); // the map before
        temp.write("G/MAP/MAP0500.s16", s16Uniform(std::min(c.width, 640), c.height, 0));
        if (c.width > 640) {
            temp.write("G/MAP/MAP0510.s16", s16Uniform(c.width - 640, c.height, 0));
        }
        ASSERT_TRUE(workspace.load(temp.path() + "G/MAP/MAP0500.s16", false).pictureLoaded);
        ASSERT_EQ(workspace.picture.width, c.width);
        EXPECT_EQ(workspace.document.width, c.columns) << c.width;
        EXPECT_EQ(workspace.document.height, c.rows) << c.height;
    }
}

TEST_F(Workspace, UnreadablePictureChangesNothing) {
    temp.write("G/MAP/MAP0700.s16", s16Uniform(32, 16, 0x001F));
    const std::string map = temp.write("G/SCENARIO/DEMO.MAP", test::sampleMapFile(7));
    workspace.load(map, false);
    const std::string info = workspace.infoText;

    test::BmpSpec broken;
    broken.compression = 1;
    EXPECT_FALSE(
        workspace.load(temp.write("G/bad.bmp", test::bmpFile(broken)), false).pictureLoaded);
    EXPECT_EQ(ui.lastMessage(), "No compressed BMP are supported");
    EXPECT_EQ(workspace.document.path, map);
    EXPECT_EQ(workspace.infoText, info);
    EXPECT_EQ(workspace.lastOpen, map);
    // The map's own picture is back in the shared buffer.
    EXPECT_TRUE(workspace.pictureLoaded());
    EXPECT_EQ(workspace.picture.width, 32);
    EXPECT_EQ(test::pixelRgb(workspace.picture, 0, 0), (test::Rgb{0, 0, 248}));
}

TEST_F(Workspace, MapWithoutPictureAsksForOneAndNeverShowsTheOldOne) {
    temp.write("G/MAP/MAP0700.s16", s16Uniform(32, 16, 0));
    workspace.load(temp.write("G/SCENARIO/DEMO.MAP", test::sampleMapFile(7)), false);
    ASSERT_TRUE(workspace.pictureLoaded());

    const std::string lonely = temp.write("G/SCENARIO/LONELY.MAP", test::sampleMapFile(3));
    EXPECT_FALSE(workspace.load(lonely, false).pictureLoaded);
    ASSERT_EQ(ui.filePicks.size(), 1u);
    EXPECT_EQ(ui.filePicks[0].typeOrKind, FileType::Picture);
    EXPECT_EQ(ui.filePicks[0].title, "Select a picture file for LONELY.MAP #3");
    EXPECT_EQ(ui.filePicks[0].initial, temp.path() + "G/MAP/MAP03*.s16");
    EXPECT_TRUE(workspace.document.loaded);
    EXPECT_EQ(workspace.infoText, " No file loaded");

    // Answering the question with a picture loads it for the map.
    ui.files.push_back(temp.write("elsewhere/any.bmp", test::uniformBmp24(2, 2)));
    EXPECT_TRUE(workspace.load(lonely, false).pictureLoaded);
    EXPECT_EQ(workspace.document.mapNumber, 3);
    EXPECT_EQ(workspace.picture.width, 2);
}

TEST_F(Workspace, MapFileThatCannotBeFoundChangesNothing) {
    temp.write("G/MAP/MAP0700.s16", s16Uniform(32, 16, 0));
    temp.write("G/MAP/MAP007.TXT", "hdr\n(03,02) #Hilltown\n");
    const std::string map = temp.write("G/SCENARIO/DEMO.MAP", test::sampleMapFile(7));
    workspace.load(map, false);
    ui.clearRecord();

    const MapWorkspace::LoadResult result =
        workspace.load(temp.path() + "G/SCENARIO/GONE.MAP", false);
    EXPECT_FALSE(result.mapReplaced);
    EXPECT_TRUE(result.pictureLoaded);
    EXPECT_EQ(ui.lastMessage(), "Map file [" + temp.path() + "G/SCENARIO/GONE.MAP]\nnot found");
    EXPECT_EQ(ui.filePicks.size(), 1u); // the MAP file picker, never the picture question
    EXPECT_EQ(workspace.document.path, map);
    EXPECT_EQ(workspace.document.cells[2][3].terrain, 5);
    EXPECT_EQ(workspace.names.nameText(workspace.names.nameAt(2, 3)), "Hilltown");
    EXPECT_EQ(workspace.lastOpen, map);
}

TEST_F(Workspace, RestoresAPictureAPreviewOverwrote) {
    temp.write("G/MAP/MAP0700.s16", s16Uniform(32, 16, 0xF800));
    workspace.load(temp.write("G/SCENARIO/DEMO.MAP", test::sampleMapFile(7)), false);
    MapPicture preview(ui);
    preview.load(temp.write("G/other.bmp", test::uniformBmp24(3, 3)));
    workspace.picture.valid = false;
    EXPECT_TRUE(workspace.restorePicture());
    EXPECT_EQ(test::pixelRgb(workspace.picture, 5, 5), (test::Rgb{248, 0, 0}));
}

TEST(MapNumberFromName, TakesTheFirstRunOfDigits) {
    EXPECT_EQ(mapNumberFromName("PIC12ab"), 12);
    EXPECT_EQ(mapNumberFromName("MAP05"), 5);
    EXPECT_EQ(mapNumberFromName("x1y2"), 1);
    EXPECT_EQ(mapNumberFromName("none"), 0);
    EXPECT_EQ(mapNumberFromName("n65537"), 1);
}

} // namespace
} // namespace maporv
