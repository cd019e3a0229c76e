#include "app/desktop/externaleditor.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace maporv {
namespace {

using ::testing::ElementsAre;

// Starts are recorded, never run; `startResult` says whether the start worked.
class ExternalEditorTest : public ::testing::Test {
protected:
    ExternalEditorTest() : editor(ui) {
        editor.setStarter([this](const std::string& program, const std::vector<std::string>& args) {
            starts.push_back(program);
            arguments = args;
            return startResult;
        });
    }

    test::TempFolder folder;
    test::ScriptedUserInterface ui;
    ExternalEditor editor;
    std::vector<std::string> starts;
    std::vector<std::string> arguments;
    bool startResult = true;
};

TEST_F(ExternalEditorTest, FailedStartShowsTheCommandLine) {
    const std::string program = folder.write("bin/texteditor", "#!/bin/sh\n");
    editor.setPath(program);
    startResult = false;
    editor.launch("/c/Game/MAP05.TXT");
    EXPECT_THAT(starts, ElementsAre(program));
    EXPECT_THAT(arguments, ElementsAre("/c/Game/MAP05.TXT"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(ui.messages[0].text,
              "Invocado:\n\"" + program + "\" \"/c/Game/MAP05.TXT\"\nRetornado = 0");
}

TEST_F(ExternalEditorTest, MissingEditorIsAskedForAndCancelDoesNothing) {
    editor.setPath(folder.path() + "gone/editor");
    editor.launch("/c/Game/MAP05.TXT");
    ASSERT_EQ(ui.filePicks.size(), 1u);
    EXPECT_EQ(ui.filePicks[0].typeOrKind, 10);
    EXPECT_EQ(ui.filePicks[0].initial, "");
    EXPECT_EQ(ui.filePicks[0].title, "");
    EXPECT_TRUE(starts.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ExternalEditorTest, MissingEditorReplacedByTheChoiceIsStarted) {
    editor.setPath(folder.path() + "gone/editor");
    const std::string chosen = folder.write("bin/vi", "#!/bin/sh\n");
    ui.files.push_back(chosen);
    editor.launch("/c/Game/MAP05.TXT");
    EXPECT_EQ(editor.path(), chosen);
    EXPECT_THAT(starts, ElementsAre(chosen));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ExternalEditorTest, ChoiceThatDoesNotExistKeepsTheEditorAndNamesBothPaths) {
    const std::string old = folder.path() + "gone/editor";
    editor.setPath(old);
    const std::string chosen = folder.path() + "bin/typed-name";
    ui.files.push_back(chosen);
    editor.launch("/c/Game/MAP05.TXT");
    EXPECT_EQ(editor.path(), old);
    EXPECT_TRUE(starts.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(ui.messages[0].text, "Error !\n" + chosen + "not found" + old + " not changed");
}

} // namespace
} // namespace maporv
