#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

namespace maporv {

class CommandTable;
class ToolWindow;
class WindowCommands;

// The accelerator table of the main window, consulted before the menu, as on the
// game's platform: Alt+F is the terrain filter although the File menu is "&File".
//
// Installed on the application, it claims the accelerators' key presses for the
// main window before Qt's shortcut map sees them (Qt would find the accelerator and
// the menu title's mnemonic ambiguous and fire neither), and runs the command when
// its enable rule allows. This also works in the full-screen modes, where the menu
// bar is hidden. Keys pressed in the main window's tool windows that these do not keep
// (ToolWindow::keepsKey) go on to the map and act there, the accelerators included;
// a letter of the window's own buttons still wins over the menu bar's. Keys pressed
// in dialogs and open menus are left alone.
//
// The menus stay reachable: Alt pressed and released alone, or F10, opens the
// first menu of the bar (showing the bar in full screen); there, Alt with a menu's
// mnemonic that is no accelerator opens that menu.
class AcceleratorFilter : public QObject {
public:
    // window: the main window's widget, whose widgets and tool windows it serves.
    AcceleratorFilter(const CommandTable& commands, const QWidget& window,
                      WindowCommands& windowCommands);

    // The command of a key press, 0 for none.
    int commandFor(const QKeyEvent& event) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Keys the main window's widgets receive while no menu or dialog is up.
    bool forFrame(QObject* watched) const;
    // The main window's tool window a key was pressed in, while no menu or dialog is up.
    ToolWindow* toolWindow(QObject* watched) const;
    // What becomes of a key pressed in a tool window: it stays there, it presses the
    // window's button of that mnemonic, or it goes on to the map.
    enum class ToolKey { Kept, Mnemonic, PassedOn };
    ToolKey route(const ToolWindow& window, const QKeyEvent& key) const;
    // A key pressed in a tool window; true when taken.
    bool toolWindowKey(ToolWindow& window, QKeyEvent& event);
    bool keyPress(const QKeyEvent& event);

    const CommandTable& commands_;
    const QWidget& window_;
    WindowCommands& windowCommands_;
    // Alt went down with nothing else since.
    bool altAlone_ = false;
};

} // namespace maporv
