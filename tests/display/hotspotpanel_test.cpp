#include "display/hotspotpanel.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace maporv {
namespace {

void makeRightMenu(HotSpotPanel& panel, int x, int y) {
    panel.width = 116;
    panel.height = 369;
    panel.PlaceAt(x, y, true);
    panel.SetHotSpotCount(13);
    panel.SetHotSpot(0, 16, 16, 5, 88);
    panel.SetHotSpotLike(1, 0, 25, 88);
    panel.SetHotSpot(10, 28, 18, 27, 340);
    panel.SetHotSpotLike(11, 10, 60, 340);
    panel.SetHotSpot(12, 112, 27, 1, 1);
}

TEST(HotSpots, HitTestLeavesOutTheRightAndBottomEdges) {
    HotSpotPanel panel;
    makeRightMenu(panel, 500, 10);
    struct Case {
        const char* what;
        int x;
        int y;
        int index;
    };
    const Case cases[] = {
        {"top-left pixel of the minus button", 505, 98, 0},
        {"bottom-right pixel of the minus button", 520, 113, 0},
        {"right edge of the minus button", 521, 98, -1},
        {"bottom edge of the minus button", 505, 114, -1},
        {"plus button, sized like minus", 540, 113, 1},
        {"Edit, sized like Add", 60 + 27 + 500, 340 + 17 + 10, 11},
        {"heading", 501, 11, 12},
        {"panel's own corner", 500, 10, -1},
        {"hot spot position without the panel's offset", 5, 88, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(panel.HitTest(c.x, c.y), c.index);
    }
}

TEST(TextBoxes, TextStartsOnePixelInsideTheBox) {
    HotSpotPanel panel;
    makeRightMenu(panel, 40, 20);
    panel.SetTextBoxCount(3);
    panel.SetTextBox(1, 27, 242, 86, 258);

    QImage target(200, 400, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        painter.setPen(Qt::black);
        panel.DrawBoxText(painter, 1, QStringLiteral("MMMM"));
        panel.DrawBoxText(painter, 3, QStringLiteral("no such box"));
    }

    int left = target.width();
    int top = target.height();
    for (int y = 0; y < target.height(); ++y) {
        for (int x = 0; x < target.width(); ++x) {
            if (target.pixel(x, y) != qRgb(255, 255, 255)) {
                left = std::min(left, x);
                top = std::min(top, y);
            }
        }
    }
    if (left == target.width()) {
        GTEST_SKIP() << "no font to draw with";
    }
    // Glyphs keep a little room of their own, so the ink starts at or after the point.
    EXPECT_GE(left, 40 + 27 + 1);
    EXPECT_LE(left, 40 + 27 + 4);
    EXPECT_GE(top, 20 + 242 + 1);
    EXPECT_LE(top, 20 + 242 + 6);
}

} // namespace
} // namespace maporv
