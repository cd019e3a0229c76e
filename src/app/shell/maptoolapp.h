#pragma once

#include "app/commands/commandtable.h"
#include "app/commands/filecommands.h"
#include "app/commands/recentfiles.h"
#include "app/shell/appsettings.h"
#include "display/rect.h"
#include "editing/editsession.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace maporv {

class AcceleratorFilter;
class EditCommands;
class FrameInput;
class MainMenu;
class MapFrame;
class QtUserInterface;
class RecoveryKeeper;
class RenderLoop;
class TerminationSignals;
class UserInterface;
struct AbandonedRecord;

// What the application takes from the platform at start-up; tests give their own.
struct AppSetup {
    // The user interface of messages, questions and pickers; none: the Qt one.
    UserInterface* ui = nullptr;
    // The desktop work area; none: the primary screen's available area.
    std::optional<Rect> workArea;
    // Window mode asks the window system to maximise the window.
    bool maximise = true;
    // The Caps Lock state at start; none: read from the keyboard.
    std::optional<bool> capsLockOn;
    // The paced render loop runs by itself; tests turn the loop by hand instead.
    bool runRenderLoop = true;
    // How the run ends after SIGTERM or SIGHUP; none: the event loops are left.
    std::function<void()> quit;
};

// The application: start-up, the settings, the render loop and the file commands,
// all over the one editing session (map, names, picture, brush, selection, history)
// and the one main window. The session comes first; the window, the tool windows, the
// dialogs, the recovery record and the commands are given it.
//
// Start-up, in this order: the settings and the recent-file list; the desktop work
// area; the main window with its menu, accelerators and icon; the window shown; the
// last opened file from the settings, asking once for the game's SCENARIO folder on
// the first run; the unsaved work of editors that ended without saving it, offered
// back; the file named on the command line; the info text. At the end the
// application writes LastOpen.
//
// While the map or its names are modified a recovery record keeps the work
// (RecoveryKeeper). It goes when the work is no longer at risk: a save that leaves
// nothing modified, another map loaded, the end of the exit flow. SIGTERM and SIGHUP
// bring it up to date and end the run without the exit flow, so it stays.
class MapToolApp : public FileCommands {
public:
    explicit MapToolApp(AppSetup setup = {});
    ~MapToolApp() override;
    MapToolApp(const MapToolApp&) = delete;
    MapToolApp& operator=(const MapToolApp&) = delete;

    // Start-up with the program's arguments (without the program's name): the first
    // one is a file to load, unless unsaved work was recovered in its place. False
    // when the main window could not be created.
    bool start(const QStringList& arguments = {});
    // SIGTERM or SIGHUP came: the run ends without the exit flow.
    bool terminated() const { return terminated_; }

    // The load step that every opening command uses: the session loads the file
    // (with its picture and names) and starts a new edit history; the view follows.
    // True when a map or picture was loaded.
    bool load(const std::string& path, bool pictureChosen);

    // The exit prompts, also run before Open: false when the user cancelled, or when
    // a save the user asked for did not happen.
    bool saveAllModified();

    // FileCommands.
    void newMap() override;
    void fileOpen() override;
    void openLast() override;
    void openRecent(std::size_t index) override;
    bool fileSave() override;
    void saveImageAsBmp() override;
    void saveImageAsBmpTiles() override;
    void saveImageAsS16Tiles() override;
    void miscTools() override;
    void loadNames() override;
    bool saveNames() override;
    void browseNames() override;
    const std::string& versionText() const override { return versionText_; }

    EditSession& session() { return session_; }
    const MapWorkspace& workspace() const { return session_.workspace(); }
    RecentFiles& recentFiles() { return recent_; }
    const CommandTable& commands() const { return commands_; }
    UserInterface& ui() { return ui_; }
    RecoveryKeeper& recovery() { return *recovery_; }
    // After a successful start.
    MapFrame* frame() { return frame_.get(); }
    RenderLoop* renderLoop() { return loop_.get(); }

private:
    // LastOpen, or the first-run question, which starts near the command line's file.
    void readSettings(const std::string& commandLineFile);
    void installCommands();
    void addRecent(const std::string& path);
    // Runs when the main window is asked to close.
    bool closeRequested();
    // The records of editors that are gone, offered newest first: "Yes" takes the work
    // back (the others wait for a later start), "No" deletes the record; those that
    // cannot be read are moved aside, named in one message. True when work was recovered.
    bool offerRecovery();
    void recover(AbandonedRecord& record);
    // The record up to date, then the end of the run.
    void terminate();

    AppSetup setup_;
    AppSettings settings_;
    RecentFiles recent_;
    std::unique_ptr<QtUserInterface> ownUi_;
    UserInterface& ui_;
    EditSession session_;
    std::string versionText_;
    bool settingsRead_ = false;
    bool terminated_ = false;
    // After the session it follows.
    std::unique_ptr<RecoveryKeeper> recovery_;
    std::unique_ptr<TerminationSignals> signals_;
    // Declared before the window: the window's menus run these commands.
    CommandTable commands_;
    std::unique_ptr<MapFrame> frame_;
    std::unique_ptr<EditCommands> editCommands_;
    std::unique_ptr<MainMenu> menu_;
    std::unique_ptr<AcceleratorFilter> accelerators_;
    std::unique_ptr<FrameInput> input_;
    std::unique_ptr<RenderLoop> loop_;
};

} // namespace maporv
