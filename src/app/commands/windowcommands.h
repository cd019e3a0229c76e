#pragma once

#include "display/mapview.h"
#include "editing/editcursor.h"

#include <QChar>
#include <string>

namespace maporv {

// What the commands ask of the main window (MapFrame): the display modes, the view
// toggles, the tool windows, where the editing commands act and what they say, and
// the menu loop of the menus and accelerators.
class WindowCommands {
public:
    virtual ~WindowCommands() = default;

    // The display modes: videoMode() is kWindowMode, kMode800x600 or kMode1024x768.
    virtual int videoMode() const = 0;
    virtual bool windowMode() const = 0;
    virtual void setVideoMode(int mode) = 0;
    // F12: window <-> 800 x 600.
    virtual void toggleFullScreen() = 0;
    // Window mode only.
    virtual bool verticalSyncOn() const = 0;
    virtual void toggleVerticalSync() = 0;

    // The view toggles of the Options menu and the button bar, and Caps Lock's warning.
    virtual bool viewToggleOn(ViewToggle toggle) const = 0;
    virtual void toggleView(ViewToggle toggle) = 0;
    virtual void toggleCapsLock() = 0;
    // Edit > Draw Roads: the left button draws roads instead of selecting.
    virtual bool drawRoadsOn() const = 0;
    virtual void toggleDrawRoads() = 0;
    // A key ends a running stroke of the mouse before it does anything else.
    virtual void endStroke() = 0;

    // The tool windows (opened in window mode only, closed in any) and the terrain
    // filter dialog.
    virtual bool setDataDialogOpen() const = 0;
    virtual void toggleSetDataDialog() = 0;
    virtual bool checkMapWindowOpen() const = 0;
    virtual void toggleCheckMapWindow() = 0;
    virtual void filterTerrain() = 0;

    // Where the editing commands act: the cursor hex and the current hex.
    virtual EditCursor editCursor() const = 0;
    // A command's outcome in the status line.
    virtual void showNotice(std::string text) = 0;
    // A close request through the event loop (ESC, Exit).
    virtual void postClose() = 0;

    // The menu loop: a menu of the bar opened, or the last one closed; the menu bar
    // opened with its first menu, or with the menu of that mnemonic.
    virtual void enterMenuLoop() = 0;
    virtual void exitMenuLoop() = 0;
    virtual void openMenuBar(QChar mnemonic = {}) = 0;
};

} // namespace maporv
