#include "editing/workrecovery.h"
#include "mapfiles.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::s16Uniform;

// A game folder with map 7, its picture and its names, and the work of an editor on it.
class WorkRecovery : public testing::Test {
protected:
    void SetUp() override {
        temp.write("G/MAP/MAP0700.s16", s16Uniform(64, 48, 0));
        temp.write("G/MAP/MAP007.TXT", "hdr\n(03,02) #Hilltown\n");
        map = temp.write("G/SCENARIO/DEMO.MAP", test::sampleMapFile(7));
        MapWorkspace editor(ui);
        editor.load(map, false);
        followMapFile(editor, origin);
        editor.document.cells[10][11].terrain = 3;
        editor.document.cells[10][11].extra2 = 0x7F;
        editor.document.trailer[5] = 9;
        editor.document.modified = true;
        editor.names.setNameAt(4, 4, editor.names.addName("Ford"));
        editor.names.modified = true;
        followMapFile(editor, origin);
        record = recoveryRecordOf(editor, origin, 1234);
    }

    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    std::string map;
    MapFileOrigin origin;
    RecoveryRecord record;
    MapWorkspace workspace{ui};
};

TEST_F(WorkRecovery, AMapWithItsOwnFileIsLoadedThenGetsTheRecordedWork) {
    const MapWorkspace::LoadResult result = recoverWork(workspace, record, ui);
    EXPECT_TRUE(result.mapReplaced);
    EXPECT_TRUE(result.pictureLoaded);
    const MapDocument& document = workspace.document;
    EXPECT_EQ(document.toBytes(), record.mapBytes);
    EXPECT_EQ(document.path, map);
    EXPECT_TRUE(document.pathIsOwnFile);
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(workspace.names.nameText(workspace.names.nameAt(4, 4)), "Ford");
    EXPECT_EQ(workspace.names.path, record.namesPath);
    EXPECT_TRUE(workspace.names.modified);
    // Nothing is written until the user saves.
    EXPECT_EQ(temp.read("G/SCENARIO/DEMO.MAP"), test::sampleMapFile(7));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(sameWork(recoveryRecordOf(workspace, origin, 0), record));
}

TEST_F(WorkRecovery, AFileTheMapWasNotReadFromIsNeverItsOwn) {
    // A new map made from a picture, whose proposed path holds another map: that file
    // is neither read nor taken for the map's own. Its header is that of no file.
    record.mapIsOwnFile = false;
    record.mapModified = true;
    record.namesModified = false;
    MapDocument fresh;
    fresh.mapNumber = 7;
    fresh.cells[1][1].roads = 0x11;
    record.mapBytes = fresh.toBytes();

    recoverWork(workspace, record, ui);
    EXPECT_EQ(workspace.document.toBytes(), record.mapBytes);
    EXPECT_EQ(workspace.document.width, 0);
    EXPECT_EQ(workspace.document.path, map);
    EXPECT_FALSE(workspace.document.pathIsOwnFile);
    EXPECT_TRUE(workspace.pictureLoaded());
    EXPECT_EQ(workspace.document.picturePath, record.picturePath);
    EXPECT_FALSE(workspace.names.modified);

    // The same when the map's own file is gone; without its picture it asks for one.
    record.mapIsOwnFile = true;
    record.mapPath = temp.path() + "G/SCENARIO/GONE.MAP";
    record.picturePath = temp.path() + "G/MAP/MAP0900.s16";
    record.namesModified = true;
    const MapWorkspace::LoadResult result = recoverWork(workspace, record, ui);
    EXPECT_TRUE(result.mapReplaced);
    EXPECT_FALSE(result.pictureLoaded);
    EXPECT_EQ(workspace.document.path, record.mapPath);
    EXPECT_FALSE(workspace.document.pathIsOwnFile);
    ASSERT_EQ(ui.filePicks.size(), 1U);
    EXPECT_EQ(ui.filePicks[0].title, "Select a picture file for GONE.MAP #7");
    EXPECT_EQ(workspace.document.toBytes(), record.mapBytes);
    EXPECT_EQ(workspace.names.nameText(workspace.names.nameAt(4, 4)), "Ford");
}

TEST_F(WorkRecovery, TheMapComesBackFromItsFileOnlyWhileThatIsWhereTheWorkBegan) {
    enum class Disk { Same, Changed, Gone, NoStamp };
    struct Case {
        bool mapModified;
        Disk disk;
        int terrain; // the record's cell, the file's, or that of the file rewritten since
        bool ownFile, modified;
    } cases[] = {
        {true, Disk::Same, 3, true, true},
        {false, Disk::Same, 0, true, false},
        {false, Disk::Changed, 6, true, false},
        {true, Disk::Changed, 3, false, true},
        {true, Disk::NoStamp, 3, false, true},
        {true, Disk::Gone, 3, false, true},
        // Nowhere else is the map kept: it is unsaved work now.
        {false, Disk::Gone, 3, false, true},
    };
    for (const Case& c : cases) {
        temp.write("G/SCENARIO/DEMO.MAP", test::sampleMapFile(7));
        RecoveryRecord work = record;
        work.mapModified = c.mapModified;
        if (c.disk == Disk::Changed) {
            MapDocument rewritten;
            rewritten.fromBytes(test::sampleMapFile(7));
            rewritten.cells[10][11].terrain = 6;
            temp.write("G/SCENARIO/DEMO.MAP", rewritten.toBytes());
        } else if (c.disk == Disk::Gone) {
            std::filesystem::remove(map);
        } else if (c.disk == Disk::NoStamp) {
            work.mapFileStamp.reset();
        }
        recoverWork(workspace, work, ui);
        EXPECT_EQ(workspace.document.cells[10][11].terrain, c.terrain);
        EXPECT_EQ(workspace.document.pathIsOwnFile, c.ownFile);
        EXPECT_EQ(workspace.document.modified, c.modified) << static_cast<int>(&c - cases);
        EXPECT_EQ(workspace.names.nameText(workspace.names.nameAt(4, 4)), "Ford");
    }
}

} // namespace
} // namespace maporv
