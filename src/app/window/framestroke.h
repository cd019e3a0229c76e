#pragma once

#include "display/rect.h"

#include <Qt>

namespace maporv {

class EditSession;
class MapView;

// The strokes of the mouse in the main window: a button held on the map view while
// the pointer moves. A press on the map begins one in the editing session (the input
// decides which kind); then every pointer sample, from a move event or from a frame,
// sends the hex under the pointer on to it, and at full size the pointer near the
// view's edge scrolls the map, so the stroke goes on beyond what the view shows.
//
// The release of its button ends the stroke, and so does whatever takes the pointer or
// the view from it: another press, a key, a menu, a new layout or mode, the window
// losing the keyboard, or the button found up at a sample (its release went elsewhere).
class FrameStroke {
public:
    FrameStroke(EditSession& session, MapView& view) : session_(session), view_(view) {}
    FrameStroke(const FrameStroke&) = delete;
    FrameStroke& operator=(const FrameStroke&) = delete;

    // After a press of button asked the session for a stroke.
    void began(Qt::MouseButton button);
    bool running() const;

    // A pointer sample (in screen pixels, as the frame takes the pointer) with the
    // buttons held then.
    void sample(Point screen, Qt::MouseButtons held);
    // Before every frame: the scrolling at the view's edge, then a sample.
    void frameStep(Point screen, Qt::MouseButtons held);
    // Whether frames have to go on with the pointer at rest: the map scrolls.
    bool scrolling(Point screen) const;

    void released(Qt::MouseButton button);
    void end();

private:
    EditSession& session_;
    MapView& view_;
    Qt::MouseButton button_ = Qt::NoButton;
};

} // namespace maporv
