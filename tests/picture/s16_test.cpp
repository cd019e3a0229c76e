#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "picture/mappicture.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace maporv {
namespace {

using test::kGrey;
using test::Rgb;

struct TileSpec {
    int x, y, width, height;
};

// Every tile is filled with a colour of its own: red from the column, blue from the row.
Rgb tileRgb(int x, int y) {
    return Rgb{(x + 1) << 3, 0, (y + 1) << 4};
}

void writeSet(const test::TempFolder& temp, const std::string& base,
              const std::vector<TileSpec>& tiles) {
    for (const TileSpec& t : tiles) {
        const auto colour = static_cast<std::uint16_t>(((t.x + 1) << 11) | ((t.y + 1) << 1));
        temp.write(base + std::to_string(t.x) + std::to_string(t.y) + ".s16",
                   test::s16Uniform(t.width, t.height, colour));
    }
}

TEST(S16Read, PlacesTilesAtFixedOriginsAndSizesFromRowAndColumnZero) {
    struct Case {
        std::vector<TileSpec> tiles;
        int width, height, rowLength;
        std::vector<std::pair<int, int>> greyAt;
    };
    std::vector<TileSpec> twelve;
    for (int i = 0; i < 12; ++i) {
        twelve.push_back({i / 4, i % 4, 640, 480});
    }
    const Case cases[] = {
        {twelve, 1920, 1920, 5760, {}},
        {{{0, 0, 640, 480}}, 640, 480, 1920, {}},
        {{{0, 0, 640, 480},
          {1, 0, 640, 480},
          {2, 0, 300, 480},
          {0, 1, 640, 480},
          {0, 2, 640, 480},
          {0, 3, 640, 100},
          {2, 3, 300, 100}},
         1580,
         1540,
         4740,
         {{640, 480}, {1579, 1539 - 100}}},
        // Without tile 00 the picture shrinks; tile 10 then starts at column 640 of a
        // 940-wide picture and the rest of it is not written.
        {{{1, 0, 640, 480}, {2, 0, 300, 480}, {0, 1, 640, 480}, {0, 2, 640, 100}},
         940,
         580,
         2820,
         {{0, 0}, {639, 479}, {640, 480}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tiles.size());
        test::TempFolder temp;
        test::ScriptedUserInterface ui;
        writeSet(temp, "MAP05", c.tiles);
        MapPicture picture(ui);
        ASSERT_TRUE(picture.load(temp.path() + "MAP05" + std::to_string(c.tiles[0].x) +
                                 std::to_string(c.tiles[0].y) + ".s16"));
        EXPECT_TRUE(picture.valid);
        EXPECT_EQ(picture.name, "MAP05");
        EXPECT_EQ(picture.extension, ".S16");
        EXPECT_EQ(picture.width, c.width);
        EXPECT_EQ(picture.height, c.height);
        EXPECT_EQ(picture.rowLength, c.rowLength);
        EXPECT_EQ(picture.header.imageSize, static_cast<std::uint32_t>(c.rowLength * c.height));
        EXPECT_EQ(picture.tileCount, c.tiles.size());
        for (const TileSpec& t : c.tiles) {
            if (640 * t.x >= c.width || 480 * t.y >= c.height) {
                continue; // entirely outside
            }
            const int right = std::min(640 * t.x + t.width, c.width) - 1;
            const int bottom = std::min(480 * t.y + t.height, c.height) - 1;
            EXPECT_EQ(test::pixelRgb(picture, 640 * t.x, 480 * t.y), tileRgb(t.x, t.y));
            EXPECT_EQ(test::pixelRgb(picture, right, bottom), tileRgb(t.x, t.y));
        }
        for (const auto& [x, y] : c.greyAt) {
            EXPECT_EQ(test::pixelRgb(picture, x, y), kGrey) << x << "," << y;
        }
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(ui.waitCount, 1);
        EXPECT_EQ(ui.waitDepth, 0);
    }
}

TEST(S16Read, AnyPickedTileNamesTheSetInAnyLetterCase) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // picked, first tile on disk, base
        {"MAP0512.s16", "MAP0500.s16", "MAP05"},
        {"map0512.s16", "MAP0500.S16", "map05"},
        {"ABCDEF.s16", "ABCD00.s16", "ABCD"},
        {"MAP05.s16", "MAP0500.s16", "MAP05"},
    };
    for (const auto& [picked, first, base] : cases) {
        SCOPED_TRACE(picked);
        test::TempFolder temp;
        test::ScriptedUserInterface ui;
        temp.write(first, test::s16Uniform(640, 480, 0xFFFF));
        temp.write(std::string(base) + "12.s16", test::s16Uniform(20, 10, 0));
        if (!fileExists(temp.path() + picked)) {
            temp.write(picked, "not a tile");
        }
        MapPicture picture(ui);
        ASSERT_TRUE(picture.load(temp.path() + picked));
        EXPECT_EQ(picture.name, base);
        EXPECT_EQ(picture.tileCount, 2);
        EXPECT_EQ(test::pixelRgb(picture, 0, 0), (Rgb{248, 252, 248}));
    }
}

TEST(S16Read, DecodesRawAndRunLengthDataAsFarAsItGoes) {
    const Rgb r{248, 0, 0}, g{0, 252, 0}, b{0, 0, 248}, w{248, 252, 248}, k{0, 0, 0}, _ = kGrey;
    const std::string raw = test::le16(0xFFFF) + test::le16(0xF800) + test::le16(0x07E0) +
                            test::le16(0x001F) + test::le16(0x0000) + test::le16(0x0841);
    auto record = [](int count, std::uint32_t pixel) {
        return test::bytes({count}) + test::le16(pixel);
    };
    struct Case {
        const char* what;
        std::string tile; // 3 x 2 pixels unless skipped
        std::vector<Rgb> pixels;
    };
    const Case cases[] = {
        {"5-6-5 with low bits 0", test::s16Tile(3, 2, raw), {w, r, g, b, k, {8, 8, 8}}},
        {"odd byte count", test::s16Tile(3, 2, raw.substr(0, 5)), {w, r, _, _, _, _}},
        {"no pixel data", test::s16Tile(3, 2, ""), {_, _, _, _, _, _}},
        {"gap", test::s16Tile(3, 2, "xyz" + raw, 0, 3), {w, r, g, b, k, {8, 8, 8}}},
        {"gap beyond the end", test::s16Tile(3, 2, raw, 0, 0xFFFFFFF0u), {_, _, _, _, _, _}},
        {"unknown encoding read raw", test::s16Tile(3, 2, raw, 9), {w, r, g, b, k, {8, 8, 8}}},
        {"runs cross rows, count 0 gives nothing",
         test::s16Tile(3, 2, record(2, 0xF800) + record(0, 0x07E0) + record(3, 0x001F), 1),
         {r, r, b, b, b, _}},
        {"a run stops at the tile's end",
         test::s16Tile(3, 2, record(4, 0) + record(255, 0x1F), 1),
         {k, k, k, k, b, b}},
        {"a cut record ends the tile",
         test::s16Tile(3, 2, record(1, 0xF800) + test::bytes({5, 0x1F}), 1),
         {r, _, _, _, _, _}},
        // Tiles that cannot be placed are skipped like missing ones.
        {"magic 2", test::s16Tile(3, 2, raw, 0, 0, 2), {}},
        {"width 0", test::s16Tile(0, 2, raw), {}},
        {"negative height", test::s16Tile(3, -2, raw), {}},
        {"wider than a tile", test::s16Tile(641, 2, raw), {}},
        {"higher than a tile", test::s16Tile(3, 481, raw), {}},
        {"header cut", test::s16Tile(3, 2, "").substr(0, 43), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder temp;
        test::ScriptedUserInterface ui;
        temp.write("TILE00.s16", c.tile);
        MapPicture picture(ui);
        ASSERT_TRUE(picture.load(temp.path() + "TILE00.s16"));
        EXPECT_TRUE(picture.valid);
        EXPECT_EQ(picture.tileCount, c.pixels.empty() ? 0 : 1);
        ASSERT_EQ(picture.width, c.pixels.empty() ? 0 : 3);
        for (std::size_t i = 0; i < c.pixels.size(); ++i) {
            EXPECT_EQ(test::pixelRgb(picture, static_cast<int>(i % 3), static_cast<int>(i / 3)),
                      c.pixels[i])
                << i;
        }
    }
}

// The run-length decoding written the plain way: pixel i of the tile goes to column
// i mod width, row i div width, dropped outside the picture.
void decodeRunsPixelByPixel(std::vector<std::uint8_t>& picture, int pictureWidth, int pictureHeight,
                            int originX, int originY, int tileWidth, int tileHeight,
                            const std::string& data) {
    int i = 0;
    for (std::size_t at = 0; at + 3 <= data.size(); at += 3) {
        const std::uint32_t v = test::get16(data, at + 1);
        for (int n = static_cast<std::uint8_t>(data[at]); n > 0 && i < tileWidth * tileHeight;
             --n, ++i) {
            const int x = originX + i % tileWidth;
            const int y = originY + i / tileWidth;
            if (x < pictureWidth && y < pictureHeight) {
                std::uint8_t* p = &picture[3 * (static_cast<std::size_t>(y) * pictureWidth + x)];
                p[0] = static_cast<std::uint8_t>((v & 31) << 3);
                p[1] = static_cast<std::uint8_t>(((v >> 5) & 63) << 2);
                p[2] = static_cast<std::uint8_t>(((v >> 11) & 31) << 3);
            }
        }
    }
}

TEST(S16Read, LargeRunLengthTilesDecodeAsThePixelByPixelDecoderDoes) {
    // Runs of exactly so many pixels, mostly of one to four as in a painted picture,
    // with long ones and empty ones among them, in random colours.
    std::mt19937 random(17);
    const auto runs = [&random](int pixels) {
        std::string data;
        for (int produced = 0; produced < pixels;) {
            const int kind = static_cast<int>(random() % 16);
            const int count =
                std::min(pixels - produced, kind < 12   ? 1 + kind % 4
                                            : kind < 15 ? static_cast<int>(random() % 256)
                                                        : 0);
            data += test::bytes({count}) + test::le16(random() & 0xFFFF);
            produced += count;
        }
        return data;
    };
    // Tile 00 is narrower than tile 01, so the right part of tile 01 lies outside the
    // picture. Tile 00 has runs to spare. Tile 01's data ends inside a row, after a
    // single pixel and a cut record, so the rest of the tile keeps the fill.
    struct Tile {
        int y, width, height;
        std::string data;
    };
    const Tile tiles[] = {
        {0, 600, 480, runs(600 * 480) + runs(900)},
        {1, 640, 300, runs(640 * 150 + 333) + test::bytes({1, 0x34, 0x12, 7, 1})}};
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    const int width = 600;
    const int height = 780;
    std::vector<std::uint8_t> expected(3 * static_cast<std::size_t>(width) * height, kFillByte);
    for (const Tile& tile : tiles) {
        temp.write("RUNS0" + std::to_string(tile.y) + ".s16",
                   test::s16Tile(tile.width, tile.height, tile.data, 1));
        decodeRunsPixelByPixel(expected, width, height, 0, 480 * tile.y, tile.width, tile.height,
                               tile.data);
    }

    MapPicture picture(ui);
    ASSERT_TRUE(picture.load(temp.path() + "RUNS00.s16"));
    ASSERT_EQ(picture.width, width);
    ASSERT_EQ(picture.height, height);
    int differentRows = 0;
    for (int y = 0; y < height; ++y) {
        differentRows += !std::equal(expected.begin() + 3 * y * width,
                                     expected.begin() + 3 * (y + 1) * width, picture.pixelAt(0, y));
    }
    EXPECT_EQ(differentRows, 0);
}

TEST(S16Write, CutsThePictureIntoRawTilesThatReadBackTheSame) {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapPicture picture(ui);
    test::makePatternPicture(picture, 1000, 700);
    std::uint8_t* first = picture.pixelAt(0, 0);
    std::fill(first, first + 3, 255);     // white
    std::fill(first + 3, first + 6, 220); // fill grey

    EXPECT_TRUE(picture.writeS16Tiles(temp.path() + "OUTPUT"));
    EXPECT_EQ(ui.messageTexts(),
              std::vector<std::string>{"Done !\nLoaded file has been splitted to 4 S16 Tiles"});
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Information);
    EXPECT_EQ(ui.waitDepth, 0);
    for (const auto& [name, w, h] : {std::tuple{"OUTPUT00.s16", 640u, 480u},
                                     {"OUTPUT01.s16", 640u, 220u},
                                     {"OUTPUT10.s16", 360u, 480u},
                                     {"OUTPUT11.s16", 360u, 220u}}) {
        SCOPED_TRACE(name);
        const std::string tile = temp.read(name);
        ASSERT_EQ(tile.size(), 44 + w * h * 2);
        const std::uint32_t header[] = {1, w, h, 0, 0, w, h, 0, w * h * 2, 0, 0};
        for (std::size_t i = 0; i < 11; ++i) {
            EXPECT_EQ(test::get32(tile, 4 * i), header[i]) << i;
        }
    }
    // Tile 00 starts with the picture's top row.
    EXPECT_EQ(test::get32(temp.read("OUTPUT00.s16"), 44), 0xDEFBFFFFu);

    picture.clear();
    ASSERT_TRUE(picture.load(temp.path() + "OUTPUT11.s16"));
    ASSERT_EQ(picture.width, 1000);
    ASSERT_EQ(picture.height, 700);
    EXPECT_EQ(test::pixelRgb(picture, 0, 0), (Rgb{248, 252, 248}));
    int differences = 0;
    for (int i = 2; i < 700 * 1000; ++i) {
        differences +=
            test::pixelRgb(picture, i % 1000, i / 1000) != test::patternAt(i % 1000, i / 1000);
    }
    EXPECT_EQ(differences, 0);
}

TEST(S16Write, ASetIsReplacedWholeOrNotAtAllAndLeavesNoOlderTile) {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapPicture picture(ui);
    test::makePatternPicture(picture, 700, 500);

    // No file name after the folder: nothing at all.
    EXPECT_FALSE(picture.writeS16Tiles(temp.path()));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(listFiles(temp.path(), "*").empty());

    // An old set of 12 tiles, one of them in another letter case; a folder where the
    // new tile 11 should go makes the whole new set fail, and the old one stays whole.
    std::vector<std::string> oldSet;
    for (int x = 0; x < 3; ++x) {
        for (int y = 0; y < 4; ++y) {
            if (x != 1 || y != 1) {
                oldSet.push_back((x == 2 && y == 2 ? "map07" : "MAP07") + std::to_string(x) +
                                 std::to_string(y) + ".s16");
                temp.write(oldSet.back(), "old");
            }
        }
    }
    temp.write("MAP0711.s16/keep", "old");
    std::sort(oldSet.begin(), oldSet.end(), listTextLess);
    EXPECT_FALSE(picture.writeS16Tiles(temp.path() + "MAP07"));
    EXPECT_EQ(ui.messageTexts(),
              (std::vector<std::string>{
                  temp.path() + "MAP0711.s16 is a folder, not a file: nothing was written.",
                  "0 of 4 S16 tiles written:\nnothing has been replaced, the old tiles are as "
                  "they were."}));
    EXPECT_EQ(listFiles(temp.path(), "*"), oldSet);
    EXPECT_EQ(temp.read("MAP0700.s16"), "old");

    // Once every tile can be written, the older tiles the reader would mix in go.
    ui.clearRecord();
    std::filesystem::remove_all(temp.path() + "MAP0711.s16");
    EXPECT_TRUE(picture.writeS16Tiles(temp.path() + "MAP07"));
    EXPECT_EQ(ui.messageTexts(),
              std::vector<std::string>{"Done !\nLoaded file has been splitted to 4 S16 Tiles\n"
                                       "removed: MAP0702.s16 MAP0703.s16 MAP0712.s16 "
                                       "MAP0713.s16 MAP0720.s16 MAP0721.s16 map0722.s16 "
                                       "MAP0723.s16"});
    EXPECT_EQ(
        listFiles(temp.path(), "*"),
        (std::vector<std::string>{"MAP0700.s16", "MAP0701.s16", "MAP0710.s16", "MAP0711.s16"}));
    MapPicture back(ui);
    ASSERT_TRUE(back.load(temp.path() + "MAP0711.s16"));
    EXPECT_EQ(back.width, 700);
    EXPECT_EQ(back.height, 500);
    EXPECT_EQ(back.tileCount, 4);
}

TEST(MapPictureLoad, MissingPathsFailQuietlyAndAllPicturesShareOneBuffer) {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapPicture map(ui);
    MapPicture preview(ui);
    temp.write("PPPP00.s16", test::s16Uniform(8, 8, 0xFFFF));
    ASSERT_TRUE(map.load(temp.path() + "PPPP00.s16"));
    for (const std::string& missing : {temp.path() + "NONE00.s16", temp.path() + "none.bmp",
                                       temp.path() + "none.shp", temp.path(), std::string()}) {
        preview.valid = true;
        EXPECT_FALSE(preview.load(missing)) << missing;
        EXPECT_FALSE(preview.valid);
    }
    EXPECT_TRUE(ui.messages.empty());

    temp.write("QQQQ00.s16", test::s16Uniform(8, 8, 0));
    ASSERT_TRUE(preview.load(temp.path() + "QQQQ00.s16"));
    EXPECT_EQ(test::pixelRgb(map, 0, 0), (Rgb{0, 0, 0}));
    // Rows are counted from the top of a bottom-up buffer.
    EXPECT_EQ(map.rowPointer(7), MapPicture::pixels());
    EXPECT_EQ(map.rowPointer(0), MapPicture::pixels() + 7 * map.rowLength);
    EXPECT_EQ(map.rowPointer(8), nullptr);
    map.release();
    EXPECT_FALSE(map.valid);
    EXPECT_FALSE(map.hasHeader);
}

} // namespace
} // namespace maporv
