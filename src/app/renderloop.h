#pragma once

#include "display/status.h"

#include <QElapsedTimer>
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
    // The pointer moved since the last frame, or rests where it scrolls the map.
    virtual bool pointerActive() const { return true; }
    // The screen the frames are shown on, whose refresh paces them.
    virtual const QScreen* frameScreen() const { return nullptr; }
};

// Draws the frames in the application's idle time, paced like the vertical-blank
// wait: at most one frame per refresh of the screen the window is on.
//
// Nothing is drawn while the target is paused or while a modal dialog, message box
// or menu is up: those run their own loops, and a frame drawn then would also
// reload the map's picture over a dialog's preview in the shared pixel buffer.
// After two failed frames in a row the loop tells the target and stops.
//
// Every frame is drawn from scratch, whether anything changed or not. So that an
// idle editor costs little, the loop keeps the full rate only while something may
// change the picture: an event reached the application (input, a dialog's timer, a
// queued call), or the pointer moved or scrolls the map. Otherwise it draws one
// frame per idle interval, which also shows within that time any change that came
// some other way.
class RenderLoop : public QObject {
public:
    static constexpr int kIdleFrameInterval = 100; // milliseconds

    explicit RenderLoop(RenderTarget& target, QObject* parent = nullptr);
    ~RenderLoop() override;

    // The timer's interval for a screen: its refresh period rounded up, 60 Hz when the
    // screen does not tell a believable rate.
    static int intervalFor(const QScreen* screen);

    void start();
    void stop();
    bool isActive() const { return timer_.isActive(); }
    int interval() const { return timer_.interval(); }
    // 0 draws a frame at every turn, as if something always changed.
    void setIdleInterval(int milliseconds) { idleInterval_ = milliseconds; }

    // One turn of the loop, as the timer runs it. True when a frame was drawn.
    bool tick();

protected:
    // Notes the application's events: each may change what the frame shows.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool frameDue() const;

    RenderTarget& target_;
    QTimer timer_;
    const QScreen* pacedBy_ = nullptr;
    int idleInterval_ = kIdleFrameInterval;
    bool activity_ = true;
    QElapsedTimer sinceFrame_;
    int failures_ = 0;
};

} // namespace maporv
