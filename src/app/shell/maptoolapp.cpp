#include "app/shell/maptoolapp.h"

#include "app/commands/acceleratorfilter.h"
#include "app/commands/commandids.h"
#include "app/commands/editcommands.h"
#include "app/commands/editorcommands.h"
#include "app/commands/mainmenu.h"
#include "app/desktop/qtuserinterface.h"
#include "app/forms/editorfont.h"
#include "app/shell/recoverykeeper.h"
#include "app/shell/terminationsignals.h"
#include "app/window/capslockstate.h"
#include "app/window/frameinput.h"
#include "app/window/framesurface.h"
#include "app/window/mapframe.h"
#include "app/window/pauseflags.h"
#include "app/window/renderloop.h"
#include "display/textconversion.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "version.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QScreen>

namespace maporv {
namespace {

// The screen without the task bars.
Rect desktopWorkArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return Rect{0, 0, 1024, 768};
    }
    const QRect area = screen->availableGeometry();
    return Rect::fromSize(area.x(), area.y(), area.width(), area.height());
}

// Every size the generator draws; the same files are installed into the icon theme.
QIcon programIcon() {
    QIcon icon;
    const QDir icons(QStringLiteral(":/icons"));
    for (const QString& name : icons.entryList({QStringLiteral("maporv-*.png")}, QDir::Files)) {
        icon.addFile(icons.filePath(name));
    }
    return icon;
}

// Where the first-run question starts: where the game's SCENARIO folder most likely
// is. The one beside the folder of the file named on the command line (a MAP file's
// own folder), else the usual place when it exists, else the home folder; a tree
// opened at the root of the file system helps nobody.
std::string likelyScenarioFolder(const std::string& commandLineFile, const std::string& usual,
                                 const std::string& home) {
    if (!commandLineFile.empty()) {
        const std::string beside = parentFolder(commandLineFile) + "SCENARIO/";
        if (isFolder(beside)) {
            return withTrailingSeparator(resolveExisting(beside));
        }
        const std::string own = folderPart(commandLineFile);
        if (toUpperAscii(extensionPart(commandLineFile)) == ".MAP" && isFolder(own)) {
            return withTrailingSeparator(resolveExisting(own));
        }
    }
    return isFolder(usual) ? withTrailingSeparator(resolveExisting(usual)) : home;
}

} // namespace

MapToolApp::MapToolApp(AppSetup setup)
    : setup_(std::move(setup)),
      ownUi_(setup_.ui == nullptr ? std::make_unique<QtUserInterface>() : nullptr),
      ui_(setup_.ui != nullptr ? *setup_.ui : *ownUi_), session_(ui_),
      versionText_(strprintf("Ver: %s - %s", kVersion, kReleaseMonth)),
      recovery_(std::make_unique<RecoveryKeeper>(session_, ui_)) {
    // Before the first widget: the dialogs are laid out for this font.
    useEditorFont();
}

MapToolApp::~MapToolApp() {
    if (loop_) {
        loop_->stop();
    }
    // A run that never got as far as the settings must not blank the stored file.
    if (settingsRead_) {
        settings_.writeLastOpen(session_.workspace().lastOpen);
        settings_.writeRecentFiles(recent_.entries());
    }
}

bool MapToolApp::start(const QStringList& arguments) {
    // A logout or shutdown from here on keeps the unsaved work.
    signals_ = std::make_unique<TerminationSignals>([this] { terminate(); });

    // 1. The settings: the recent-file list; LastOpen is read once the window shows.
    recent_.assign(settings_.readRecentFiles());

    // 2. The work area becomes the first display area.
    FrameSetup frameSetup;
    // Asked of the platform only when the setup does not give it.
    frameSetup.workArea = setup_.workArea ? *setup_.workArea : desktopWorkArea();
    if (!setup_.workArea) {
        frameSetup.workAreaSource = &desktopWorkArea;
    }
    frameSetup.maximise = setup_.maximise;
    frameSetup.capsLockOn = setup_.capsLockOn ? *setup_.capsLockOn : readCapsLockState();

    // 3. The main window with its menu, accelerators and icon.
    frame_ = std::make_unique<MapFrame>(session_, ui_, std::move(frameSetup));
    frame_->setWindowIcon(programIcon());
    if (ownUi_) {
        ownUi_->setParentWidget(frame_.get());
        ownUi_->setBeforeModal([this] { frame_->flipToDesktop(); });
        ownUi_->setGameFolderSource([this] { return session_.workspace().gameFolder; });
    }
    installCommands();
    frame_->closeQuery = [this] { return closeRequested(); };
    if (!frame_->OnCreate()) {
        input_.reset();
        accelerators_.reset();
        menu_.reset();
        editCommands_.reset();
        frame_.reset();
        commands_ = CommandTable();
        return false;
    }

    // 4. Shown, with a first (empty) frame.
    frame_->showWindow();
    frame_->drawFrame();

    // 5. LastOpen, or the first-run question.
    const std::string commandLineFile =
        arguments.isEmpty() || arguments.front().isEmpty()
            ? std::string()
            : toStdString(QFileInfo(arguments.front()).absoluteFilePath());
    readSettings(commandLineFile);

    // Unsaved work of an editor that ended without saving it takes the place of the
    // command line's file, which would replace it unasked.
    const bool recovered = offerRecovery();

    // 6. A file named on the command line.
    if (!recovered && !terminated_ && !commandLineFile.empty()) {
        load(commandLineFile, false);
    }

    // 7. The arrow pointer, the info text; then the frames.
    frame_->surface().setCursor(Qt::ArrowCursor);
    session_.rebuildInfoText();

    loop_ = std::make_unique<RenderLoop>(*frame_);
    if (setup_.runRenderLoop) {
        loop_->start();
    }
    return true;
}

void MapToolApp::readSettings(const std::string& commandLineFile) {
    std::string lastOpen = settings_.readLastOpen();
    if (lastOpen.empty()) {
        // The game's usual place, in the user's home folder.
        const std::string home = withTrailingSeparator(toStdString(QDir::homePath()));
        const std::string folder = home + "valdorn/SCENARIO/";
        lastOpen = folder;
        // The pickers start at the game's usual place.
        session_.setLastOpen(folder);
        const std::string chosen = ui_.pickFolder(
            FolderKind::Scenario, likelyScenarioFolder(commandLineFile, folder, home),
            "Select Valdorn SCENARIO folder");
        if (!chosen.empty()) {
            lastOpen = strprintf("%s*.map", chosen.c_str());
        }
    }
    // The game folder follows the file as a load would set it, so the pickers start
    // there from the first command on.
    session_.setLastOpen(lastOpen);
    settingsRead_ = true;
}

void MapToolApp::installCommands() {
    editCommands_ = std::make_unique<EditCommands>(session_, *frame_, ui_);
    commands_.add(editorCommands({*this, *frame_, *editCommands_, session_, recent_}));
    menu_ = std::make_unique<MainMenu>(*frame_->menuBar(), *frame_, commands_, recent_);
    accelerators_ = std::make_unique<AcceleratorFilter>(commands_, *frame_, *frame_);
    qApp->installEventFilter(accelerators_.get());
    input_ = std::make_unique<FrameInput>(commands_, session_, *frame_);
    // The panel's heading is the Set Data Dialog command.
    session_.setSetDataDialogOpener([this] { commands_.run(kCmdSetDataDialog); });
}

bool MapToolApp::load(const std::string& path, bool pictureChosen) {
    return session_.load(path, pictureChosen).mapReplaced;
}

bool MapToolApp::saveAllModified() {
    const MapWorkspace& workspace = session_.workspace();
    const MapDocument& document = workspace.document;
    if (document.modified) {
        const Answer answer =
            ui_.ask(strprintf("%s\nIS modified\nSave changes ?", document.path.c_str()),
                    QuestionButtons::YesNoCancel);
        if (answer == Answer::Cancel) {
            return false;
        }
        // A save the user asked for and did not get stops the whole action.
        if (answer == Answer::Yes && !fileSave()) {
            return false;
        }
    }
    if (workspace.names.modified) {
        const Answer answer =
            ui_.ask(strprintf("Names loaded from:\n%s\nhave been modified\nSave changes (same or "
                              "different file) ?",
                              workspace.names.path.c_str()),
                    QuestionButtons::YesNoCancel);
        if (answer == Answer::Cancel) {
            return false;
        }
        if (answer == Answer::Yes && !saveNames()) {
            return false;
        }
    }
    return true;
}

bool MapToolApp::closeRequested() {
    if (saveAllModified()) {
        if (loop_) {
            loop_->stop();
        }
        // Saved, or discarded by the user's No: nothing is at risk any more.
        recovery_->finish();
        return true;
    }
    // Staying: a display that stopped after failures gets window mode back.
    if ((frame_->pauseFlags() & kPauseStop) != 0 && frame_->recoverDisplay() && loop_ &&
        setup_.runRenderLoop && !loop_->isActive()) {
        loop_->start();
    }
    return false;
}

void MapToolApp::addRecent(const std::string& path) {
    recent_.add(path);
    settings_.writeRecentFiles(recent_.entries());
}

} // namespace maporv
