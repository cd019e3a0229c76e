#include "app/commands/editorcommands.h"

#include "app/commands/commandids.h"
#include "app/commands/editcommands.h"
#include "app/commands/filecommands.h"
#include "app/commands/recentfiles.h"
#include "app/commands/windowcommands.h"
#include "editing/editsession.h"
#include "mapdata/textformat.h"

#include <functional>

namespace maporv {
namespace {

// "&Undo" and "&Redo" with the step they would take back or bring back.
std::string stepText(const char* verb, const std::string& step, const char* key) {
    return step.empty() ? strprintf("%s\t%s", verb, key)
                        : strprintf("%s %s\t%s", verb, step.c_str(), key);
}

} // namespace

std::vector<Command> editorCommands(const CommandTargets& targets) {
    FileCommands& app = targets.files;
    WindowCommands& frame = targets.window;
    EditCommands& edit = targets.edit;
    const MapWorkspace& workspace = targets.session.workspace();
    const EditHistory& history = targets.session.history();
    const auto mapLoaded = [&workspace] { return workspace.document.loaded; };
    const auto pictureValid = [&workspace]() -> bool { return workspace.picture.valid; };
    const auto mapAndPicture = [&workspace] {
        return workspace.document.loaded && workspace.picture.valid;
    };
    // A mode's entry is checked while the mode is on, and disabled then.
    const auto isMode = [&frame](int mode) {
        return [&frame, mode] { return frame.videoMode() == mode; };
    };
    const auto notMode = [&frame](int mode) {
        return [&frame, mode] { return frame.videoMode() != mode; };
    };
    const auto setMode = [&frame](int mode) {
        return [&frame, mode] { frame.setVideoMode(mode); };
    };
    const auto isOn = [&frame](ViewToggle toggle) {
        return [&frame, toggle] { return frame.viewToggleOn(toggle); };
    };
    const auto flip = [&frame](ViewToggle toggle) {
        return [&frame, toggle] { frame.toggleView(toggle); };
    };
    const auto close = [&frame] { frame.postClose(); };

    std::vector<Command> commands = {
        // File
        {.id = kCmdNewMap,
         .menuText = "&New Map (from BMP / S16)...\tAlt+B",
         .statusPrompt = "Create a new MAP, you must elect an existing BMP",
         .toolTip = "New File",
         .key = altKey(Qt::Key_B),
         .handler = [&app] { app.newMap(); }},
        {.id = kCmdFileOpen,
         .menuText = "&Open MAP file...\tAlt+O",
         .key = altKey(Qt::Key_O),
         .handler = [&app] { app.fileOpen(); }},
        {.id = kCmdOpenLast,
         .menuText = "Open &Last File used\tAlt+L",
         .key = altKey(Qt::Key_L),
         .enabled = [&workspace] { return !workspace.lastOpen.empty(); },
         .handler = [&app] { app.openLast(); }},
        {.id = kCmdFileSave,
         .menuText = "&Save MAP as...\tAlt+S",
         .key = altKey(Qt::Key_S),
         .enabled = mapLoaded,
         .handler = [&app] { app.fileSave(); }},
        {.id = kCmdSaveImageBmpTiles,
         .menuText = "&Save image as BMP tiles",
         .enabled = pictureValid,
         .handler = [&app] { app.saveImageAsBmpTiles(); }},
        {.id = kCmdSaveImageS16Tiles,
         .menuText = "Save image &As S16 tiles",
         .statusPrompt = "Save BMP as S16 tiles",
         .toolTip = "Save As S16 tiles",
         .enabled = pictureValid,
         .handler = [&app] { app.saveImageAsS16Tiles(); }},
        {.id = kCmdSaveImageBmp,
         .menuText = "Save Image as new BMP",
         .statusPrompt = "Save image as 24 bits BMP",
         .toolTip = "Save as new 24b BMP",
         .enabled = pictureValid,
         .handler = [&app] { app.saveImageAsBmp(); }},
        {.id = kCmdExitMenu, .menuText = "E&xit\tESC", .handler = close},
        {.id = kCmdExitKey, .key = plainKey(Qt::Key_Escape), .handler = close},

        // Options: the display modes
        {.id = kCmdWindowMode,
         .menuText = "Window Mode\tF12 -> 800x600",
         .enabled = notMode(kWindowMode),
         .checked = isMode(kWindowMode),
         .handler = setMode(kWindowMode)},
        {.id = kCmdMode800x600,
         .menuText = "800x600 Full Screen Mode\tF12 -> WinMode",
         .enabled = notMode(kMode800x600),
         .checked = isMode(kMode800x600),
         .handler = setMode(kMode800x600)},
        {.id = kCmdMode1024x768,
         .menuText = "1024x768 Full Screen Mode\tF12 -> WinMode",
         .enabled = notMode(kMode1024x768),
         .checked = isMode(kMode1024x768),
         .handler = setMode(kMode1024x768)},
        {.id = kCmdSwitchMode,
         .key = plainKey(Qt::Key_F12),
         .handler = [&frame] { frame.toggleFullScreen(); }},
        // No menu entry and no key send it: every windowed frame waits for its turn.
        {.id = kCmdVerticalSync,
         .enabled = [&frame] { return frame.windowMode(); },
         .checked = [&frame] { return !frame.windowMode() || frame.verticalSyncOn(); },
         .handler = [&frame] { frame.toggleVerticalSync(); }},

        // Options: the view toggles, each mirrored by its button
        {.id = kCmdToggleStrategic,
         .menuText = "&Zoom to strategic\tAlt+Z or Z",
         .key = altKey(Qt::Key_Z),
         .checked = isOn(kToggleStrategic),
         .handler = flip(kToggleStrategic)},
        {.id = kCmdToggleGrid,
         .menuText = "Show &Grid\tAlt+G or G",
         .key = altKey(Qt::Key_G),
         .checked = isOn(kToggleGrid),
         .handler = flip(kToggleGrid)},
        {.id = kCmdToggleTerrain,
         .menuText = "Show &Terrain Types\tAlt+T",
         .key = altKey(Qt::Key_T),
         .checked = isOn(kToggleTerrain),
         .handler = flip(kToggleTerrain)},
        {.id = kCmdToggleRoads,
         .menuText = "Show &Roads\tAlt+R",
         .key = altKey(Qt::Key_R),
         .checked = isOn(kToggleRoads),
         .handler = flip(kToggleRoads)},
        {.id = kCmdToggleNames,
         .menuText = "Show &Named Hexes\tAlt+N",
         .key = altKey(Qt::Key_N),
         .checked = isOn(kToggleNames),
         .handler = flip(kToggleNames)},
        // Lines of text in the menus: no handler, so they show disabled.
        {.id = kCmdGuideLine},

        // Options: the tools. The Set data dialog is a window of its own, so it opens
        // in window mode only; it closes whatever the mode.
        {.id = kCmdSetDataDialog,
         .menuText = "Set &Data Dialog",
         .enabled = [&frame] { return frame.windowMode() || frame.setDataDialogOpen(); },
         .checked = [&frame] { return frame.setDataDialogOpen(); },
         .handler = [&frame] { frame.toggleSetDataDialog(); }},
        {.id = kCmdTerrainFilter,
         .menuText = "&Filter Terrain to view\tAlt+F",
         .key = altKey(Qt::Key_F),
         .handler = [&frame] { frame.filterTerrain(); }},
        {.id = kCmdMiscTools, .menuText = "Misc. Tools", .handler = [&app] { app.miscTools(); }},

        // Names
        {.id = kCmdLoadNames,
         .menuText = "&Load MapNames\tAlt+M",
         .key = altKey(Qt::Key_M),
         .enabled = mapLoaded,
         .handler = [&app] { app.loadNames(); }},
        {.id = kCmdSaveNames,
         .menuText = "&Save MapNames",
         .enabled = [&workspace] { return workspace.names.count > 0; },
         .handler = [&app] { app.saveNames(); }},
        {.id = kCmdBrowseNames,
         .menuText = "&Browse MapNames",
         .handler = [&app] { app.browseNames(); }},

        // Help: the release line shows the version
        {.id = kCmdRelease, .menuText = app.versionText()},

        // Editing: the brush from the hex at the cursor, and the selection.
        {.id = kCmdGetData,
         .key = ctrlKey(Qt::Key_C),
         .handler = [&edit] { edit.atCursor(&MapEditor::getData); }},
        {.id = kCmdGetTerrain,
         .key = ctrlKey(Qt::Key_T),
         .handler = [&edit] { edit.atCursor(&MapEditor::getTerrain); }},
        {.id = kCmdGetRoads,
         .key = ctrlKey(Qt::Key_R),
         .handler = [&edit] { edit.atCursor(&MapEditor::getRoads); }},
        {.id = kCmdGetName,
         .key = ctrlKey(Qt::Key_N),
         .handler = [&edit] { edit.atCursor(&MapEditor::getName); }},
        {.id = kCmdClearTerrain,
         .key = ctrlShiftKey(Qt::Key_T),
         .handler = [&edit] { edit.atCursor(&MapEditor::clearTerrain); }},
        {.id = kCmdClearRoads,
         .key = ctrlShiftKey(Qt::Key_R),
         .handler = [&edit] { edit.atCursor(&MapEditor::clearRoads); }},
        {.id = kCmdClearName,
         .key = ctrlShiftKey(Qt::Key_N),
         .handler = [&edit] { edit.atCursor(&MapEditor::clearName); }},
        {.id = kCmdClearSelection, .handler = [&edit] { edit.clearSelection(); }},

        // Edit: undo and redo name the step they act on.
        {.id = kCmdUndo,
         .menuText = "&Undo\tCtrl+Z",
         .liveText = [&history] { return stepText("&Undo", history.undoName(), "Ctrl+Z"); },
         .key = ctrlKey(Qt::Key_Z),
         .enabled = [&history] { return history.canUndo(); },
         .handler = [&edit] { edit.undo(); }},
        {.id = kCmdRedo,
         .menuText = "&Redo\tCtrl+Y",
         .liveText = [&history] { return stepText("&Redo", history.redoName(), "Ctrl+Y"); },
         .key = ctrlKey(Qt::Key_Y),
         .alternateKey = ctrlShiftKey(Qt::Key_Z),
         .enabled = [&history] { return history.canRedo(); },
         .handler = [&edit] { edit.redo(); }},
        // Edit: the map check, a window of its own like the Set data dialog.
        {.id = kCmdCheckMap,
         .menuText = "&Check Map\tF7",
         .key = plainKey(Qt::Key_F7),
         .enabled =
             [&frame, mapLoaded] {
                 return frame.checkMapWindowOpen() || (frame.windowMode() && mapLoaded());
             },
         .checked = [&frame] { return frame.checkMapWindowOpen(); },
         .handler = [&frame] { frame.toggleCheckMapWindow(); }},
        // Edit: the terrain of new hexes from the picture.
        {.id = kCmdSuggestTerrain,
         .menuText = "&Suggest Terrain\tF8",
         .key = plainKey(Qt::Key_F8),
         .enabled = mapAndPicture,
         .handler = [&edit] { edit.suggestTerrain(); }},
        // Edit: the roads between the hexes from the picture.
        {.id = kCmdSuggestRoads,
         .menuText = "Suggest R&oads\tF9",
         .key = plainKey(Qt::Key_F9),
         .enabled = mapAndPicture,
         .handler = [&edit] { edit.suggestRoads(); }},
        // Edit: painting with the mouse. Draw Roads gives the left button to roads.
        {.id = kCmdDrawRoads,
         .menuText = "&Draw Roads\tCtrl+D",
         .key = ctrlKey(Qt::Key_D),
         .checked = [&frame] { return frame.drawRoadsOn(); },
         .handler = [&frame] { frame.toggleDrawRoads(); }},
        {.id = kCmdFillRegion,
         .menuText = "&Fill Region\tCtrl+F",
         .key = ctrlKey(Qt::Key_F),
         .enabled = mapLoaded,
         .handler = [&edit] { edit.fillRegion(); }},
        {.id = kCmdSelectRegion,
         .menuText = "Select Re&gion\tCtrl+G",
         .key = ctrlKey(Qt::Key_G),
         .enabled = mapLoaded,
         .handler = [&edit] { edit.selectRegion(); }},

        // Caps Lock only changes the warning the status line shows.
        {.id = kCmdCapsLock,
         .key = plainKey(Qt::Key_CapsLock),
         .handler = [&frame] { frame.toggleCapsLock(); }},
        // The panes of a split window; this window has none.
        {.id = kCmdNextPane, .key = plainKey(Qt::Key_F6)},
        {.id = kCmdPrevPane, .key = shiftKey(Qt::Key_F6)},
    };

    // The recent-file entries; the first one's text is the menu's placeholder.
    const RecentFiles& recent = targets.recent;
    for (std::size_t i = 0; i < RecentFiles::kMaxEntries; ++i) {
        commands.push_back({.id = kCmdRecentFirst + static_cast<int>(i),
                            .menuText = i == 0 ? "Recent File" : "",
                            .enabled = [&recent, i] { return i < recent.size(); },
                            .handler = [&app, i] { app.openRecent(i); }});
    }
    return commands;
}

} // namespace maporv
