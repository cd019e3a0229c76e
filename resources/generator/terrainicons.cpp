#include "terrainicons.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string_view>

namespace maporv {

namespace {

// Every terrain icon is a tile: a black frame with open corners around 14 x 9 pixels
// of picture, so that it reads on any part of the map picture. Silver is the
// transparent colour of the icon sheet and appears in no picture.
constexpr int kInnerWidth = kIconWidth - 2;
constexpr int kInnerHeight = kIconHeight - 2;

using Art = std::initializer_list<std::string_view>;

void picture(Canvas& canvas, int x, int y, Art rows) {
    if (rows.size() != static_cast<std::size_t>(kInnerHeight)) {
        std::fprintf(stderr, "terrain icon: %zu rows\n", rows.size());
        std::abort();
    }
    for (std::string_view row : rows) {
        if (row.size() != static_cast<std::size_t>(kInnerWidth) ||
            row.find('s') != std::string_view::npos) {
            std::fprintf(stderr, "terrain icon: bad row \"%.*s\"\n", static_cast<int>(row.size()),
                         row.data());
            std::abort();
        }
    }
    canvas.art(x + 1, y + 1, rows);
}

// A winding band across the tile: the top row of the band in each column.
constexpr std::array<int, kInnerWidth> kRiverTop = {1, 1, 2, 2, 3, 4, 4, 4, 3, 3, 3, 4, 5, 5};
constexpr std::array<int, kInnerWidth> kStreamRow = {5, 4, 3, 3, 4, 5, 5, 4, 3, 3, 4, 5, 5, 4};

void river(Canvas& canvas, int x, int y, Colour bank) {
    canvas.fill(x + 1, y + 1, kInnerWidth, kInnerHeight, Lime);
    for (int c = 0; c < kInnerWidth; ++c) {
        const int top = y + 1 + kRiverTop[static_cast<std::size_t>(c)];
        canvas.vline(x + 1 + c, top, top + 2, Blue);
        canvas.set(x + 1 + c, top + 1, c % 4 == 1 ? Cyan : Blue);
        if (bank != Blue) {
            canvas.set(x + 1 + c, top - 1, bank);
            canvas.set(x + 1 + c, top + 3, bank);
        }
    }
}

void stream(Canvas& canvas, int x, int y) {
    canvas.fill(x + 1, y + 1, kInnerWidth, kInnerHeight, Lime);
    for (int c = 0; c < kInnerWidth; ++c) {
        canvas.set(x + 1 + c, y + 1 + kStreamRow[static_cast<std::size_t>(c)], Blue);
    }
}

// A bold yellow N with a black rim, for the named hexes.
void namedHexMarker(Canvas& canvas, int x, int y) {
    static constexpr std::string_view letter[] = {
        "yy...yy", "yyy..yy", "yyy..yy", "yy.y.yy", "yy.y.yy",
        "yy.y.yy", "yy..yyy", "yy..yyy", "yy...yy",
    };
    const int left = x + 4;
    const int top = y + 1;
    auto ink = [&](int c, int r) {
        return r >= 0 && r < 9 && c >= 0 && c < 7 && letter[r][static_cast<std::size_t>(c)] == 'y';
    };
    for (int r = -1; r <= 9; ++r) {
        for (int c = -1; c <= 7; ++c) {
            if (ink(c, r)) {
                canvas.set(left + c, top + r, Yellow);
                continue;
            }
            for (int dr = -1; dr <= 1; ++dr) {
                for (int dc = -1; dc <= 1; ++dc) {
                    if (ink(c + dc, r + dr)) {
                        canvas.set(left + c, top + r, Black);
                    }
                }
            }
        }
    }
}

} // namespace

void drawTerrainIcon(Canvas& canvas, int x, int y, int index) {
    if (index == kNamedHexIcon) {
        namedHexMarker(canvas, x, y);
        return;
    }
    canvas.frame(x, y, kIconWidth, kIconHeight, Black, true);
    // clang-format off
    switch (index) {
    case 0: // Clear: open grass
        picture(canvas, x, y, {
            "llllllllllllll",
            "llllllllglglll",
            "lglglllllgllll",
            "llglllllllllll",
            "llllllllllllll",
            "llllglglllllll",
            "lllllglllglgll",
            "llllllllllglll",
            "llllllllllllll"});
        break;
    case 1: // City: house, tower block and offices against the sky
        picture(canvas, x, y, {
            "cccccccccccccc",
            "cccccdddddcccc",
            "cccccdydydcccc",
            "ccmccdddddcccc",
            "cmmmcdydydnnnn",
            "mmmmmdddddnyny",
            "wwwwwdydydnnnn",
            "wnwnwdddddnyny",
            "wwwwwdydydnnnn"});
        break;
    case 2: // Airfield: an aircraft seen from above
        picture(canvas, x, y, {
            "wwwwnnwwwwwwww",
            "wwwwwnnwwwwwww",
            "wnwwwwnnwwwwww",
            "wnnwwwwnnwwwww",
            "wnnnnnnnnnnnnw",
            "wnnwwwwnnwwwww",
            "wnwwwwnnwwwwww",
            "wwwwwnnwwwwwww",
            "wwwwnnwwwwwwww"});
        break;
    case 3: // Forest: firs
        picture(canvas, x, y, {
            "lllllllgllllll",
            "llllllggglllll",
            "lllllggggglgll",
            "llglllggglgggl",
            "lggglggggggggg",
            "gggggllmllgggl",
            "lggglllllggggg",
            "gggggllllllmll",
            "llmlllllllllll"});
        break;
    case 4: // Jungle: palms in dense green
        picture(canvas, x, y, {
            "glllglllgggggg",
            "lgglllgglggggg",
            "ggglmlgggggggg",
            "ggggmgggllgllg",
            "ggggmgglglmlgl",
            "gggmggggggmggg",
            "gggmggggggmggg",
            "gggmgggggggmgg",
            "ggmmgggggggmgg"});
        break;
    case 5: // Hill: rounded mounds
        picture(canvas, x, y, {
            "cccccccccccccc",
            "cccccccccccccc",
            "cccyoooccccccc",
            "ccyooooocccccc",
            "cyoooooooccccc",
            "yooooooooocyoc",
            "ooooooooooyooo",
            "gggggggggggggg",
            "gggggggggggggg"});
        break;
    case 6: // Mountain: snow-capped peaks
        picture(canvas, x, y, {
            "ccccwccccccccc",
            "cccwwwcccccccc",
            "ccdddkkcccwccc",
            "cddddkkkcwwwcc",
            "dddddkkkkddkkc",
            "dddddkkkkkdkkk",
            "dddddkkkkkkkkk",
            "dddddkkkkkkkkk",
            "dddddkkkkkkkkk"});
        break;
    case 7: // Sand: dunes
        picture(canvas, x, y, {
            "yyyyyyyyyyyyyy",
            "yyooyyyyyyyyyy",
            "yoyyoyyyyoooyy",
            "yyyyyoyyoyyyoy",
            "yyyyyyooyyyyyy",
            "yyyyyyyyyyyyyy",
            "yyyoooyyyyyooy",
            "yyoyyyoyyyoyyo",
            "yoyyyyyooyyyyy"});
        break;
    case 8: // Swamp: reeds in shallow water
        picture(canvas, x, y, {
            "tttttttttttttt",
            "tltltltttttttt",
            "ttlllttttttttt",
            "tcccccttttcctt",
            "ttttttttltltlt",
            "tttttttttllltt",
            "ttcctttcccccct",
            "tttttttttttttt",
            "tccccttttccctt"});
        break;
    case 9: // Ocean: waves on deep water
        picture(canvas, x, y, {
            "nnnnnnnnnnnnnn",
            "nccnnnnnccnnnn",
            "cnnccnncnnccnn",
            "nnnnnnnnnnnnnn",
            "nnnnccnnnnnccn",
            "nnncnnccnncnnc",
            "nnnnnnnnnnnnnn",
            "nccnnnnnccnnnn",
            "cnnccnncnnccnn"});
        break;
    case 10: // River: a wide winding band
        river(canvas, x, y, Blue);
        break;
    case 11: // Fortification: a fort with towers
        picture(canvas, x, y, {
            "wdwdwwwwwwdwdw",
            "wdddwwwwwwdddw",
            "wddddwdwdwdddw",
            "wddddddddddddw",
            "wdkddddddddkdw",
            "wddddddddddddw",
            "wddddddkkddddw",
            "wdddddkkkkdddw",
            "gggggggkkggggg"});
        break;
    case 12: // Port: an anchor above the quay water
        picture(canvas, x, y, {
            "cccccnnncccccc",
            "cccccncncccccc",
            "cccnnnnnnncccc",
            "ccccccnccccccc",
            "ccccccnccccccc",
            "ccnccncccncccc",
            "ccnncccccnnccc",
            "ccccnnnnnccccc",
            "bbbbbbbbbbbbbb"});
        break;
    case 13: // Stream: a thin winding line
        stream(canvas, x, y);
        break;
    case 14: // Escarpment: a rock face between high and low ground
        picture(canvas, x, y, {
            "llllllllllllll",
            "llllllllllllll",
            "lllkkllllllkkl",
            "kkkmmkkkkkkmmk",
            "mkmmmkmmkmmmkm",
            "mmkmmmmkmmkmmm",
            "mkmmkmmmmkmmkm",
            "gggggggggggggg",
            "gggggggggggggg"});
        break;
    case 15: // Impassable river: the band between red banks
        river(canvas, x, y, Red);
        break;
    case 16: // Rough: broken ground and boulders
        picture(canvas, x, y, {
            "oooooooooooooo",
            "oowdoooooooooo",
            "owddkoooowdooo",
            "ookkoooowdddko",
            "oooooooooookko",
            "oooowdooooooyo",
            "ooowddkoooyooo",
            "oyookkoooooooo",
            "oooooooooooooo"});
        break;
    case 17: // Lake: open water amid land
        picture(canvas, x, y, {
            "llllllllllllll",
            "llllbbbbbbllll",
            "llbbbbbbbbbbll",
            "lbbcccbbbbbbbl",
            "lbbbbbbbbbbbbl",
            "lbbbbbbbbbccbl",
            "llbbbbbbbbbbll",
            "llllbbbbbbllll",
            "llllllllllllll"});
        break;
    case 18: // Rice fields: flooded plots with rows of shoots
        picture(canvas, x, y, {
            "oooooooooooooo",
            "ocgcocgcgocgco",
            "occcoccccoccco",
            "ocgcocgcgocgco",
            "oooooooooooooo",
            "ocgcgcogcgcgco",
            "occcccocccccco",
            "ocgcgcogcgcgco",
            "oooooooooooooo"});
        break;
    case 19: // Lake region: many small lakes
        picture(canvas, x, y, {
            "llllllllllllll",
            "llbbllllllbbbl",
            "lbbbblllbbbbbl",
            "llbbllllllbbbl",
            "llllllllllllll",
            "lllllbbbllllll",
            "llllbbbbbllbbl",
            "lllllbbbllbbll",
            "llllllllllllll"});
        break;
    default:
        std::fprintf(stderr, "no terrain icon %d\n", index);
        std::abort();
    }
    // clang-format on
}

} // namespace maporv
