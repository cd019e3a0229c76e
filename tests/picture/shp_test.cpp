#include "picture/mappicture.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::bytes;
using test::kGrey;
using test::Rgb;
using test::ShpSpec;

// Some entries of the sibling game's palette, as red, green, blue.
const Rgb c7{0x9C, 0x9C, 0x9C}, c16{0xF4, 0xF4, 0x9C}, c17{0xE8, 0xE4, 0x88}, c42{0xCC, 0xC8, 0x88},
    c255{0xB8, 0x10, 0x00}, _ = kGrey;

// Loads the shape as the only tile of a set; the first n pixels of the given rows.
std::vector<Rgb> drawn(const ShpSpec& shape, int n, std::vector<int> rows = {0}, int fromX = 0) {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapPicture picture(ui);
    EXPECT_TRUE(picture.load(temp.write("SHAPE00.shp", test::shpFile(shape))));
    EXPECT_TRUE(ui.messages.empty());
    std::vector<Rgb> pixels;
    for (int y : rows) {
        for (int x = fromX; x < fromX + n; ++x) {
            pixels.push_back(test::pixelRgb(picture, x, y));
        }
    }
    return pixels;
}

ShpSpec shape(std::string codes, std::int32_t x1 = 0, std::int32_t y1 = 0, std::int32_t y2 = 0) {
    ShpSpec s;
    s.codes = std::move(codes);
    s.x1 = x1;
    s.y1 = y1;
    s.y2 = y2;
    return s;
}

TEST(ShpRead, DecodesRunsSkipsAndRows) {
    std::string tooLong; // 6 x 127 pixels, then a pixel beyond column 639 and a second row
    for (int i = 0; i < 6; ++i) {
        tooLong += bytes({0xFE, 7});
    }
    tooLong += bytes({0x01, 0xFF, 0x03, 16, 0x00, 0x02, 17});
    std::string fourteenRows;
    for (int row = 0; row < 16; ++row) {
        fourteenRows += bytes({0x02, 7, 0x00});
    }
    struct Case {
        const char* what;
        ShpSpec shape;
        std::vector<int> rows;
        std::vector<Rgb> pixels; // 4 of each row, from column fromX
        int fromX = 0;
    };
    const Case cases[] = {
        {"fill 06 2A", shape(bytes({0x06, 0x2A})), {0}, {c42, c42, c42, _}},
        {"copy 05 10 11", shape(bytes({0x05, 0x10, 0x11, 0x02, 0xFF})), {0}, {c16, c17, c255, _}},
        {"skip 01 0A", shape(bytes({0x01, 0x0A, 0x02, 7})), {0}, {_, _, c7, _}, 8},
        {"transparent fill 04 05", shape(bytes({0x04, 0x05, 0x02, 7})), {0}, {_, _, c7, _}},
        {"transparent copy", shape(bytes({0x07, 7, 5, 7})), {0}, {c7, _, c7, _}},
        {"code 0 ends the row",
         shape(bytes({0x02, 7, 0x00, 0x02, 16}), 0, 0, 1),
         {0, 1},
         {c7, _, _, _, c16, _, _, _}},
        {"end of file ends rows and runs",
         shape(bytes({0x09, 7, 7}), 0, 0, 5),
         {0, 1},
         {c7, c7, _, _, _, _, _, _}},
        {"rows start at x1",
         shape(bytes({0x02, 7, 0x00, 0x02, 7}), 2, 0, 1),
         {0, 1},
         {_, _, c7, _, _, _, c7, _}},
        {"negative x1 starts at 0", shape(bytes({0x02, 7}), -4), {0}, {c7, _, _, _}},
        {"y1 -3 to y2 10 draws rows 0..13",
         shape(fourteenRows, 0, -3, 10),
         {0, 13, 14},
         {c7, _, _, _, c7, _, _, _, _, _, _, _}},
        {"y1 2 to y2 3 draws rows 2..3",
         shape(fourteenRows, 0, 2, 3),
         {1, 2, 3, 4},
         {_, _, _, _, c7, _, _, _, c7, _, _, _, _, _, _, _}},
        {"a row is cut at column 639",
         shape(tooLong, 0, 0, 1),
         {0, 1},
         {c7, c7, c7, c7, c17, _, _, _}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(drawn(c.shape, 4, c.rows, c.fromX), c.pixels);
    }
    // Column 639 is the last one the long row reaches.
    ShpSpec wide = shape(tooLong);
    wide.width = 640;
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    temp.write("WIDE00.shp", test::shpFile(wide));
    temp.write("WIDE10.shp", test::shpFile(shape("")));
    MapPicture picture(ui);
    ASSERT_TRUE(picture.load(temp.path() + "WIDE00.shp"));
    EXPECT_EQ(test::pixelRgb(picture, 639, 0), c7);
    EXPECT_EQ(test::pixelRgb(picture, 640, 0), kGrey);
}

TEST(ShpRead, AnyPickedTileLoadsTheWholeSet) {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    const int colours[2][2] = {{16, 17}, {42, 255}};
    for (int x = 0; x < 2; ++x) {
        for (int y = 0; y < 2; ++y) {
            ShpSpec s = shape(bytes({0x02, colours[x][y]}));
            s.height = y == 0 ? 480 : 100;
            s.width = x == 0 ? 640 : 200;
            temp.write("MAP07" + std::to_string(x) + std::to_string(y) + ".SHP", test::shpFile(s));
        }
    }
    MapPicture picture(ui);
    ASSERT_TRUE(picture.load(temp.path() + "map0711.shp"));
    EXPECT_TRUE(picture.valid);
    EXPECT_EQ(picture.name, "map07");
    EXPECT_EQ(picture.extension, ".SHP");
    EXPECT_EQ(picture.tileCount, 1);
    EXPECT_EQ(picture.width, 840);
    EXPECT_EQ(picture.height, 580);
    EXPECT_EQ(test::pixelRgb(picture, 0, 0), c16);
    EXPECT_EQ(test::pixelRgb(picture, 0, 480), c17);
    EXPECT_EQ(test::pixelRgb(picture, 640, 0), c42);
    EXPECT_EQ(test::pixelRgb(picture, 640, 480), c255);

    // Without its first tile the set does not exist.
    temp.write("LOST10.shp", test::shpFile(ShpSpec{}));
    EXPECT_FALSE(picture.load(temp.path() + "LOST10.shp"));
    EXPECT_FALSE(picture.valid);
    EXPECT_EQ(picture.tileCount, 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(ShpRead, HostileShapesAreSkippedOrDecodedWithinTheirData) {
    auto with = [](auto change) {
        ShpSpec s = shape(bytes({0x02, 7}));
        change(s);
        return s;
    };
    const std::pair<const char*, ShpSpec> skipped[] = {
        {"two shapes", with([](ShpSpec& s) { s.shapeCount = 2; })},
        {"offset beyond the file", with([](ShpSpec& s) { s.shapeOffset = 0xFFFFFFF0u; })},
        {"shape header cut", with([](ShpSpec& s) { s.shapeOffset = 20; })},
        {"width 641", with([](ShpSpec& s) { s.width = 641; })},
        {"height 0", with([](ShpSpec& s) { s.height = 0; })},
        {"width -5", with([](ShpSpec& s) { s.width = -5; })},
    };
    for (const auto& [what, s] : skipped) {
        SCOPED_TRACE(what);
        test::TempFolder temp;
        test::ScriptedUserInterface ui;
        MapPicture picture(ui);
        ASSERT_TRUE(picture.load(temp.write("EVIL00.shp", test::shpFile(s))));
        EXPECT_EQ(picture.width, 0);
        EXPECT_EQ(picture.height, 0);
    }
    const std::pair<const char*, std::vector<Rgb>> decoded[] = {
        {"endless rows", drawn(with([](ShpSpec& s) { s.y2 = 0x7FFFFFFF; }), 1, {0, 1})},
        {"first row far above", drawn(with([](ShpSpec& s) { s.y1 = INT32_MIN; }), 1)},
        {"first row below the tile", drawn(with([](ShpSpec& s) { s.y1 = s.y2 = 480; }), 1)},
        {"first column beyond the tile", drawn(with([](ShpSpec& s) { s.x1 = INT32_MAX; }), 1)},
        {"no row data", drawn(with([](ShpSpec& s) { s.codes.clear(); }), 1)},
    };
    const std::vector<Rgb> expected[] = {{c7, _}, {c7}, {_}, {_}, {_}};
    for (std::size_t i = 0; i < std::size(decoded); ++i) {
        EXPECT_EQ(decoded[i].second, expected[i]) << decoded[i].first;
    }
}

} // namespace
} // namespace maporv
