#pragma once

#include "app/commands/windowcommands.h"
#include "app/window/framepointer.h"
#include "app/window/framestroke.h"
#include "app/window/renderloop.h"
#include "display/displayowner.h"
#include "display/displaysurfaces.h"
#include "display/mapview.h"
#include "editing/editsession.h"
#include "mapdata/hexgrid.h"

#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <optional>

namespace maporv {

class CheckMapWindow;
class FrameSurface;
class SetDataDialog;
class ToolWindow;
class UserInterface;

// What the main window takes from its surroundings at construction.
struct FrameSetup {
    // The desktop work area read at start-up: what window mode covers, and the edges
    // whose touch scrolls the map in window mode.
    Rect workArea;
    // Window mode asks the window system to maximise the window. Off where no window
    // system decides (tests), so the window keeps the work area it was given.
    bool maximise = true;
    // The Caps Lock state at start.
    bool capsLockOn = false;
    // Reads the work area again after the screens changed; none keeps the first one.
    std::function<Rect()> workAreaSource;
};

// The editor's main window. It owns the display, the map view with its images, the
// hex grid, the view toggles and the tool windows, and runs the display modes: a
// window that covers the desktop work area, or full screen at 800 x 600 or 1024 x 768,
// the frame then scaled to the screen with its aspect kept. Rendering stops while any
// bit of pauseFlags() is set. It follows the editing session: a map loaded, a picture
// back in the buffer or a document renamed shows at once; everything else in the
// next frame.
//
// Life: construct (pause bit 0x01), OnCreate (display, first mode, images), then
// frames; closing asks the close query (the exit flow) first.
class MapFrame : public QMainWindow,
                 public DisplayOwner,
                 public RenderTarget,
                 public WindowCommands {
public:
    MapFrame(EditSession& session, UserInterface& ui, FrameSetup setup);
    ~MapFrame() override;
    MapFrame(const MapFrame&) = delete;
    MapFrame& operator=(const MapFrame&) = delete;

    // Creates the display, sets window mode and loads the images. Reports "Error
    // creating DirectDraw object." or "Error setting video mode." and returns false
    // when that fails.
    bool OnCreate();
    // Shows the window and takes over where the window system put its client area.
    void showWindow();

    // The mode in videoMode(): the display's part, then the keyboard focus in the
    // full-screen modes. Does nothing while minimised.
    Status InitDisplayMode();
    // After a mode command set the mode: the display again, the images reloaded.
    // When that fails the window asks to close.
    void SwitchMode();
    // A switch into 8 bits per pixel from depthBefore makes the palette and reloads
    // the images; nothing else does anything.
    void paletteStep(int depthBefore);

    // Editing at the cursor. The current hex exists once the pointer has been over
    // the map view; the character keys, the Alt keypad keys and the right button wait
    // for it, and the editing operations that read it do nothing without it.
    bool hasCurrentHex() const { return view_.currentHex.exists; }
    // SPACE and the left button on the map view: select at the cursor hex.
    void select(bool shift, bool ctrl);
    // "+" / "-": the Set data dialog's terrain while it is open, else the brush's.
    void stepTerrain(bool up);
    // A click on hot spot index of the panel; the name prompts pause the frames.
    void rightMenuAction(int index);

    // The tool windows, while open.
    SetDataDialog* setDataDialog() const;
    void closeSetDataDialog();
    CheckMapWindow* checkMapWindow() const;
    void closeCheckMapWindow();
    // A line of the Check Map window: the cursor on the hex, the view at full size
    // centred on it, the hex selected and the pointer on it. For a hex the view
    // cannot show, nothing moves and the answer says why (empty when it went).
    std::string goToHex(int row, int column);

    // The caption follows the view's title text.
    void refreshTitle();

    // Before a modal dialog, box or picker: a full-screen display lets the desktop's
    // windows be seen.
    void flipToDesktop();
    // Where tool dialogs put their top-left corner, in global pixels (the dialog
    // adds its 48 pixels in window mode itself).
    QPoint dialogAnchor() const;

    // Asked before the window closes; false keeps it open.
    std::function<bool()> closeQuery;

    // Screens were added, removed or changed.
    void displayChanged();
    // The stop bit after a failure, lifted again by a working window mode; false when
    // the display still cannot be set.
    bool recoverDisplay();

    // WindowCommands.
    int videoMode() const override { return view_.videoMode; }
    bool windowMode() const override { return view_.fullScreen == 0; }
    void setVideoMode(int mode) override;
    void toggleFullScreen() override;
    bool verticalSyncOn() const override { return view_.vsyncOn != 0; }
    void toggleVerticalSync() override;
    bool viewToggleOn(ViewToggle toggle) const override { return view_.toggle(toggle) != 0; }
    // The grid only while a picture shows.
    void toggleView(ViewToggle toggle) override;
    void toggleCapsLock() override;
    bool drawRoadsOn() const override { return view_.drawRoadsOn; }
    void toggleDrawRoads() override;
    void endStroke() override { stroke_.end(); }
    bool setDataDialogOpen() const override;
    void toggleSetDataDialog() override;
    bool checkMapWindowOpen() const override;
    void toggleCheckMapWindow() override;
    // OK switches Show Terrain Types on.
    void filterTerrain() override;
    EditCursor editCursor() const override;
    void showNotice(std::string text) override { view_.showNotice(std::move(text)); }
    // Also after failures.
    void postClose() override;
    void enterMenuLoop() override;
    void exitMenuLoop() override;
    // Alt alone or F10: the menu bar, shown in full screen, with its first menu open;
    // or the menu with that mnemonic.
    void openMenuBar(QChar mnemonic = {}) override;

    // RenderTarget.
    bool framePaused() const override { return pauseFlags_ != 0; }
    Status drawFrame() override;
    void framesFailed() override;
    const QScreen* frameScreen() const override { return currentScreen(); }
    bool frameStale() const override;
    bool frameChangesSoon() const override { return !view_.notice().empty(); }
    bool pointerMovesReported() const override { return underMouse(); }

    // DisplayOwner.
    void applyFullScreenStyle() override;
    void applyWindowedStyle() override;
    Rect clientRect() const override;

    int pauseFlags() const { return pauseFlags_; }
    void setPauseBit(int bit, bool on);

    MapView& view() { return view_; }
    const MapView& view() const { return view_; }
    DisplaySurfaces& display() { return display_; }
    HexGrid& grid() { return grid_; }
    FrameSurface& surface() { return *surface_; }
    FrameStroke& stroke() { return stroke_; }
    int framesDrawn() const { return framesDrawn_; }

protected:
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    int desktopDepth() const;
    QScreen* currentScreen() const;
    // Window mode: the client area moved or took another size.
    void clientGeometryChanged();
    void watchScreens();
    // A tool window beside the map: the focus comes back to the surface, the window
    // takes its place in the display area and shows without taking the keys.
    void showToolWindow(ToolWindow& window);

    // What the session's change shows at once.
    void sessionChanged(SessionChanges what);
    // A map loaded: its picture shown and one frame drawn, or the old picture dropped
    // when the new map has none.
    void showLoadedPicture();
    void showNoPicture();
    // The map's own picture back in the shared buffer: back in the view too.
    void showRestoredPicture();
    // The view's title text and the caption follow the map's file name.
    void showDocumentName();

    EditSession& session_;
    UserInterface& ui_;
    bool maximise_;
    std::function<Rect()> workAreaSource_;

    FrameSurface* surface_; // the central widget, owned by the window
    FramePointer pointer_;
    DisplaySurfaces display_;
    HexGrid grid_;
    MapView view_;
    FrameStroke stroke_;

    int pauseFlags_ = 0;
    // Window mode's size and place were applied; a second InitWindowed (a new client
    // size) keeps the window where the user has it.
    bool windowedStyleApplied_ = false;
    bool displayChangedWhileMinimised_ = false;
    bool inMenuLoop_ = false;
    int framesDrawn_ = 0;
    // What the last frame read, with the pointer where it was then.
    std::optional<std::uint64_t> drawnInputs_;
    // The open Set data dialog, if any; it deletes itself when it closes.
    QPointer<SetDataDialog> setDataDialog_;
    // The open Check Map window, if any; it deletes itself when it closes.
    QPointer<CheckMapWindow> checkMapWindow_;
    EditSession::Following following_;
};

} // namespace maporv
