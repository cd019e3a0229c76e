#pragma once

#include "mapdata/hexdirection.h"

#include <QObject>
#include <QPoint>
#include <QPointF>

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

namespace maporv {

class CommandTable;
class EditSession;
class MapFrame;

// The keyboard and the mouse of the main window's view. Installed on the frame's
// surface, it binds what reaches the map to scrolling, cursor moves, the window's
// editing operations and the commands of the table:
//
// - key down (in every state): Shift and Ctrl tracked; Page Up / Page Down scroll
//   75 pixels, Home and End to the corners, the arrows 5 pixels (15 with Ctrl);
// - characters, once there is a current hex (all swallowed before): TAB Get Data,
//   Enter / Z strategic view, SPACE select, "+" / "-" terrain step, the keypad
//   digits move the cursor hex and the pointer with it, "5" centres, C clears the
//   selection, T / R / D / N (upper case only) set, G grid, L open last;
// - Alt with the keypad's navigation keys or a digit: the same as that digit; other
//   Alt keys are left to the window (its menus and the window system's keys);
// - left button: on the map a selection at the hex clicked, on the button bar a view
//   toggle, on the panel (Set data dialog closed) its hot spot; right button on the
//   map: Set Data at the hex clicked; double click on the map: strategic view;
//   wheel over the map: 15 pixels up or down per notch;
// - a button held on the map while the pointer moves: a stroke (FrameStroke). The
//   left button goes on selecting (Shift inverting, Ctrl a block from the press),
//   the right one setting data, the middle one (and the left one while Draw Roads is
//   on) draws roads, or with Shift at the press takes them away.
//
// The accelerators (Ctrl+T, Ctrl+Z, Alt+F...) are taken before they get here, so a
// Ctrl or Alt letter is never a character. Positions are the surface's pixels, in the
// full-screen modes through its scaling.
class FrameInput : public QObject {
public:
    FrameInput(const CommandTable& commands, EditSession& session, MapFrame& frame);
    ~FrameInput() override;
    FrameInput(const FrameInput&) = delete;
    FrameInput& operator=(const FrameInput&) = delete;

    bool shiftDown() const { return shiftDown_; }
    bool ctrlDown() const { return ctrlDown_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Each returns true when the event goes no further; what the tables acted on goes
    // on to the widgets' own handling, as everything else does.
    bool keyPress(const QKeyEvent& event);
    void keyRelease(const QKeyEvent& event);
    void keyDown(int key);
    bool altKey(const QKeyEvent& event);
    // Acts on a character once there is a current hex; true (swallowed) before.
    bool character(QChar typed);
    void moveCursor(char digit);
    bool mousePress(const QMouseEvent& event);
    void mouseMove(const QMouseEvent& event);
    bool doubleClick(const QMouseEvent& event);
    bool wheel(const QWheelEvent& event);
    void leftButton(QPoint at, Qt::KeyboardModifiers modifiers);
    bool rightButton(QPoint at);
    // The middle button, and the left one while Draw Roads is on.
    void roadButton(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    // The hex picked at a press on the map view.
    HexCoord pickedHex(QPoint at);
    bool onMapView(QPoint at) const;
    // An event's position in the surface's pixels.
    QPoint clientPoint(QPointF widgetPoint) const;

    const CommandTable& commands_;
    EditSession& session_;
    MapFrame& frame_;
    bool shiftDown_ = false;
    bool ctrlDown_ = false;
    // Wheel turns smaller than a notch, kept until they add up to one.
    int wheelRest_ = 0;
};

} // namespace maporv
