#pragma once

#include "display/status.h"

#include <QObject>
#include <QTimer>

class QScreen;

namespace maporv {

// What the render loop draws: the main window.
class RenderTarget {
public:
    virtual ~RenderTarget() = default;
    // True while any pause bit is set.
    virtual bool framePaused() const = 0;
    // Draws and shows one frame; 0 or the failure of the present.
    virtual Status drawFrame() = 0;
    // The second failed frame in a row: the window stops and asks to close.
    virtual void framesFailed() = 0;
    // Whether a frame drawn now may show something else than the last one: what the
    // frame reads changed, or the pointer rests where the map scrolls every frame.
    virtual bool frameStale() const { return true; }
    // Whether the frame changes soon by itself, without an event (a notice whose time
    // runs out): the loop does not rest meanwhile.
    virtual bool frameChangesSoon() const { return false; }
    // Whether the pointer's moves come as events: it is over the target's window.
    virtual bool pointerMovesReported() const { return false; }
    // The screen the frames are shown on, whose refresh paces them.
    virtual const QScreen* frameScreen() const { return nullptr; }
};

// Draws the frames in the application's idle time, paced like the vertical-blank
// wait: at most one frame per refresh of the screen the window is on.
//
// Nothing is drawn while the target is paused or while a modal dialog, message box
// or menu is up: those run their own loops. After two failed frames in a row the loop
// tells the target and stops.
//
// Every frame is drawn from scratch. So that an editor at rest costs next to nothing,
// a turn draws only when the target tells that its frame may have changed, after a
// failed frame, and on the first turn after the loop started or was held up by a
// pause, a dialog or a menu, whatever these did to the display.
//
// After some turns without a frame and without an event the loop rests. Everything
// that changes a frame comes through an event (input, a timer, a queued call), and
// any event wakes the loop to the refresh rate, so the change shows within one
// refresh; what changes with the time alone keeps the loop awake. Only a pointer
// that moves off the window (over another program's window, or beyond it) brings
// no event: there the loop keeps turning at the refresh rate, so that the hex under
// the pointer and the edge scrolling follow within one refresh. With the pointer
// over the window it turns only every kRestInterval.
class RenderLoop : public QObject {
public:
    static constexpr int kQuietTurnsBeforeRest = 12;
    static constexpr int kRestInterval = 100; // milliseconds

    explicit RenderLoop(RenderTarget& target, QObject* parent = nullptr);
    ~RenderLoop() override;

    // The timer's interval for a screen: its refresh period rounded up, 60 Hz when the
    // screen does not tell a believable rate.
    static int intervalFor(const QScreen* screen);

    void start();
    void stop();
    bool isActive() const { return timer_.isActive(); }
    int interval() const { return timer_.interval(); }
    // Off: every turn draws, as if something always changed.
    void setSkipUnchanged(bool skip) { skipUnchanged_ = skip; }

    // One turn of the loop, as the timer runs it. True when a frame was drawn.
    bool tick();

protected:
    // Any event of the application wakes the loop.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wake();
    // A turn without a frame; enough of them in a row and the loop rests.
    void quietTurn();

    RenderTarget& target_;
    QTimer timer_;
    const QScreen* pacedBy_ = nullptr;
    int refreshInterval_;
    int quietTurns_ = 0;
    bool skipUnchanged_ = true;
    // No frame since the loop started or was last held up.
    bool heldUp_ = true;
    int failures_ = 0;
};

} // namespace maporv
