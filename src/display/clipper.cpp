#include "display/clipper.h"

namespace maporv {

std::vector<Rect> Clipper::clip(const Rect& target) const {
    if (rects_.empty()) {
        return {target};
    }
    std::vector<Rect> parts;
    for (const Rect& r : rects_) {
        const Rect part = target.intersected(r);
        if (!part.isEmpty()) {
            parts.push_back(part);
        }
    }
    return parts;
}

} // namespace maporv
