#pragma once

#include "app/desktop/externaleditor.h"
#include "mapdata/userinterface.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <utility>

namespace maporv {

// The editor's user interface: message boxes titled "MapOrv", the file and folder
// pickers, the name prompt, the external editor and the wait cursor.
//
// Every box, dialog and picker is shown modal over the parent widget (the main
// window, set once it exists). Right before one is shown the before-modal hook runs,
// so that the main window can bring a full-screen display back to the desktop.
// While the wait cursor is up, the arrow comes back for as long as a box is open.
class QtUserInterface : public UserInterface {
public:
    QtUserInterface();
    ~QtUserInterface() override;
    QtUserInterface(const QtUserInterface&) = delete;
    QtUserInterface& operator=(const QtUserInterface&) = delete;

    void setParentWidget(QWidget* parent) { parent_ = parent; }
    QWidget* parentWidget() const { return parent_; }
    void setBeforeModal(std::function<void()> hook) { beforeModal_ = std::move(hook); }
    // Where the pickers start by default; asked at every pick since it follows the
    // last loaded file.
    void setGameFolderSource(std::function<std::string()> source) {
        gameFolder_ = std::move(source);
    }
    std::string gameFolder() const { return gameFolder_ ? gameFolder_() : std::string(); }

    ExternalEditor& editor() { return editor_; }
    // Lets the user pick another external editor program.
    void chooseEditor() { editor_.choose(); }

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

    int waitCursorDepth() const { return waitDepth_; }

private:
    // Runs the hook and lifts the wait cursor around one modal box or dialog.
    template <typename Show>
    auto runModal(Show&& show);

    QPointer<QWidget> parent_;
    std::function<void()> beforeModal_;
    std::function<std::string()> gameFolder_;
    ExternalEditor editor_;
    int waitDepth_ = 0;
};

} // namespace maporv
