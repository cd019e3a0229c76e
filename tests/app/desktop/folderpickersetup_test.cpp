#include "app/desktop/folderpickersetup.h"
#include "mapdata/userinterface.h"
#include "tempfolder.h"

#include <gtest/gtest.h>
#include <string>

namespace maporv {
namespace {

TEST(FolderPickerSetup, EachKindHasItsStartFolderAndPrompt) {
    const struct {
        int kind;
        const char* folder;
        const char* prompt;
    } table[] = {
        {4, "/c/Game/SCENARIO", "Folder for MAP Files"},
        {5, "/c/Game/MAP", "Folder for S16 Files"},
        {6, "/c/Game/MAP", "Folder for S16 Files"},
        {7, "/c/Game/", "Select Folder"},
        {0, "/c/Game/", "Select Folder"},
    };
    for (const auto& row : table) {
        const FolderPickerSetup setup = makeFolderPickerSetup(row.kind, "", "", "/c/Game/");
        EXPECT_EQ(setup.startFolder, row.folder) << "kind " << row.kind;
        EXPECT_EQ(setup.prompt, row.prompt) << "kind " << row.kind;
    }
}

TEST(FolderPickerSetup, GivenFolderAndPromptWinEachOnItsOwn) {
    const FolderPickerSetup folderOnly = makeFolderPickerSetup(4, "/d/g/SCENARIO/", "", "/c/Game/");
    EXPECT_EQ(folderOnly.startFolder, "/d/g/SCENARIO/");
    EXPECT_EQ(folderOnly.prompt, "Folder for MAP Files");
    const FolderPickerSetup promptOnly = makeFolderPickerSetup(4, "", "Maps", "/c/Game/");
    EXPECT_EQ(promptOnly.startFolder, "/c/Game/SCENARIO");
    EXPECT_EQ(promptOnly.prompt, "Maps");
}

TEST(FolderPickerSetup, LongPromptIsCut) {
    EXPECT_EQ(makeFolderPickerSetup(7, "", std::string(300, 'p'), "/g/").prompt,
              std::string(259, 'p'));
}

TEST(NearestExistingFolder, FindsTheFolderInAnyCaseOrItsNearestAncestor) {
    test::TempFolder game;
    game.makeFolder("Scenario");
    game.write("MAP05.TXT", "x");
    EXPECT_EQ(nearestExistingFolder(game.path() + "SCENARIO"), game.path() + "Scenario/");
    EXPECT_EQ(nearestExistingFolder(game.path() + "scenario/old/maps/"), game.path() + "Scenario/");
    EXPECT_EQ(nearestExistingFolder(game.path() + "MAP05.TXT"), game.path());
    EXPECT_EQ(nearestExistingFolder("no-such-folder-here/below"), "");
}

} // namespace
} // namespace maporv
