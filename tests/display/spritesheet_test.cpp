#include "display/displaysurfaces.h"
#include "display/spritesheet.h"
#include "display/surface.h"
#include "displaytesting.h"
#include "tempfolder.h"

#include <QImage>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::TempFolder;
using test::valueAt;
using test::WindowedDisplay;

constexpr std::uint32_t kBackground = 0x00000000;

// Every pixel of the sheet has its own colour, so a copied pixel tells where it came from.
QRgb sheetPixel(int x, int y) {
    return qRgb(10 + x, 100 + y, 200);
}

std::uint32_t valueOfSheetPixel(int x, int y) {
    return sheetPixel(x, y) & 0x00FFFFFFu;
}

// Three cells of 10 x 6 in one strip, loaded from a bitmap file.
struct SheetFixture : ::testing::Test {
    void SetUp() override {
        QImage bitmap(30, 6, QImage::Format_RGB32);
        for (int y = 0; y < bitmap.height(); ++y) {
            for (int x = 0; x < bitmap.width(); ++x) {
                bitmap.setPixel(x, y, sheetPixel(x, y));
            }
        }
        const std::string path = folder.path() + "sheet.bmp";
        ASSERT_TRUE(bitmap.save(QString::fromStdString(path)));
        sheet.SetDisplay(&w.display, kBlitOpaque);
        ASSERT_EQ(sheet.LoadFromBitmap(path), kOk);
        sheet.SetRowCount(1, false);
        sheet.DefineRow(0, 3, 10, 6);
        ASSERT_EQ(w.display.Clear(0), kOk);
    }

    TempFolder folder;
    WindowedDisplay w{32, {0, 0, 64, 48}};
    SpriteSheet sheet;
};

TEST_F(SheetFixture, ClippedCellLosesWhatFallsOutsideThePlaceRect) {
    struct Case {
        const char* what;
        int x;
        int y;
        Status status;
    };
    const Rect clip{20, 10, 40, 30};
    const Case cases[] = {
        {"inside", 25, 15, kOk},
        {"5 pixels over the left edge", 15, 12, kOk},
        {"over the right edge", 36, 12, kOk},
        {"over the top edge", 25, 7, kOk},
        {"over the bottom edge", 25, 27, kOk},
        {"over a corner", 17, 26, kOk},
        {"left of it", 5, 12, kInvalidRect},
        {"below it", 25, 40, kInvalidRect},
        {"just right of it", 40, 12, kInvalidRect},
    };
    const int cell = 1;
    const int cellLeft = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(w.display.Clear(0), kOk);
        sheet.SetPlaceRect(clip);

        EXPECT_EQ(sheet.DrawCellClipped(cell, c.x, c.y), c.status);

        const Rect shown = Rect::fromSize(c.x, c.y, 10, 6).intersected(clip);
        for (int y = 0; y < 48; ++y) {
            for (int x = 0; x < 64; ++x) {
                const std::uint32_t expected = shown.contains(x, y)
                                                   ? valueOfSheetPixel(cellLeft + x - c.x, y - c.y)
                                                   : kBackground;
                ASSERT_EQ(valueAt(w.back(), x, y), expected) << "at " << x << ", " << y;
            }
        }
    }
}

TEST(SheetRows, StartAfterTheEarlierRows) {
    SpriteSheet outlines;
    outlines.SetRowCount(3, false);
    outlines.DefineRow(0, 2, 61, 51);
    outlines.DefineRow(1, 2, 24, 16);
    outlines.DefineRow(2, 2, 18, 12);
    EXPECT_EQ(outlines.row(1).originY, 51);
    EXPECT_EQ(outlines.row(2).originY, 67);
    EXPECT_EQ(outlines.row(2).originX, 0);
    EXPECT_EQ(outlines.row(2).stepX, 18);
    outlines.SetCurrentRow(2);
    Rect cell;
    ASSERT_TRUE(outlines.cellRect(1, cell));
    EXPECT_EQ(cell, Rect(18, 67, 36, 79));

    SpriteSheet labels;
    labels.SetRowCount(2, true);
    labels.DefineRow(0, 20, 58, 19);
    labels.DefineRow(1, 4, 10, 5);
    EXPECT_EQ(labels.row(1).originX, 58);
    EXPECT_EQ(labels.row(1).originY, 0);
    ASSERT_TRUE(labels.cellRect(3, cell));
    EXPECT_EQ(cell, Rect(0, 57, 58, 76));
}

} // namespace
} // namespace maporv
