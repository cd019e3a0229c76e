#include "picture/mappicture.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"

#include <gtest/gtest.h>
#include <vector>

namespace maporv {
namespace {

using test::Rgb;

TEST(LoadDecoded, TakesTopFirstRowsIntoTheBottomUpBuffer) {
    test::ScriptedUserInterface ui;
    MapPicture picture(ui);
    // 3 x 2 pixels, blue green red, rows 11 bytes apart (two bytes of the decoder's
    // own padding that must not show).
    constexpr std::size_t kStride = 11;
    std::vector<std::uint8_t> rows(2 * kStride, 0xEE);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            std::uint8_t* p = rows.data() + y * kStride + 3 * x;
            p[0] = static_cast<std::uint8_t>(10 * x);
            p[1] = static_cast<std::uint8_t>(100 + y);
            p[2] = static_cast<std::uint8_t>(200 + x);
        }
    }
    ASSERT_TRUE(picture.loadDecoded("/maps/Coast.png", 3, 2, 32, rows.data(), kStride));
    EXPECT_TRUE(picture.valid);
    EXPECT_EQ(picture.name, "Coast");
    EXPECT_EQ(picture.folder, "/maps/");
    EXPECT_EQ(picture.extension, ".PNG");
    EXPECT_EQ(picture.tileCount, 1);
    EXPECT_EQ(picture.sourceBits, 32u);
    EXPECT_EQ(picture.rowLength, 12);
    EXPECT_EQ(picture.header.imageSize, 24u);
    EXPECT_EQ(test::pixelRgb(picture, 2, 1), (Rgb{202, 101, 20}));
    // The bottom row is the buffer's first; the padding keeps the fill value.
    EXPECT_EQ(MapPicture::pixels()[0], 0);
    EXPECT_EQ(MapPicture::pixels()[1], 101);
    EXPECT_EQ(MapPicture::pixels()[9], 220);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(LoadDecoded, RefusesWhatTheBufferCannotHold) {
    test::ScriptedUserInterface ui;
    MapPicture picture(ui);
    std::vector<std::uint8_t> row(3 * 1921, 0);
    for (const auto& [width, height] :
         std::vector<std::pair<int, int>>{{0, 5}, {5, 0}, {-1, 5}, {1921, 1}, {1, 1921}}) {
        picture.valid = true;
        EXPECT_FALSE(picture.loadDecoded("x.png", width, height, 24, row.data(), 0x7FFFFFFF))
            << width << " x " << height;
        EXPECT_FALSE(picture.valid);
    }
    // Rows closer together than a row of pixels would overlap.
    EXPECT_FALSE(picture.loadDecoded("x.png", 4, 1, 24, row.data(), 11));
    EXPECT_FALSE(picture.loadDecoded("x.png", 4, 1, 24, nullptr, 12));
    EXPECT_TRUE(picture.loadDecoded("x.png", 1920, 1, 24, row.data(), row.size()));
    EXPECT_EQ(picture.width, 1920);
}

} // namespace
} // namespace maporv
