#include "display/clipper.h"
#include "display/surface.h"
#include "displaytesting.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace maporv {
namespace {

using test::valueAt;

// Pixel values by letter, so a picture can be written as text.
std::uint32_t colorOf(char c) {
    switch (c) {
    case 'k':
        return 0x00FF00FF; // magenta, the transparent colour
    case 'r':
        return 0x000000FF;
    case 'g':
        return 0x0000FF00;
    case 'b':
        return 0x00FF0000;
    case 'w':
        return 0x00FFFFFF;
    default:
        return 0x00000000;
    }
}

std::unique_ptr<Surface> surfaceFrom(PixelFormat format, const std::vector<std::string>& rows) {
    auto surface = std::make_unique<Surface>(static_cast<int>(rows[0].size()),
                                             static_cast<int>(rows.size()), format);
    for (int y = 0; y < surface->height(); ++y) {
        for (int x = 0; x < surface->width(); ++x) {
            const Rect pixel{x, y, x + 1, y + 1};
            const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            EXPECT_EQ(surface->fill(&pixel, surface->colorValue(colorOf(c))), kOk);
        }
    }
    return surface;
}

// The surface as text; '.' for a colour without a letter.
std::vector<std::string> rowsOf(const Surface& surface) {
    std::vector<std::string> rows;
    for (int y = 0; y < surface.height(); ++y) {
        std::string row;
        for (int x = 0; x < surface.width(); ++x) {
            const std::uint32_t value = valueAt(surface, x, y);
            char c = '.';
            for (const char letter : std::string("krgbwx")) {
                if (surface.colorValue(colorOf(letter)) == value) {
                    c = letter;
                    break;
                }
            }
            row += c;
        }
        rows.push_back(row);
    }
    return rows;
}

class SurfaceCopies : public ::testing::TestWithParam<PixelFormat> {};

INSTANTIATE_TEST_SUITE_P(EveryFormat, SurfaceCopies,
                         ::testing::Values(PixelFormat::Rgb16, PixelFormat::Rgb32,
                                           PixelFormat::Palette8));

TEST_P(SurfaceCopies, KeyedCopyLeavesTheKeyColoursPixelsUntouched) {
    auto sprite = surfaceFrom(GetParam(), {"krrk", "kgkb", "bbbb"});
    sprite->setColorKey(sprite->colorValue(colorOf('k')));
    auto target = surfaceFrom(GetParam(), {"wwwwww", "wwwwww", "wwwwww", "wwwwww"});

    ASSERT_EQ(target->copyFrom(1, 1, *sprite, sprite->rect(), true), kOk);

    EXPECT_EQ(rowsOf(*target), (std::vector<std::string>{"wwwwww", "wwrrww", "wwgwbw", "wbbbbw"}));
}

TEST_P(SurfaceCopies, KeyedCopyOfACellClippedAtTheSurfaceEdge) {
    auto sheet = surfaceFrom(GetParam(), {"rkrkgkgk", "rrkkggkk"});
    sheet->setColorKey(sheet->colorValue(colorOf('k')));
    auto target = surfaceFrom(GetParam(), {"www", "www"});

    // Cell 1 (columns 4..7), half of it beyond the right edge.
    ASSERT_EQ(target->copyFrom(1, 0, *sheet, {4, 0, 8, 2}, true), kOk);

    EXPECT_EQ(rowsOf(*target), (std::vector<std::string>{"wgw", "wgg"}));
}

TEST_P(SurfaceCopies, KeyedCopySeesPixelsPaintedAfterTheKeyWasSet) {
    auto sprite = surfaceFrom(GetParam(), {"kkkk"});
    sprite->setColorKey(sprite->colorValue(colorOf('k')));
    const Rect second{1, 0, 2, 1};
    ASSERT_EQ(sprite->fill(&second, sprite->colorValue(colorOf('b'))), kOk);
    auto target = surfaceFrom(GetParam(), {"wwww"});

    ASSERT_EQ(target->copyFrom(0, 0, *sprite, sprite->rect(), true), kOk);

    EXPECT_EQ(rowsOf(*target), (std::vector<std::string>{"wbww"}));
}

TEST_P(SurfaceCopies, StretchTakesTheNearestPixelAndSkipsTheKey) {
    auto sprite = surfaceFrom(GetParam(), {"rk", "gb"});
    sprite->setColorKey(sprite->colorValue(colorOf('k')));
    auto target = surfaceFrom(GetParam(), {"wwww", "wwww", "wwww", "wwww"});

    ASSERT_EQ(target->stretchFrom(nullptr, *sprite, nullptr, true), kOk);

    EXPECT_EQ(rowsOf(*target), (std::vector<std::string>{"rrww", "rrww", "ggbb", "ggbb"}));
}

TEST_P(SurfaceCopies, StretchShrinksAndStaysInsideTheClipper) {
    auto picture = surfaceFrom(GetParam(), {"rrgg", "rrgg", "bbww", "bbww"});
    auto target = surfaceFrom(GetParam(), {"kkk", "kkk"});
    auto clipper = std::make_shared<Clipper>();
    clipper->setClipList({{0, 0, 2, 2}});
    target->setClipper(clipper);

    const Rect destination{0, 0, 3, 2};
    ASSERT_EQ(target->stretchFrom(&destination, *picture, nullptr, false), kOk);

    EXPECT_EQ(rowsOf(*target), (std::vector<std::string>{"rgk", "bwk"}));
}

TEST(SurfaceCopy, RefusesSourcesThatAreEmptyOrOutside) {
    auto sprite = surfaceFrom(PixelFormat::Rgb16, {"rg", "bw"});
    auto target = surfaceFrom(PixelFormat::Rgb16, {"kk", "kk"});
    const Rect refused[] = {{0, 0, 0, 2}, {1, 0, 0, 2}, {0, 1, 2, 1}, {0, 0, 3, 2}, {-1, 0, 1, 1}};
    for (const Rect& source : refused) {
        SCOPED_TRACE(::testing::PrintToString(source));
        EXPECT_EQ(target->copyFrom(0, 0, *sprite, source, false), kInvalidRect);
    }
    EXPECT_EQ(rowsOf(*target), (std::vector<std::string>{"kk", "kk"}));

    // Wholly off the target: accepted, nothing to draw.
    EXPECT_EQ(target->copyFrom(5, 0, *sprite, sprite->rect(), false), kOk);
    EXPECT_EQ(rowsOf(*target), (std::vector<std::string>{"kk", "kk"}));
}

TEST(LostSurface, AnswersSurfaceLostUntilRestored) {
    auto sprite = surfaceFrom(PixelFormat::Rgb16, {"rg"});
    auto target = surfaceFrom(PixelFormat::Rgb16, {"kk"});
    sprite->simulateLost();

    EXPECT_EQ(target->copyFrom(0, 0, *sprite, sprite->rect(), false), kSurfaceLost);
    EXPECT_EQ(target->stretchFrom(nullptr, *sprite, nullptr, false), kSurfaceLost);
    EXPECT_EQ(sprite->fill(nullptr, 0), kSurfaceLost);
    EXPECT_EQ(sprite->paintTarget(), nullptr);
    std::uint32_t value = 0;
    EXPECT_EQ(sprite->readPixel(0, 0, value), kSurfaceLost);

    EXPECT_EQ(sprite->restore(), kOk);
    EXPECT_EQ(target->copyFrom(0, 0, *sprite, sprite->rect(), false), kOk);
}

} // namespace
} // namespace maporv
