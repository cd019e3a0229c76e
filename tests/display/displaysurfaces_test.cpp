#include "display/clipper.h"
#include "display/displaysurfaces.h"
#include "display/palette.h"
#include "display/surface.h"
#include "displaytesting.h"

#include <QPainter>
#include <climits>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace maporv {
namespace {

using test::FakeOwner;
using test::storedAt;
using test::valueAt;
using test::WindowedDisplay;

TEST(FullScreenModes, FallBackThroughTheChain) {
    struct Case {
        const char* what;
        int kind;
        std::vector<DisplayMode> refused;
        Status status;
        Rect rect;
        int bits;
        std::optional<DisplayMode> mode;
        bool palette;
    };
    const Rect callers{0, 0, 320, 200};
    const Case cases[] = {
        {"1024 x 768 accepted",
         3,
         {},
         kOk,
         {0, 0, 1024, 768},
         16,
         DisplayMode{1024, 768, 16},
         false},
        {"1024 x 768 refused",
         3,
         {{1024, 768, 16}},
         kOk,
         {0, 0, 800, 600},
         16,
         DisplayMode{800, 600, 16},
         false},
        {"1280 down to 800",
         9,
         {{1280, 1024, 16}, {1024, 768, 16}},
         kOk,
         {0, 0, 800, 600},
         16,
         DisplayMode{800, 600, 16},
         false},
        {"down to 8 bits",
         2,
         {{800, 600, 16}},
         kOk,
         {0, 0, 640, 480},
         8,
         DisplayMode{640, 480, 8},
         true},
        {"nothing left", 1, {{640, 480, 8}}, kFail, {0, 0, 640, 480}, 8, std::nullopt, false},
        {"unknown kind", 5, {}, kOk, callers, 16, std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeOwner owner;
        DisplaySurfaces display;
        ASSERT_EQ(display.Create(owner), kOk);
        display.setRefusedModes(c.refused);
        Rect rect = callers;
        int bits = 16;

        EXPECT_EQ(display.InitFullScreen(rect, bits, c.kind), c.status);

        EXPECT_EQ(rect, c.rect);
        EXPECT_EQ(bits, c.bits);
        EXPECT_EQ(display.bitsPerPixel(), c.bits);
        EXPECT_EQ(display.displayMode(), c.mode);
        EXPECT_EQ(owner.fullScreenStyles, 1);
        EXPECT_TRUE(display.exclusiveMode());
        EXPECT_FALSE(display.windowed());
        if (c.status != kOk) {
            EXPECT_EQ(display.backSurface(), nullptr);
            continue;
        }
        ASSERT_NE(display.backSurface(), nullptr);
        ASSERT_NE(display.frontSurface(), nullptr);
        EXPECT_EQ(display.backSurface()->rect(), Rect(0, 0, c.rect.width(), c.rect.height()));
        EXPECT_EQ(display.presentRect(), c.rect);
        EXPECT_EQ(display.clipper(), nullptr);
        EXPECT_EQ(display.palette() != nullptr, c.palette);
        if (c.palette) {
            EXPECT_EQ(display.frontSurface()->palette(), display.palette());
            EXPECT_EQ(display.backSurface()->palette(), display.palette());
        }
    }
}

TEST(FullScreenModes, ExclusiveModeAlreadySetIsNoObstacle) {
    FakeOwner owner;
    DisplaySurfaces display;
    ASSERT_EQ(display.Create(owner), kOk);
    Rect rect;
    int bits = 16;
    ASSERT_EQ(display.InitFullScreen(rect, bits, 3), kOk);

    EXPECT_EQ(display.InitFullScreen(rect, bits, 2), kOk);
    EXPECT_EQ(rect, Rect(0, 0, 800, 600));
    EXPECT_EQ(display.displayMode(), (DisplayMode{800, 600, 16}));
    EXPECT_EQ(display.backSurface()->width(), 800);
}

TEST(WindowMode, TakesTheClientAreaAndDesktopDepth) {
    struct Case {
        int bits;
        QImage::Format format;
    };
    for (const Case c : {Case{32, QImage::Format_RGB32}, Case{24, QImage::Format_RGB32},
                         Case{16, QImage::Format_RGB16}}) {
        SCOPED_TRACE(c.bits);
        FakeOwner owner;
        DisplaySurfaces display;
        ASSERT_EQ(display.Create(owner), kOk);
        Rect rect;
        ASSERT_EQ(display.InitWindowed(rect, c.bits), kOk);

        EXPECT_EQ(rect, owner.client);
        EXPECT_EQ(owner.windowedStyles, 1);
        EXPECT_TRUE(display.windowed());
        EXPECT_EQ(display.bitsPerPixel(), c.bits);
        EXPECT_EQ(display.presentRect(), Rect(0, 0, 640, 480));
        EXPECT_EQ(display.backSurface()->image().format(), c.format);
        EXPECT_EQ(display.frontSurface()->rect(), display.backSurface()->rect());
        ASSERT_NE(display.clipper(), nullptr);
        EXPECT_TRUE(display.clipper()->boundToWindow());
    }
}

TEST(Layer, ReleaseAllGivesTheDesktopBack) {
    FakeOwner owner;
    DisplaySurfaces display;
    ASSERT_EQ(display.Create(owner), kOk);
    Rect rect;
    int bits = 16;
    ASSERT_EQ(display.InitFullScreen(rect, bits, 1), kOk);
    ASSERT_EQ(display.FlipToDesktop(), kOk);

    EXPECT_EQ(display.ReleaseAll(), kOk);
    EXPECT_FALSE(display.hasLayer());
    EXPECT_FALSE(display.exclusiveMode());
    EXPECT_FALSE(display.showingDesktop());
    EXPECT_EQ(display.displayMode(), std::nullopt);
    EXPECT_EQ(display.backSurface(), nullptr);
    EXPECT_EQ(display.frontSurface(), nullptr);
    EXPECT_EQ(display.palette(), nullptr);
    EXPECT_EQ(display.CreateSurface(8, 8, kCapsOffscreenPlain | kCapsSystemMemory), nullptr);
}

TEST(CreateSurface, EmptyForZeroSizesOrWhenItCannotBeMade) {
    WindowedDisplay w(16);
    const std::uint32_t caps = kCapsOffscreenPlain | kCapsSystemMemory;
    EXPECT_EQ(w.display.CreateSurface(0, 10, caps), nullptr);
    EXPECT_EQ(w.display.CreateSurface(10, 0, caps), nullptr);
    EXPECT_EQ(w.display.CreateSurface(INT_MAX, INT_MAX, caps), nullptr);

    const auto surface = w.display.CreateSurface(10, 7, caps);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->rect(), Rect(0, 0, 10, 7));
    EXPECT_EQ(surface->format(), PixelFormat::Rgb16);
    EXPECT_EQ(surface->caps(), caps);
}

TEST(ColorMatch, GivesThePixelValueOfEachFormat) {
    struct Case {
        std::uint32_t color; // 0x00BBGGRR
        std::uint32_t rgb16;
        std::uint32_t rgb32;
        std::uint32_t palette8;
    };
    const Case cases[] = {
        {0x00000000, 0x0000, 0x000000, 0},    {0x00FFFFFF, 0xFFFF, 0xFFFFFF, 255},
        {0x000000FF, 0xF800, 0xFF0000, 0xE0}, {0x0000FF00, 0x07E0, 0x00FF00, 0x1C},
        {0x00FF0000, 0x001F, 0x0000FF, 0xFC}, // reserved: cube entry 3 gave way
        {0x00DCEDEF, 0xEF7B, 0xEFEDDC, 0xF6}, // the view's background: a reserved colour
        {0x00F25700, 0x02BE, 0x0057F2, 0x0B}, // the title bar
    };
    WindowedDisplay rgb16(16);
    WindowedDisplay rgb32(32);
    WindowedDisplay palette8(8);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.color);
        EXPECT_EQ(rgb16.display.ColorMatch(c.color), c.rgb16);
        EXPECT_EQ(rgb32.display.ColorMatch(c.color), c.rgb32);
        EXPECT_EQ(palette8.display.ColorMatch(c.color), c.palette8);
    }
}

TEST(ColorMatch, AllOnesReadsTheTopLeftPixelUntouched) {
    for (const int bits : {16, 32, 8}) {
        SCOPED_TRACE(bits);
        WindowedDisplay w(bits);
        const std::uint32_t value = w.display.ColorMatch(0x00336699);
        const Rect corner{0, 0, 1, 1};
        ASSERT_EQ(w.back().fill(&corner, value), kOk);
        const std::uint32_t stored = storedAt(w.back(), 0, 0);

        EXPECT_EQ(w.display.ColorMatch(0xFFFFFFFF), value);
        EXPECT_EQ(storedAt(w.back(), 0, 0), stored);
    }
}

TEST(Fill, ClearUsesTheStoredValueAndFillRectLeavesIt) {
    WindowedDisplay w(16, {0, 0, 8, 6});
    ASSERT_EQ(w.display.SetFillColor(0x00DCEDEF), kOk);
    EXPECT_EQ(w.display.fillValue(), 0xEF7Bu);

    ASSERT_EQ(w.display.Clear(), kOk);
    EXPECT_EQ(storedAt(w.back(), 0, 0), 0xEF7Bu);
    EXPECT_EQ(storedAt(w.back(), 7, 5), 0xEF7Bu);

    ASSERT_EQ(w.display.FillRect({2, 1, 5, 3}, 0x000000FF), kOk);
    EXPECT_EQ(w.display.fillValue(), 0xEF7Bu);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
            EXPECT_EQ(storedAt(w.back(), x, y), inside ? 0xF800u : 0xEF7Bu) << x << ", " << y;
        }
    }

    ASSERT_EQ(w.display.Clear(0x00FFFFFF), kOk);
    EXPECT_EQ(w.display.fillValue(), 0xFFFFu);
    EXPECT_EQ(storedAt(w.back(), 3, 2), 0xFFFFu);
}

TEST(Fill, ClipListConfinesFills) {
    WindowedDisplay w(32, {0, 0, 8, 6});
    ASSERT_EQ(w.display.SetClipList({{0, 0, 4, 6}}), kOk);
    ASSERT_EQ(w.display.Clear(0x00FFFFFF), kOk);
    EXPECT_EQ(valueAt(w.back(), 3, 5), 0xFFFFFFu);
    EXPECT_EQ(valueAt(w.back(), 4, 0), 0u);
}

TEST(Present, WindowedCopiesTheBackSurfaceIntoPresentRect) {
    WindowedDisplay w(16, {10, 10, 18, 16});
    ASSERT_EQ(w.display.Clear(0x000000FF), kOk);
    ASSERT_EQ(w.display.FillRect({7, 5, 8, 6}, 0x00FFFFFF), kOk);

    ASSERT_EQ(w.display.PresentWindowed(), kOk);
    EXPECT_EQ(storedAt(w.front(), 0, 0), 0xF800u);
    EXPECT_EQ(storedAt(w.front(), 7, 5), 0xFFFFu);
}

TEST(Present, WindowedRestoresLostSurfacesAndRetries) {
    WindowedDisplay w(32, {0, 0, 4, 4});
    w.back().simulateLost();

    EXPECT_EQ(w.display.PresentWindowed(), kSurfaceLost);
    EXPECT_FALSE(w.back().isLost());
    EXPECT_FALSE(w.front().isLost());
    ASSERT_EQ(w.display.Clear(0x00FFFFFF), kOk);
    w.front().simulateStillDrawing(3); // retried until the copy goes through
    EXPECT_EQ(w.display.PresentWindowed(), kOk);
    EXPECT_EQ(valueAt(w.front(), 3, 3), 0xFFFFFFu);
}

TEST(Present, FlipExchangesFrontAndBack) {
    FakeOwner owner;
    DisplaySurfaces display;
    ASSERT_EQ(display.Create(owner), kOk);
    Rect rect;
    int bits = 16;
    ASSERT_EQ(display.InitFullScreen(rect, bits, 2), kOk);
    ASSERT_EQ(display.Clear(0x000000FF), kOk);
    ASSERT_EQ(display.PresentWindowed(), kOk); // nothing to do in full-screen mode
    EXPECT_EQ(storedAt(*display.frontSurface(), 0, 0), 0u);
    ASSERT_EQ(display.FlipToDesktop(), kOk);
    EXPECT_TRUE(display.showingDesktop());

    ASSERT_EQ(display.Flip(), kOk);
    EXPECT_EQ(storedAt(*display.frontSurface(), 0, 0), 0xF800u);
    EXPECT_EQ(storedAt(*display.backSurface(), 0, 0), 0u);
    EXPECT_FALSE(display.showingDesktop());

    display.frontSurface()->simulateLost();
    EXPECT_EQ(display.Flip(), kSurfaceLost);
}

TEST(Present, EightBitFramesShowOnlyPaletteColours) {
    FakeOwner owner;
    DisplaySurfaces display;
    ASSERT_EQ(display.Create(owner), kOk);
    Rect rect;
    int bits = 8;
    ASSERT_EQ(display.InitFullScreen(rect, bits, 1), kOk);
    {
        QPainter painter(display.backSurface()->paintTarget());
        painter.fillRect(0, 0, 10, 10, QColor(100, 150, 10));
    }
    ASSERT_EQ(display.Flip(), kOk);
    // Nearest cube entry: red 109 (3), green 145 (4), blue 0 (0).
    EXPECT_EQ(storedAt(*display.frontSurface(), 5, 5), 0xFF6D9100u);
    EXPECT_EQ(valueAt(*display.frontSurface(), 5, 5), (3u << 5) | (4u << 2));
}

TEST(ResizeBack, MakesAClearedSurfaceOrKeepsTheOld) {
    WindowedDisplay w(16);
    ASSERT_EQ(w.display.SetFillColor(0x00FFFFFF), kOk);

    EXPECT_EQ(w.display.ResizeBackSurface(20, 10), 0);
    EXPECT_EQ(w.back().rect(), Rect(0, 0, 20, 10));
    EXPECT_EQ(storedAt(w.back(), 19, 9), 0xFFFFu);

    EXPECT_EQ(w.display.ResizeBackSurface(INT_MAX, INT_MAX), 1);
    EXPECT_EQ(w.back().rect(), Rect(0, 0, 20, 10));
}

TEST(Palettes, ColourCubeAndReservedColours) {
    const Palette::Entries cube = Palette::colorCube(false);
    EXPECT_EQ(cube[0xE0], (PaletteEntry{255, 0, 0, 0}));
    EXPECT_EQ(cube[0x1C], (PaletteEntry{0, 255, 0, 0}));
    EXPECT_EQ(cube[0x03], (PaletteEntry{0, 0, 255, 0}));
    EXPECT_EQ(cube[0x92], (PaletteEntry{145, 145, 170, 0}));
    EXPECT_EQ(cube[9], (PaletteEntry{0, 72, 85, 0}));

    const Palette::Entries kept = Palette::colorCube(true);
    EXPECT_EQ(kept[7], (PaletteEntry{192, 192, 192, 0}));
    EXPECT_EQ(kept[249], (PaletteEntry{255, 0, 0, 0}));
    EXPECT_EQ(kept[10], cube[10]);
    EXPECT_EQ(kept[245], cube[245]);

    // Every entry finds itself, even one a few steps from another.
    const Palette palette(kept);
    EXPECT_EQ(palette.nearestIndex(palette.rgb(246)), 246);
    EXPECT_EQ(palette.nearestIndex(palette.rgb(8)), 8);
}

} // namespace
} // namespace maporv
