#include "display/displaysurfaces.h"
#include "display/surface.h"
#include "display/surfaceimage.h"
#include "displaytesting.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <QImage>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::ScriptedUserInterface;
using test::TempFolder;
using test::valueAt;
using test::WindowedDisplay;

std::string writeBitmap(const TempFolder& folder, const std::string& name, const QImage& image) {
    const std::string path = folder.path() + name;
    EXPECT_TRUE(image.save(QString::fromStdString(path)));
    return path;
}

QImage icon(QRgb key) {
    // k r k
    // g k b
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(key);
    image.setPixel(1, 0, qRgb(255, 0, 0));
    image.setPixel(0, 1, qRgb(0, 255, 0));
    image.setPixel(2, 1, qRgb(0, 0, 255));
    return image;
}

class KeyedImages : public ::testing::TestWithParam<int> {};

INSTANTIATE_TEST_SUITE_P(EveryDepth, KeyedImages, ::testing::Values(16, 32, 8));

TEST_P(KeyedImages, TopLeftColourIsTransparent) {
    TempFolder folder;
    WindowedDisplay w(GetParam(), {0, 0, 8, 4});
    SurfaceImage image;
    image.SetDisplay(&w.display, kBlitKeyed);
    ASSERT_EQ(image.LoadFromBitmap(writeBitmap(folder, "icon.bmp", icon(qRgb(192, 192, 192)))),
              kOk);
    ASSERT_EQ(image.KeyFromTopLeft(), kOk);
    EXPECT_EQ(image.surface->colorKey(), w.display.ColorMatch(0x00C0C0C0, &image));
    ASSERT_EQ(w.display.Clear(0x00FFFFFF), kOk);
    const std::uint32_t white = w.display.fillValue();

    ASSERT_EQ(image.DrawAt(2, 1), kOk);

    EXPECT_EQ(valueAt(w.back(), 2, 1), white);
    EXPECT_EQ(valueAt(w.back(), 3, 1), w.display.ColorMatch(0x000000FF));
    EXPECT_EQ(valueAt(w.back(), 4, 1), white);
    EXPECT_EQ(valueAt(w.back(), 2, 2), w.display.ColorMatch(0x0000FF00));
    EXPECT_EQ(valueAt(w.back(), 3, 2), white);
    EXPECT_EQ(valueAt(w.back(), 4, 2), w.display.ColorMatch(0x00FF0000));

    // Blit mode 1 for one draw copies the transparent colour too.
    ASSERT_EQ(image.DrawAt(2, 1, nullptr, kBlitOpaque), kOk);
    EXPECT_EQ(valueAt(w.back(), 2, 1), w.display.ColorMatch(0x00C0C0C0));
}

TEST(LoadFromBitmap, FillsTheImageFromAFile) {
    TempFolder folder;
    WindowedDisplay w(16);
    SurfaceImage image;
    image.SetDisplay(&w.display, kBlitKeyed);
    image.name = "left over";
    image.PlaceAt(30, 40, false);

    ASSERT_EQ(image.LoadFromBitmap(writeBitmap(folder, "icon.bmp", icon(qRgb(255, 0, 255)))), kOk);

    EXPECT_TRUE(image.loaded);
    EXPECT_EQ(image.name, "");
    EXPECT_EQ(image.width, 3);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.placeRect, Rect(0, 0, 3, 2));
    EXPECT_EQ(image.sourceRect, Rect(0, 0, 3, 2));
    ASSERT_NE(image.surface, nullptr);
    EXPECT_EQ(valueAt(*image.surface, 1, 0), 0xF800u);
    EXPECT_EQ(valueAt(*image.surface, 0, 0), 0xF81Fu);
    EXPECT_EQ(w.display.ColorMatch(0xFFFFFFFF, &image), 0xF81Fu);
}

TEST(LoadFromBitmap, MissingBitmapKeepsTheEarlierSurfaceAndSaysSo) {
    TempFolder folder;
    WindowedDisplay w(32);
    ScriptedUserInterface ui;
    w.display.setUserInterface(&ui);
    SurfaceImage image;
    image.SetDisplay(&w.display, kBlitKeyed);
    ASSERT_EQ(image.LoadFromBitmap(writeBitmap(folder, "icon.bmp", icon(qRgb(255, 0, 255)))), kOk);
    const auto earlier = image.surface;

    EXPECT_EQ(image.LoadFromBitmap(99999), kFail);
    EXPECT_EQ(image.LoadFromBitmap(folder.path() + "missing.bmp"), kFail);

    EXPECT_EQ(image.surface, earlier);
    EXPECT_TRUE(image.loaded);
    EXPECT_EQ(image.width, 3);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Warning);
    // The message names the bitmap asked for.
    EXPECT_EQ(ui.messages[0].text, "No se puede abrir el mapa de bits 99999.bmp");
    EXPECT_EQ(ui.messages[1].text,
              "No se puede abrir el mapa de bits " + folder.path() + "missing.bmp");
}

#ifdef MAPORV_HAVE_BITMAPS
TEST(LoadFromBitmap, FindsTheProgramsBitmapsByNumber) {
    WindowedDisplay w(16);
    SurfaceImage bar;
    bar.SetDisplay(&w.display, kBlitKeyed);
    ASSERT_EQ(bar.LoadFromBitmap(153), kOk);
    EXPECT_TRUE(bar.loaded);
    EXPECT_EQ(bar.placeRect, Rect(0, 0, 135, 48));
    ASSERT_EQ(bar.KeyFromTopLeft(), kOk);
    EXPECT_EQ(bar.surface->colorKey(), w.display.ColorMatch(0x00FF00FF));
}
#endif

} // namespace
} // namespace maporv
