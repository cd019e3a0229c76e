#pragma once

#include "mapdata/userinterface.h"

#include <iosfwd>

namespace maporv {

// The command-line face of the user interface: messages go to a stream as
// their exact text, questions are answered No, pickers and prompts are
// cancelled, and the external editor is never started. With two streams, plain and
// information messages (the "Done !" kind) go to the first, warnings, errors and
// questions to the second.
class ConsoleUserInterface : public UserInterface {
public:
    explicit ConsoleUserInterface(std::ostream& out);
    ConsoleUserInterface(std::ostream& messages, std::ostream& errors);

    void showMessage(MessageKind kind, const std::string& text) override;
    Answer ask(const std::string& text, QuestionButtons buttons) override;
    std::string pickFile(int type, const std::string& initialPath,
                         const std::string& title) override;
    std::string pickFolder(int kind, const std::string& initialFolder,
                           const std::string& prompt) override;
    std::optional<std::string> enterText(const std::string& prompt,
                                         const std::string& initialText) override;
    void launchEditor(const std::string& file) override;
    void beginWaitCursor() override {}
    void endWaitCursor() override {}

    // Messages count, so the tool can tell a failure that was reported.
    int errorCount() const { return errorCount_; }

private:
    std::ostream& messages_;
    std::ostream& errors_;
    int errorCount_ = 0;
};

} // namespace maporv
