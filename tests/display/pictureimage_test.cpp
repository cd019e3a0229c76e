#include "display/displaysurfaces.h"
#include "display/picturedraw.h"
#include "display/pictureimage.h"
#include "display/surface.h"
#include "displaytesting.h"
#include "picture/mappicture.h"
#include "scripteduserinterface.h"

#include <QImage>
#include <QPainter>
#include <array>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::ScriptedUserInterface;
using test::valueAt;
using test::WindowedDisplay;

struct Rgb {
    std::uint8_t r, g, b;
};

// A 3 x 2 picture written straight into the shared buffer: 24-bit, blue first, the
// bottom row first, rows padded to 12 bytes.
const std::array<std::array<Rgb, 3>, 2> kPixels{{
    {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}},
    {{{239, 237, 220}, {7, 8, 9}, {255, 255, 255}}},
}};

void paint(MapPicture& picture) {
    picture.width = 3;
    picture.height = 2;
    picture.beginPicture();
    ASSERT_EQ(picture.rowLength, 12);
    for (int y = 0; y < 2; ++y) {
        std::uint8_t* row = MapPicture::pixels() + (1 - y) * 12;
        for (int x = 0; x < 3; ++x) {
            const Rgb& p = kPixels[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            row[3 * x] = p.b;
            row[3 * x + 1] = p.g;
            row[3 * x + 2] = p.r;
        }
    }
}

std::uint32_t colorRef(const Rgb& p) {
    return (std::uint32_t{p.b} << 16) | (std::uint32_t{p.g} << 8) | p.r;
}

TEST(PictureLoad, ConvertsTheBottomUpRowsOnceForEveryDepth) {
    ScriptedUserInterface ui;
    MapPicture picture(ui);
    paint(picture);
    for (const int bits : {16, 32, 8}) {
        SCOPED_TRACE(bits);
        WindowedDisplay w(bits);
        PictureImage image;
        image.SetDisplay(&w.display, kBlitOpaque);

        ASSERT_EQ(image.LoadPicture(picture), 2);

        EXPECT_TRUE(image.loaded);
        EXPECT_EQ(image.sourceRect, Rect(0, 0, 3, 2));
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) {
                const Rgb& p = kPixels[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                EXPECT_EQ(valueAt(*image.surface, x, y), w.display.ColorMatch(colorRef(p)))
                    << x << ", " << y;
            }
        }
        if (bits == 16) {
            EXPECT_EQ(valueAt(*image.surface, 0, 1), 0xEF7Bu);
            EXPECT_EQ(valueAt(*image.surface, 1, 1), 0x0041u);
        } else if (bits == 32) {
            EXPECT_EQ(valueAt(*image.surface, 1, 1), 0x070809u);
        }
    }
}

TEST(PictureLoad, RefusesAPictureThatIsNotValid) {
    ScriptedUserInterface ui;
    MapPicture picture(ui);
    WindowedDisplay w(16);
    PictureImage image;
    EXPECT_EQ(image.LoadPicture(picture), kFail);
    image.SetDisplay(&w.display, kBlitOpaque);
    EXPECT_EQ(image.LoadPicture(picture), kFail);
    EXPECT_FALSE(image.loaded);
}

TEST(DrawScaled, StretchesTheWholePictureWithoutSmoothing) {
    ScriptedUserInterface ui;
    MapPicture picture(ui);
    paint(picture);
    QImage target(8, 5, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QPainter painter(&target);
        ASSERT_TRUE(drawScaled(painter, picture, 1, 1, 6, 4, 0, 0));
    }
    EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(3, 1), qRgb(0, 255, 0));
    EXPECT_EQ(target.pixel(6, 4), qRgb(255, 255, 255));
    EXPECT_EQ(target.pixel(4, 3), qRgb(7, 8, 9));
    EXPECT_EQ(target.pixel(7, 4), qRgb(0, 0, 0));
}

TEST(DrawScaled, DrawsNothingWithoutAHeader) {
    ScriptedUserInterface ui;
    MapPicture picture(ui);
    paint(picture);
    picture.release();
    QImage target(4, 4, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QPainter painter(&target);
        EXPECT_FALSE(drawScaled(painter, picture, 0, 0, 4, 4, 0, 0));
    }
    EXPECT_EQ(target.pixel(1, 1), qRgb(0, 0, 0));
}

} // namespace
} // namespace maporv
