#pragma once

#include "mapdata/userinterface.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace maporv::test {

// A user interface for tests: records every message, question and picker call with
// its exact text, and answers questions, pickers and prompts from queues. An empty
// queue answers No / Cancel / cancelled, as a user who declines would.
class ScriptedUserInterface : public UserInterface {
public:
    struct Message {
        MessageKind kind;
        std::string text;
    };
    struct PickerCall {
        int typeOrKind;
        std::string initial;
        std::string title;
    };

    void showMessage(MessageKind kind, const std::string& text) override;
    Answer ask(const std::string& text, QuestionButtons buttons) override;
    std::string pickFile(int type, const std::string& initialPath,
                         const std::string& title) override;
    std::string pickFolder(int kind, const std::string& initialFolder,
                           const std::string& prompt) override;
    std::optional<std::string> enterText(const std::string& prompt,
                                         const std::string& initialText) override;
    void launchEditor(const std::string& file) override;
    void beginWaitCursor() override;
    void endWaitCursor() override;

    // Script.
    std::deque<Answer> answers;
    std::deque<std::string> files;
    std::deque<std::string> folders;
    std::deque<std::optional<std::string>> texts;

    // Record.
    std::vector<Message> messages;
    std::vector<std::string> questions;
    std::vector<PickerCall> filePicks;
    std::vector<PickerCall> folderPicks;
    std::vector<PickerCall> prompts;
    std::vector<std::string> launched;
    int waitDepth = 0;
    int waitCount = 0;

    // All message texts, in order.
    std::vector<std::string> messageTexts() const;
    // The last message text, or empty.
    std::string lastMessage() const;
    void clearRecord();
};

} // namespace maporv::test
