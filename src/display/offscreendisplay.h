#pragma once

#include "display/displayowner.h"

namespace maporv {

// The owner of a display that no window shows: frames composed for a file or a
// measurement. Its client area is a fixed rectangle.
class OffscreenOwner : public DisplayOwner {
public:
    explicit OffscreenOwner(Rect client) : client_(client) {}
    void applyFullScreenStyle() override {}
    void applyWindowedStyle() override {}
    Rect clientRect() const override { return client_; }

private:
    Rect client_;
};

// Text drawing needs a GUI application; without one, one is made on the offscreen
// platform (unless QT_QPA_PLATFORM says otherwise). It lives until the process ends.
void ensureGuiApplication(const char* programName);

} // namespace maporv
