#pragma once

#include "display/rect.h"

#include <utility>
#include <vector>

namespace maporv {

// Confines the fills and the scaling copies onto the surfaces it is attached to; the
// fast image copies ignore it. Bound to the window alone it restricts nothing, since
// the window clips its own painting; an explicit list limits output to its
// rectangles (surface coordinates).
class Clipper {
public:
    void bindToWindow() { boundToWindow_ = true; }
    bool boundToWindow() const { return boundToWindow_; }

    void setClipList(std::vector<Rect> rects) { rects_ = std::move(rects); }
    const std::vector<Rect>& clipList() const { return rects_; }

    // The parts of target that output may reach.
    std::vector<Rect> clip(const Rect& target) const;

private:
    bool boundToWindow_ = false;
    std::vector<Rect> rects_;
};

} // namespace maporv
