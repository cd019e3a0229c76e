#include "display/buttonbar.h"
#include "display/displaysurfaces.h"
#include "displaytesting.h"
#include "tempfolder.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::TempFolder;
using test::valueAt;
using test::WindowedDisplay;

// The layout of the view's toggles: five 24 x 24 buttons 27 pixels apart, released in
// the upper half (grey), pressed in the lower half (green), magenta between them.
struct BarFixture : ::testing::Test {
    void SetUp() override {
        QImage bitmap(135, 48, QImage::Format_RGB32);
        bitmap.fill(qRgb(255, 0, 255));
        {
            QPainter painter(&bitmap);
            for (int i = 0; i < 5; ++i) {
                painter.fillRect(i * 27, 0, 24, 24, QColor(128, 128, 128));
                painter.fillRect(i * 27, 24, 24, 24, QColor(0, 200, 0));
            }
        }
        bitmap.setPixel(0, 0, qRgb(255, 0, 255)); // a rounded corner gives the key
        const std::string path = folder.path() + "bar.bmp";
        ASSERT_TRUE(bitmap.save(QString::fromStdString(path)));
        bar.SetDisplay(&w.display, kBlitKeyed);
        ASSERT_EQ(bar.LoadFromBitmap(path), kOk);
        ASSERT_EQ(bar.KeyFromTopLeft(), kOk);
        bar.SetButtons(5, 24, 24, 27, 24);
        bar.PlaceAt(3, 0, true);
    }

    TempFolder folder;
    WindowedDisplay w{16, {0, 0, 200, 60}};
    ButtonBar bar;
};

TEST_F(BarFixture, DefaultsComeFromTheBitmap) {
    bar.SetButtons(5, 0, 0, 0, 0);
    EXPECT_EQ(bar.strip().cellWidth, 27);
    EXPECT_EQ(bar.strip().cellHeight, 24);
    EXPECT_EQ(bar.strip().stepX, 27);
    EXPECT_EQ(bar.strip().stepY, 24);
    EXPECT_EQ(bar.buttonCount(), 5);

    bar.SetButtons(4, 20, 0, 0, 30);
    EXPECT_EQ(bar.strip().cellHeight, 24);
    EXPECT_EQ(bar.strip().stepX, 20);
    EXPECT_EQ(bar.strip().stepY, 30);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(bar.state(i), 0);
    }
}

TEST_F(BarFixture, HitToggleCountsEveryEdgeAndTheGapOfTheLeftButton) {
    struct Case {
        const char* what;
        int x;
        int y;
        int index;
    };
    // The bar covers (3, 0) to (138, 48), both ends included.
    const Case cases[] = {
        {"top-left corner", 3, 0, 0},
        {"last pixel of button 0", 26, 23, 0},
        {"last column of the gap after button 0", 29, 10, 0},
        {"first column of button 1", 30, 10, 1},
        {"30 pixels below the top", 60, 30, 2},
        {"bottom edge", 111, 48, 4},
        {"last column of the bitmap", 137, 5, 4},
        {"right edge: a sixth button that does not exist", 138, 5, -1},
        {"left of the bar", 2, 5, -1},
        {"below the bar", 40, 49, -1},
        {"above the bar", 40, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int before = c.index >= 0 ? bar.state(c.index) : 0;
        EXPECT_EQ(bar.HitToggle(c.x, c.y), c.index);
        if (c.index >= 0) {
            EXPECT_EQ(bar.state(c.index), before == 0 ? 1 : 0);
        }
    }
}

TEST_F(BarFixture, PressedButtonsShowTheLowerHalf) {
    ASSERT_EQ(w.display.Clear(0x00FFFFFF), kOk);
    bar.SetState(2, 1);
    ASSERT_EQ(bar.DrawAll(), kOk);

    const std::uint32_t grey = w.display.ColorMatch(0x00808080);
    const std::uint32_t green = w.display.ColorMatch(0x0000C800);
    const std::uint32_t white = 0xFFFF;
    EXPECT_EQ(valueAt(w.back(), 3, 0), white);
    EXPECT_EQ(valueAt(w.back(), 4, 0), grey);
    EXPECT_EQ(valueAt(w.back(), 3 + 54, 0), green);
    EXPECT_EQ(valueAt(w.back(), 3 + 54 + 23, 23), green);
    EXPECT_EQ(valueAt(w.back(), 3 + 81, 10), grey);
    // The gaps are magenta, the transparent colour.
    EXPECT_EQ(valueAt(w.back(), 3 + 25, 10), white);
    EXPECT_EQ(valueAt(w.back(), 3, 24), white);
}

} // namespace
} // namespace maporv
