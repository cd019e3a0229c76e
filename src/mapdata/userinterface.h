#pragma once

#include <optional>
#include <string>

namespace maporv {

// The kinds of message box. Every box carries the title "MapOrv".
enum class MessageKind {
    Plain,       // OK button, no icon
    Information, // information icon, OK
    Warning,     // exclamation icon, OK
    Error,       // stop icon, OK
};

enum class QuestionButtons { YesNo, YesNoCancel };
enum class Answer { Yes, No, Cancel };

// File types of the file picker; each brings its filters and default title.
namespace FileType {
inline constexpr int Text = 1;
inline constexpr int Map = 4;
inline constexpr int S16 = 5;
inline constexpr int Bmp = 7;
inline constexpr int Picture = 8;
inline constexpr int Executable = 10;
} // namespace FileType

// Folder kinds of the folder picker; each brings a start folder and a prompt.
namespace FolderKind {
inline constexpr int Scenario = 4;
inline constexpr int S16 = 5;
inline constexpr int Shp = 6;
inline constexpr int General = 7;
} // namespace FolderKind

// The only way the core talks to the user: message boxes, questions, pickers, the
// name prompt, the external editor and the wait cursor. The editor implements it
// with dialogs, the command-line tool on the console, the tests with a script.
class UserInterface {
public:
    virtual ~UserInterface() = default;

    virtual void showMessage(MessageKind kind, const std::string& text) = 0;
    virtual Answer ask(const std::string& text, QuestionButtons buttons) = 0;

    // Returns the chosen path, or empty when cancelled.
    virtual std::string pickFile(int type, const std::string& initialPath,
                                 const std::string& title) = 0;
    // Returns the chosen folder ending in a separator, or empty when cancelled.
    virtual std::string pickFolder(int kind, const std::string& initialFolder,
                                   const std::string& prompt) = 0;
    // The one-field text prompt; nullopt when cancelled.
    virtual std::optional<std::string> enterText(const std::string& prompt,
                                                 const std::string& initialText) = 0;
    virtual void launchEditor(const std::string& file) = 0;

    virtual void beginWaitCursor() = 0;
    virtual void endWaitCursor() = 0;

    void message(const std::string& text) { showMessage(MessageKind::Plain, text); }
    void information(const std::string& text) { showMessage(MessageKind::Information, text); }
    void error(const std::string& text) { showMessage(MessageKind::Error, text); }
};

// Shows the wait cursor while a long file operation runs.
class WaitCursor {
public:
    explicit WaitCursor(UserInterface& ui) : ui_(ui) { ui_.beginWaitCursor(); }
    ~WaitCursor() { ui_.endWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    UserInterface& ui_;
};

} // namespace maporv
