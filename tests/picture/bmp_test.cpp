#include "picture/mappicture.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::BmpSpec;
using test::bytes;
using test::Rgb;

// count entries: entry k is red k, green 2k, blue 255 - k.
std::string rampPalette(int count) {
    std::string out;
    for (int k = 0; k < count; ++k) {
        out += bytes({255 - k, (2 * k) & 0xFF, k, 0x77});
    }
    return out;
}

BmpSpec spec(int bits, int width, int height, std::string rows, std::string palette = "",
             std::uint32_t colorsUsed = 0) {
    return BmpSpec{bits, width, height, std::move(rows), std::move(palette), colorsUsed};
}

TEST(BmpRead, ConvertsEveryDepthToTwentyFourBits) {
    std::string rows24; // 641 x 2: rows of 1924 bytes, bottom row first
    for (int y = 1; y >= 0; --y) {
        for (int x = 0; x < 641; ++x) {
            rows24 += bytes({100, y, x & 0xFF});
        }
        rows24 += bytes({0});
    }
    const std::string rows16 = test::le16(0x03E0) + test::le16(0x8000) + test::le16(0x0421) +
                               bytes({0, 0}) + test::le16(0x7FFF) + test::le16(0x001F) +
                               test::le16(0x7C00) + bytes({0, 0});
    const std::string rows32 = bytes({1, 2, 3, 0xAB, 4, 5, 6, 0xCD});
    struct Case {
        BmpSpec file;
        int rowLength;
        std::vector<std::tuple<int, int, Rgb>> probes; // x, y (0 = top), colour
    };
    const Case cases[] = {
        {spec(24, 641, 2, rows24), 1924, {{0, 0, {0, 0, 100}}, {640, 1, {128, 1, 100}}}},
        {spec(16, 3, 2, rows16),
         12,
         {{0, 0, {248, 248, 248}},
          {1, 0, {0, 0, 248}},
          {2, 0, {248, 0, 0}},
          {0, 1, {0, 248, 0}},
          {1, 1, {0, 0, 0}},
          {2, 1, {8, 8, 8}}}},
        {spec(32, 2, 1, rows32), 8, {{0, 0, {3, 2, 1}}, {1, 0, {6, 5, 4}}}},
        {spec(8, 3, 1, bytes({15, 0, 7, 0}), rampPalette(16), 16),
         12,
         {{0, 0, {15, 30, 240}}, {1, 0, {0, 0, 255}}, {2, 0, {7, 14, 248}}}},
        // 256 colours: index 255 is the last entry; padding is no index.
        {spec(8, 3, 1, bytes({255, 1, 0, 0xFF}), rampPalette(256), 256),
         12,
         {{0, 0, {255, 254, 0}}, {1, 0, {1, 2, 254}}}},
        // A palette on a 24-bit file is not used and need not be there.
        {spec(24, 1, 1, bytes({1, 2, 3, 0}), "", 1000), 4, {{0, 0, {3, 2, 1}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.bits);
        test::TempFolder temp;
        test::ScriptedUserInterface ui;
        MapPicture picture(ui);
        ASSERT_TRUE(picture.load(temp.write("Pic.bmp", test::bmpFile(c.file))));
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(picture.name, "Pic");
        EXPECT_EQ(picture.extension, ".BMP");
        EXPECT_EQ(picture.tileCount, 1);
        EXPECT_EQ(picture.sourceBits, static_cast<std::uint32_t>(c.file.bits));
        EXPECT_EQ(picture.width, c.file.width);
        EXPECT_EQ(picture.height, c.file.height);
        EXPECT_EQ(picture.rowLength, c.rowLength);
        EXPECT_EQ(picture.header.bitCount, 24);
        EXPECT_EQ(picture.header.imageSize,
                  static_cast<std::uint32_t>(c.rowLength * c.file.height));
        for (const auto& [x, y, colour] : c.probes) {
            EXPECT_EQ(test::pixelRgb(picture, x, y), colour) << x << "," << y;
        }
    }
}

TEST(BmpRead, RefusesWithOneErrorBoxBeforeAnyPixelIsRead) {
    const BmpSpec good = spec(24, 2, 2, std::string(16, '\x11'));
    auto with = [&](auto change) {
        BmpSpec s = good;
        change(s);
        return test::bmpFile(s);
    };
    auto eightBit = [](BmpSpec& s) {
        s.bits = 8;
        s.palette = rampPalette(16);
        s.colorsUsed = 16;
        s.rows = std::string(8, '\x0F');
    };
    const std::pair<std::string, std::string> cases[] = {
        // The format checks, in their order...
        {test::bmpFile(good).substr(0, 13), "Invalid BMP FileHeader size"},
        {with([](BmpSpec& s) { s.type = "BA"; }), "Invalid BMP type"},
        {with([](BmpSpec& s) { s.compression = 3, s.headerSize = 124; }),
         "No compressed BMP are supported"},
        {with([](BmpSpec& s) { s.headerSize = 124, s.bits = 4; }),
         "Invalid BMP Header size: 124 <> 40"},
        {with([](BmpSpec& s) { s.bits = 1, s.height = -2; }),
         "Only 8, 16, 24 and 32 bits BMP supported"},
        {test::bmpFile(good).substr(0, 20), "Only 8, 16, 24 and 32 bits BMP supported"},
        // ...then what the header claims against the buffer and the file.
        {with([](BmpSpec& s) { s.width = 0; }), "Unsupported BMP size: 0 x 2"},
        {with([](BmpSpec& s) { s.height = -2; }), "Unsupported BMP size: 2 x -2"},
        {with([](BmpSpec& s) { s.width = 1921; }), "Unsupported BMP size: 1921 x 2"},
        {with([](BmpSpec& s) { s.width = s.height = 0x7FFFFFFF; }), "Unsupported BMP size"},
        {with([](BmpSpec& s) { s.pixelOffset = 53; }), "Invalid BMP pixel data offset: 53"},
        {with([](BmpSpec& s) { s.pixelOffset = 54 + 16 + 1; }),
         "Invalid BMP pixel data offset: 71"},
        {with([](BmpSpec& s) { s.pixelOffset = 0xFFFFFFFF; }),
         "Invalid BMP pixel data offset: 4294967295"},
        {with([](BmpSpec& s) { s.rows.pop_back(); }), "Incomplete BMP pixel data"},
        {with([](BmpSpec& s) { s.height = 1920; }), "Incomplete BMP pixel data"},
        // 300 colours, all present in the file: more than an 8-bit index can reach.
        {test::bmpFile(spec(8, 3, 1, bytes({255, 1, 0, 0xFF}),
                            rampPalette(256) + std::string(176, '\1'), 300)),
         "Invalid BMP palette: 300 colours declared, at most 256"},
        {with([&](BmpSpec& s) { eightBit(s), s.colorsUsed = 257; }),
         "Invalid BMP palette: 257 colours declared, at most 256"},
        {with([&](BmpSpec& s) { eightBit(s), s.colorsUsed = 17; }),
         "Invalid BMP palette: 17 colours declared, room for 16"},
        {with([&](BmpSpec& s) { eightBit(s), s.colorsUsed = 0; }),
         "Invalid BMP palette: 256 colours declared, room for 16"},
        {with([&](BmpSpec& s) { eightBit(s), s.rows[5] = 16; }),
         "Invalid BMP palette index 16: the palette has 16 colours"},
    };
    for (const auto& [file, message] : cases) {
        SCOPED_TRACE(message);
        test::TempFolder temp;
        test::ScriptedUserInterface ui;
        MapPicture picture(ui);
        test::makePatternPicture(picture, 4, 4);
        picture.clear();
        EXPECT_FALSE(picture.load(temp.write("X.BMP", file)));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
        EXPECT_EQ(ui.messages[0].text.substr(0, message.size()), message);
        EXPECT_FALSE(picture.valid);
        EXPECT_FALSE(picture.hasHeader);
        const std::uint8_t* p = MapPicture::pixels();
        EXPECT_TRUE(
            std::all_of(p, p + kPictureBufferSize, [](std::uint8_t v) { return v == 220; }));
    }

    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapPicture picture(ui);
    EXPECT_FALSE(picture.readBmp(temp.path() + "gone.bmp"));
    EXPECT_FALSE(picture.readBmp(temp.makeFolder("folder.bmp")));
    EXPECT_EQ(ui.messageTexts(),
              (std::vector<std::string>{temp.path() + "gone.bmp not found",
                                        "Error reading " + temp.path() + "folder.bmp/"}));
}

TEST(BmpSave, WritesTwentyFourBitsThatReadBackTheSame) {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapPicture picture(ui);
    test::makePatternPicture(picture, 1000, 700);
    ASSERT_TRUE(picture.saveBmp(temp.path() + "saved.bmp"));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.waitCount, 1);

    const std::string file = temp.read("saved.bmp");
    ASSERT_EQ(file.size(), 54u + 3000u * 700u);
    EXPECT_EQ(file.substr(0, 2), "BM");
    const std::pair<std::size_t, std::uint32_t> fields[] = {
        {2, 2100054}, {6, 0},           {10, 54}, {14, 40}, {18, 1000}, {22, 700}, {26, 0x180001},
        {30, 0},      {34, 3000 * 700}, {38, 0},  {42, 0},  {46, 0},    {50, 0}};
    for (const auto& [at, value] : fields) {
        EXPECT_EQ(test::get32(file, at), value) << "offset " << at;
    }
    picture.clear();
    ASSERT_TRUE(picture.load(temp.path() + "saved.bmp"));
    int differences = 0;
    for (int i = 0; i < 700 * 1000; ++i) {
        differences +=
            test::pixelRgb(picture, i % 1000, i / 1000) != test::patternAt(i % 1000, i / 1000);
    }
    EXPECT_EQ(differences, 0);
}

TEST(BmpSave, KeepsResolutionsAndColourCountsOfTwentyFourBitSourcesOnly) {
    for (const auto& [bits, colours, saved] :
         {std::tuple{24, 256u, 256u}, {8, 2u, 0u}, {16, 0u, 0u}}) {
        SCOPED_TRACE(bits);
        test::TempFolder temp;
        test::ScriptedUserInterface ui;
        MapPicture picture(ui);
        const auto rows = std::string(bitmapRowLength(bits, 2) * 2, '\1');
        ASSERT_TRUE(picture.load(temp.write(
            "in.bmp",
            test::bmpFile(spec(bits, 2, 2, rows, bits == 8 ? rampPalette(2) : "", colours)))));
        ASSERT_TRUE(picture.saveBmp(temp.path() + "out.bmp"));
        const std::string file = temp.read("out.bmp");
        EXPECT_EQ(file.size(), 54u + 16u);
        EXPECT_EQ(test::get16(file, 28), 24u);
        EXPECT_EQ(test::get32(file, 38), 2835u);
        EXPECT_EQ(test::get32(file, 46), saved);
        EXPECT_EQ(test::get32(file, 50), saved);
        EXPECT_TRUE(picture.load(temp.path() + "out.bmp"));
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST(BmpSave, ReportsWhatCannotBeCreatedAndKeepsTheOldFile) {
    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    MapPicture picture(ui);
    EXPECT_FALSE(picture.saveBmp(temp.path() + "invalid.bmp"));
    EXPECT_TRUE(ui.messages.empty());

    test::makePatternPicture(picture, 3, 3);
    temp.write("taken.bmp/inside", "old");
    EXPECT_FALSE(picture.saveBmp(temp.path() + "taken.bmp"));
    EXPECT_FALSE(picture.saveBmp(temp.path() + "missing/x.bmp"));
    EXPECT_EQ(ui.messageTexts(), (std::vector<std::string>{
                                     temp.path() + "taken.bmp is a folder, not a file: nothing was "
                                                   "written.",
                                     "Error creating " + temp.path() + "missing/x.bmp"}));
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(temp.read("taken.bmp/inside"), "old");
}

} // namespace
} // namespace maporv
