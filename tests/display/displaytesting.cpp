#include "displaytesting.h"

#include <gtest/gtest.h>

namespace maporv {

void PrintTo(const Rect& rect, std::ostream* out) {
    *out << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom
         << ")";
}

void PrintTo(const DisplayMode& mode, std::ostream* out) {
    *out << mode.width << " x " << mode.height << " x " << mode.bitsPerPixel;
}

namespace test {

WindowedDisplay::WindowedDisplay(int bitsPerPixel, Rect client) {
    owner.client = client;
    EXPECT_EQ(display.Create(owner), kOk);
    EXPECT_EQ(display.InitWindowed(screenRect, bitsPerPixel), kOk);
}

std::uint32_t storedAt(const Surface& surface, int x, int y) {
    const QImage& image = surface.image();
    if (image.format() == QImage::Format_RGB16) {
        return reinterpret_cast<const std::uint16_t*>(image.constScanLine(y))[x];
    }
    return reinterpret_cast<const std::uint32_t*>(image.constScanLine(y))[x];
}

std::uint32_t valueAt(const Surface& surface, int x, int y) {
    std::uint32_t value = 0;
    EXPECT_EQ(surface.readPixel(x, y, value), kOk) << "pixel " << x << ", " << y;
    return value;
}

} // namespace test
} // namespace maporv
