#include "app/window/surfacescale.h"

#include <QImage>
#include <gtest/gtest.h>

namespace maporv {
namespace {

// A surface whose every pixel tells its own coordinates.
QImage coordinateImage(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(x, y, qRgb(x & 0xFF, ((x >> 8) & 0x0F) | ((y >> 8) << 4), y & 0xFF));
        }
    }
    return image;
}

QPoint coordinatesOf(QRgb pixel) {
    return {qRed(pixel) | ((qGreen(pixel) & 0x0F) << 8),
            qBlue(pixel) | ((qGreen(pixel) >> 4) << 8)};
}

TEST(SurfaceScale, FillsTheScreenWithTheFrameItsAspectKept) {
    EXPECT_EQ(SurfaceScale(QSize(800, 600), QSize(1280, 1024)).target(), QRect(0, 32, 1280, 960));
    EXPECT_EQ(SurfaceScale(QSize(800, 600), QSize(1920, 1080)).target(), QRect(240, 0, 1440, 1080));
    EXPECT_EQ(SurfaceScale(QSize(1024, 768), QSize(1024, 768)).target(), QRect(0, 0, 1024, 768));
}

TEST(SurfaceScale, SixteenBitFramesShowTheColoursQtGivesThem) {
    // Every 5-6-5 value once, scaled 1:1 and 2:1.
    QImage frame(256, 256, QImage::Format_RGB16);
    for (int y = 0; y < 256; ++y) {
        auto* row = reinterpret_cast<quint16*>(frame.scanLine(y));
        for (int x = 0; x < 256; ++x) {
            row[x] = static_cast<quint16>(y * 256 + x);
        }
    }
    const QImage expected = frame.convertToFormat(QImage::Format_RGB32);
    QImage shown;
    SurfaceScale(frame.size(), frame.size()).scale(frame, shown);
    EXPECT_EQ(shown, expected);
    SurfaceScale(frame.size(), QSize(512, 512)).scale(frame, shown);
    EXPECT_EQ(shown, expected.scaled(512, 512));
}

// The hex under the pointer is the hex drawn under it: every screen pixel shows the
// very surface pixel that the pointer mapping names for it.
TEST(SurfaceScale, PointerMappingNamesThePixelEachScreenPixelShows) {
    for (const auto& [surface, area] : {std::pair{QSize(800, 600), QSize(1280, 1024)},
                                        std::pair{QSize(800, 600), QSize(1366, 768)},
                                        std::pair{QSize(1024, 768), QSize(1280, 1024)},
                                        std::pair{QSize(640, 480), QSize(1919, 1201)},
                                        std::pair{QSize(1024, 768), QSize(800, 600)}}) {
        const SurfaceScale scale(surface, area);
        QImage shown;
        scale.scale(coordinateImage(surface), shown);
        ASSERT_EQ(shown.size(), area);
        const QRect target = scale.target();
        int wrong = 0;
        for (int y = target.top(); y <= target.bottom(); ++y) {
            for (int x = target.left(); x <= target.right(); ++x) {
                wrong += coordinatesOf(shown.pixel(x, y)) != scale.toSurface(QPoint(x, y)) ? 1 : 0;
            }
        }
        EXPECT_EQ(wrong, 0) << surface.width() << "x" << surface.height() << " on " << area.width()
                            << "x" << area.height();
        if (target.left() > 0) {
            EXPECT_EQ(shown.pixel(target.left() - 1, target.top()), qRgb(0, 0, 0));
        }
        if (target.top() > 0) {
            EXPECT_EQ(shown.pixel(target.left(), target.top() - 1), qRgb(0, 0, 0));
        }
    }
}

TEST(SurfaceScale, PlacingThePointerOnAPixelPointsAtThatPixel) {
    const SurfaceScale scale(QSize(800, 600), QSize(1366, 768));
    for (int y = 0; y < 600; y += 7) {
        for (int x = 0; x < 800; x += 3) {
            ASSERT_EQ(scale.toSurface(scale.toArea(QPoint(x, y))), QPoint(x, y));
        }
    }
}

TEST(SurfaceScale, BesideTheFrameIsBeyondTheSurfaceEdges) {
    // 800 x 600 on 1920 x 1080: black bars of 240 pixels left and right.
    const SurfaceScale scale(QSize(800, 600), QSize(1920, 1080));
    EXPECT_LT(scale.toSurface(QPoint(0, 500)).x(), 0);
    EXPECT_GE(scale.toSurface(QPoint(1919, 500)).x(), 800);
    EXPECT_EQ(scale.toSurface(QPoint(240, 0)), QPoint(0, 0));
    EXPECT_EQ(scale.toSurface(QPoint(1679, 1079)), QPoint(799, 599));
    // Off the surface, the pointer goes to its edge.
    EXPECT_EQ(scale.toSurface(scale.toArea(QPoint(-50, 900))), QPoint(0, 599));
}

} // namespace
} // namespace maporv
