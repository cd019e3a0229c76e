#pragma once

#include "display/displayowner.h"
#include "display/displaysurfaces.h"
#include "display/rect.h"
#include "display/surface.h"

#include <cstdint>
#include <ostream>

namespace maporv {

// Readable failures.
void PrintTo(const Rect& rect, std::ostream* out);
void PrintTo(const DisplayMode& mode, std::ostream* out);

namespace test {

// A main window that only records what the display asks of it.
class FakeOwner : public DisplayOwner {
public:
    void applyFullScreenStyle() override { ++fullScreenStyles; }
    void applyWindowedStyle() override { ++windowedStyles; }
    Rect clientRect() const override { return client; }

    Rect client{100, 50, 740, 530}; // 640 x 480 somewhere on the desktop
    int fullScreenStyles = 0;
    int windowedStyles = 0;
};

// A created display in window mode with a back surface of the client's size.
struct WindowedDisplay {
    explicit WindowedDisplay(int bitsPerPixel, Rect client = {0, 0, 64, 48});
    FakeOwner owner;
    DisplaySurfaces display;
    Rect screenRect;
    Surface& back() { return *display.backSurface(); }
    Surface& front() { return *display.frontSurface(); }
};

// The word stored for pixel (x, y), whatever the format.
std::uint32_t storedAt(const Surface& surface, int x, int y);
// The pixel value at (x, y); fails the test when it cannot be read.
std::uint32_t valueAt(const Surface& surface, int x, int y);

} // namespace test
} // namespace maporv
