#include "editing/namescommands.h"
#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"
#include "mapnamestesting.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::documentIn;
using test::kNamesHeader;

struct Commands : testing::Test {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapNames names;
};

TEST_F(Commands, LoadAsksForAFileAndReplacesTheList) {
    MapDocument document = documentIn(temp);
    document.loaded = false;
    EXPECT_FALSE(loadMapNames(names, document, ui));
    EXPECT_TRUE(ui.filePicks.empty());

    document.loaded = true;
    EXPECT_FALSE(loadMapNames(names, document, ui)); // cancelled
    ASSERT_EQ(ui.filePicks.size(), 1u);
    EXPECT_EQ(ui.filePicks[0].typeOrKind, FileType::Text);
    EXPECT_EQ(ui.filePicks[0].initial, temp.path() + "MAP/MAP005_MYMAP.TXT");
    EXPECT_EQ(ui.filePicks[0].title, "Select a text file with the names for this MAP");

    const std::string missing = temp.path() + "absent.txt";
    ui.files = {missing};
    names.addName("kept");
    EXPECT_FALSE(loadMapNames(names, document, ui));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{missing + " not found"});
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(names.count, 2);

    const std::string file = temp.write("other.txt", std::string(kNamesHeader) + "(03,04) #New\n");
    ui.files = {file};
    EXPECT_TRUE(loadMapNames(names, document, ui));
    EXPECT_EQ(names.count, 2);
    EXPECT_EQ(names.names[1], "New");
    EXPECT_EQ(names.path, file);
}

TEST_F(Commands, SaveProposesTheLoadedFileOrTheMapNameForm) {
    const MapDocument document = documentIn(temp);
    temp.makeFolder("MAP");
    names.addName("A");
    names.setNameAt(0, 0, 1);
    names.modified = true;
    ui.files = {temp.path() + "MAP/SAVED.TXT"};
    EXPECT_TRUE(saveMapNames(names, document, ui));
    EXPECT_EQ(ui.filePicks[0].initial, temp.path() + "MAP/MAP005_MYMAP.TXT");
    EXPECT_EQ(ui.filePicks[0].title, "Select a text file with the names for this MAP");
    EXPECT_EQ(temp.read("MAP/SAVED.TXT"), std::string(kNamesHeader) + "(00,00) #A\n");
    EXPECT_FALSE(names.modified);
    EXPECT_EQ(names.path, "");

    names.path = temp.path() + "MAP/SAVED.TXT";
    names.modified = true;
    EXPECT_FALSE(saveMapNames(names, document, ui)); // cancelled
    EXPECT_EQ(ui.filePicks[1].initial, names.path);
    EXPECT_TRUE(names.modified);
}

TEST_F(Commands, BrowseOpensTheChosenFileInTheEditor) {
    MapDocument document = documentIn(temp);
    document.loaded = false;
    browseMapNames(names, document, ui);
    EXPECT_TRUE(ui.launched.empty());
    ASSERT_EQ(ui.filePicks.size(), 1u);
    EXPECT_EQ(ui.filePicks[0].initial, temp.path() + "MAP/MAP005.TXT");
    EXPECT_EQ(ui.filePicks[0].title, "MapNames files");

    names.path = "/x/loaded.txt";
    ui.files = {"/x/chosen.txt"};
    browseMapNames(names, document, ui);
    EXPECT_EQ(ui.filePicks[1].initial, "/x/loaded.txt");
    EXPECT_EQ(ui.launched, std::vector<std::string>{"/x/chosen.txt"});
}

TEST_F(Commands, AddAndEditNamesByPrompt) {
    ui.texts = {std::nullopt, std::string(), std::string("Ford")};
    EXPECT_EQ(promptNewName(names, ui), 0);
    EXPECT_EQ(promptNewName(names, ui), 0);
    EXPECT_EQ(promptNewName(names, ui), 1);
    EXPECT_EQ(ui.prompts[0].title, "Enter new Terrain name");
    EXPECT_EQ(ui.prompts[0].initial, "");
    EXPECT_FALSE(names.modified);
    EXPECT_EQ(names.count, 2);

    // Nothing to edit: no list, entry 0, or an entry past the list.
    MapNames empty;
    EXPECT_FALSE(promptEditName(empty, 1, ui));
    EXPECT_FALSE(promptEditName(names, 0, ui));
    EXPECT_FALSE(promptEditName(names, 2, ui));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>(3, "No name to edit !"));
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(ui.prompts.size(), 3u);

    // Renaming raises modified only once a hex uses the name: only then does the
    // names file change.
    ui.texts = {std::string("Old Ford"), std::string("Old Ford"), std::string("New Ford")};
    EXPECT_TRUE(promptEditName(names, 1, ui));
    EXPECT_EQ(ui.prompts[3].title, "Edit map name");
    EXPECT_EQ(ui.prompts[3].initial, "Ford");
    EXPECT_FALSE(names.modified);
    names.setNameAt(4, 4, 1);
    EXPECT_FALSE(promptEditName(names, 1, ui)); // unchanged text
    EXPECT_FALSE(names.modified);
    EXPECT_TRUE(promptEditName(names, 1, ui));
    EXPECT_EQ(names.names[1], "New Ford");
    EXPECT_TRUE(names.modified);
}

} // namespace
} // namespace maporv
