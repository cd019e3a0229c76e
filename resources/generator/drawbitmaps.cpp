// Draws the bitmaps of the map view, the terrain filter column, the browse glyph and
// the program icon. Usage: maporv-drawbitmaps OUTPUT_FOLDER writes
// OUTPUT_FOLDER/bitmaps/*.bmp and OUTPUT_FOLDER/icons/*.png;
// maporv-drawbitmaps --preview FOLDER writes enlarged PNG views of them to look at.
#include "canvas.h"
#include "pixelfont.h"
#include "terrainicons.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace maporv {

namespace {

// ---------------------------------------------------------------------------
// Hex geometry of the three hex sizes of the view. A hex of width w and height h
// has its corners at (cw, 0), (w - cw, 0), (w, hh), (w - cw, h), (cw, h), (0, hh).

struct HexShape {
    int width;
    int height;
    int cornerWidth;
    int halfHeight;
    // Size of a sprite cell. The full-size cells hold the far corners too; the
    // strategic ones stop one short, where the neighbouring hex draws the shared edge.
    int cellWidth;
    int cellHeight;
};

constexpr HexShape kFullHex{60, 50, 15, 25, 61, 51};
constexpr HexShape kStrategicHex{24, 16, 7, 8, 24, 16};
constexpr HexShape kSmallStrategicHex{18, 12, 5, 6, 18, 12};

struct IntPoint {
    int x;
    int y;
};

std::array<IntPoint, 6> hexCorners(const HexShape& s) {
    return {{{s.cornerWidth, 0},
             {s.width - s.cornerWidth, 0},
             {s.width, s.halfHeight},
             {s.width - s.cornerWidth, s.height},
             {s.cornerWidth, s.height},
             {0, s.halfHeight}}};
}

Point hexCentre(const HexShape& s) {
    return {s.width / 2.0, static_cast<double>(s.halfHeight)};
}

// Where road bit k leaves the hex: the middle of an edge for the six hex directions,
// the side corners for the two bits without a direction (E and W). Neighbouring hexes
// meet there, so their roads join.
Point roadEnd(const HexShape& s, int bit) {
    const double w = s.width;
    const double h = s.height;
    const double cw = s.cornerWidth;
    const double hh = s.halfHeight;
    switch (bit) {
    case 0:
        return {w / 2, 0};
    case 1:
        return {w - cw / 2, hh / 2};
    case 2:
        return {w, hh};
    case 3:
        return {w - cw / 2, (hh + h) / 2};
    case 4:
        return {w / 2, h};
    case 5:
        return {cw / 2, (hh + h) / 2};
    case 6:
        return {0, hh};
    default:
        return {cw / 2, hh / 2};
    }
}

constexpr bool isHexDirection(int bit) {
    return bit != 2 && bit != 6;
}

// One-pixel hex outline into a cell at (x, y). `inward` repeats every edge one pixel
// towards the middle, for the selection: the grid outlines of the hexes drawn after
// it cover the shared edges, and a strategic cell holds no bottom edge at all, but
// the inner ring stays.
void hexOutline(Canvas& canvas, int x, int y, const HexShape& s, Colour c, bool inward = false) {
    Canvas cell(s.cellWidth, s.cellHeight, White);
    const auto corners = hexCorners(s);
    // Inward shift of edge i: top down, right edges left, bottom up, left edges right.
    static constexpr IntPoint shift[6] = {{0, 1}, {-1, 0}, {-1, 0}, {0, -1}, {1, 0}, {1, 0}};
    for (int i = 0; i < 6; ++i) {
        const IntPoint a = corners[static_cast<std::size_t>(i)];
        const IntPoint b = corners[static_cast<std::size_t>((i + 1) % 6)];
        cell.line(a.x, a.y, b.x, b.y, c);
        if (inward) {
            const IntPoint d = shift[i];
            cell.line(a.x + d.x, a.y + d.y, b.x + d.x, b.y + d.y, c);
        }
    }
    canvas.pasteKeyed(cell, x, y, White);
}

struct RoadStyle {
    double radius; // 0: one-pixel line
    Colour colour;
    double crossSize; // half size of the red cross on E and W
    bool stopAtEdge;  // end square at the hex edge instead of reaching into the neighbour
};

// Road bit `bit` of a hex into a cell at (x, y).
void roadMark(Canvas& canvas, int x, int y, const HexShape& s, int bit, const RoadStyle& style) {
    Canvas cell(s.cellWidth, s.cellHeight, White);
    const Point from = hexCentre(s);
    const Point to = roadEnd(s, bit);
    // Two thirds of the way out, where E and W get crossed out.
    const Point m{from.x + (to.x - from.x) * 2 / 3, from.y};
    if (style.radius > 0) {
        if (style.stopAtEdge) {
            // Square at the edge; the disc rounds off the middle where roads meet.
            cell.thickLine(from, to, style.radius, style.colour, false);
            cell.disc(from, style.radius, style.colour);
        } else {
            cell.thickLine(from, to, style.radius, style.colour);
        }
        if (!isHexDirection(bit)) {
            const double r = style.crossSize;
            cell.thickLine({m.x - r, m.y - r}, {m.x + r, m.y + r}, 0.9, Red);
            cell.thickLine({m.x - r, m.y + r}, {m.x + r, m.y - r}, 0.9, Red);
        }
    } else {
        // Rounding the ends half up keeps them on the same pixel for both hexes.
        auto nearest = [](double v) { return static_cast<int>(std::floor(v + 0.5)); };
        cell.line(nearest(from.x), nearest(from.y), nearest(to.x), nearest(to.y), style.colour);
        if (!isHexDirection(bit)) {
            // A 3 x 3 cross that interrupts the line.
            const int mx = nearest(m.x);
            const int my = nearest(m.y);
            cell.set(mx - 1, my, White);
            cell.set(mx + 1, my, White);
            for (int d = -1; d <= 1; ++d) {
                cell.set(mx + d, my + d, Red);
                cell.set(mx + d, my - d, Red);
            }
        }
    }
    canvas.pasteKeyed(cell, x, y, White);
}

// ---------------------------------------------------------------------------
// Widgets of the panels.

// A raised button face; the highlight is white, which lets the background through.
void button(Canvas& canvas, int x, int y, int w, int h) {
    canvas.plate(x, y, w, h, Silver, Black);
    canvas.hline(x + 1, x + w - 3, y + 1, White);
    canvas.vline(x + 1, y + 1, y + h - 3, White);
    canvas.hline(x + 2, x + w - 2, y + h - 2, Grey);
    canvas.vline(x + w - 2, y + 2, y + h - 2, Grey);
}

void textButton(Canvas& canvas, int x, int y, int w, int h, std::string_view label) {
    button(canvas, x, y, w, h);
    drawTextCentred(canvas, x + w / 2, y + (h - kCapHeight) / 2, label, Black);
}

// A 16 x 16 button with a black triangle pointing left (dir -1) or right (dir 1).
void arrowButton(Canvas& canvas, int x, int y, int dir) {
    button(canvas, x, y, 16, 16);
    const int tip = dir < 0 ? x + 5 : x + 10;
    for (int i = 0; i < 5; ++i) {
        canvas.vline(tip - dir * i, y + 7 - i, y + 8 + i, Black);
    }
}

// A 16 x 16 button with a minus or a plus.
void signButton(Canvas& canvas, int x, int y, bool plus) {
    button(canvas, x, y, 16, 16);
    canvas.fill(x + 4, y + 7, 8, 2, Black);
    if (plus) {
        canvas.fill(x + 7, y + 4, 2, 8, Black);
    }
}

// A keyboard key with its letter, 11 x 11.
void keyCap(Canvas& canvas, int x, int y, char letter) {
    canvas.plate(x, y, 11, 11, Silver, Black);
    canvas.hline(x + 1, x + 9, y + 9, Grey);
    drawText(canvas, x + 3, y + 2, std::string(1, letter), Black);
}

// A framed group of the panel headed by a key and what the key does.
void groupBox(Canvas& canvas, int top, int bottom, char key, std::string_view caption) {
    canvas.frame(0, top, 115, bottom - top + 1, Black, true);
    keyCap(canvas, 4, top + 3, key);
    drawText(canvas, 19, top + 5, caption, Black);
}

void textField(Canvas& canvas, int left, int top, int right, int bottom) {
    canvas.fill(left, top, right - left, bottom - top, Cyan);
}

// ---------------------------------------------------------------------------
// The bitmaps.

struct Bitmap {
    std::string name;
    Canvas canvas;
    int bitsPerPixel;
};

// 160: the panel right of the map that shows and edits what the keys set.
// The hot spots and text boxes of the program are fixed; everything is drawn on them.
Canvas drawRightMenu() {
    Canvas panel(116, 369, White);

    // Heading: a hot spot of its own at (1, 1) 112 x 27.
    panel.plate(0, 0, 115, 29, Silver, Black);
    drawTextCentred(panel, 57, 5, "Select hexes, then", Black);
    drawTextCentred(panel, 57, 16, "press T, R or N", Black);

    groupBox(panel, 32, 110, 'T', "to set terrain");
    drawText(panel, 5, 48, "Terrain:", Black);
    textField(panel, 2, 59, 113, 76);
    signButton(panel, 5, 88, false);
    signButton(panel, 25, 88, true);
    drawText(panel, 46, 92, "Change type", Black);

    groupBox(panel, 113, 262, 'R', "to set road");
    // The big road marks are drawn at the hexagon's box (26, 168).
    hexOutline(panel, 26, 168, kFullHex, Black);
    panel.set(56, 193, Grey);
    struct RoadButton {
        int x;
        int y;
        const char* label;
    };
    static constexpr RoadButton roads[] = {{49, 147, "N"}, {84, 162, "NE"}, {84, 207, "SE"},
                                           {49, 222, "S"}, {15, 207, "SW"}, {15, 162, "NW"}};
    for (const RoadButton& r : roads) {
        textButton(panel, r.x, r.y, 16, 16, r.label);
    }
    textField(panel, 27, 242, 86, 258);

    drawTextCentred(panel, 57, 266, "Key D = T + R", Black);

    groupBox(panel, 277, 364, 'N', "to set name");
    drawText(panel, 5, 303, "Name:", Black);
    textField(panel, 2, 315, 113, 332);
    arrowButton(panel, 5, 341, -1);
    textButton(panel, 27, 340, 28, 18, "Add");
    textButton(panel, 60, 340, 28, 18, "Edit");
    arrowButton(panel, 95, 341, 1);
    return panel;
}

// Glyphs of the five toggles, drawn in a 16 x 16 square.
void toggleGlyph(Canvas& canvas, int x, int y, int index) {
    switch (index) {
    case 0: { // grid: a hex with the edges of its neighbours
        const HexShape s{12, 10, 3, 5, 13, 11};
        hexOutline(canvas, x + 2, y + 3, s, Black);
        canvas.hline(x, x + 1, y + 8, Black);
        canvas.hline(x + 15, x + 15, y + 8, Black);
        canvas.line(x + 5, y + 3, x + 3, y, Black);
        canvas.line(x + 11, y + 3, x + 13, y, Black);
        canvas.line(x + 5, y + 13, x + 3, y + 16, Black);
        canvas.line(x + 11, y + 13, x + 13, y + 16, Black);
        break;
    }
    case 1: { // zoom: a magnifying glass
        const Point lens{x + 6.5, y + 6.5};
        canvas.disc(lens, 5.6, Black);
        canvas.disc(lens, 3.9, Cyan);
        canvas.set(x + 5, y + 4, White);
        canvas.set(x + 4, y + 5, White);
        canvas.set(x + 4, y + 4, White);
        canvas.thickLine({x + 11.0, y + 11.0}, {x + 14.5, y + 14.5}, 1.5, Maroon);
        break;
    }
    case 2: // terrain: sun, mountain, tree and grass
        // clang-format off
        canvas.art(x, y, {
            "................",
            "............yy..",
            "...........yyyy.",
            "...........yyyy.",
            "....k.......yy..",
            "...kwk..........",
            "..kwwdk.........",
            "..kwddk.....g...",
            ".kddddk....ggg..",
            ".kdddddk..ggggg.",
            "kddddddk...ggg..",
            "kdddddddk.ggggg.",
            "ggggggggggggmggg",
            "gglggggglggglggg",
            "gggggggggggggggg"});
        // clang-format on
        break;
    case 3: // roads: arrows in four directions
        // clang-format off
        canvas.art(x, y, {
            ".......kk.......",
            "......kkkk......",
            ".....kkkkkk.....",
            ".......kk.......",
            ".......kk.......",
            "..k....kk....k..",
            ".kk....kk....kk.",
            "kkkkkkkkkkkkkkkk",
            "kkkkkkkkkkkkkkkk",
            ".kk....kk....kk.",
            "..k....kk....k..",
            ".......kk.......",
            ".......kk.......",
            ".....kkkkkk.....",
            "......kkkk......",
            ".......kk......."});
        // clang-format on
        break;
    default: // names: a bold N
        canvas.fill(x + 3, y + 2, 3, 12, Black);
        canvas.fill(x + 10, y + 2, 3, 12, Black);
        canvas.thickLine({x + 4.5, y + 2.5}, {x + 11.5, y + 13.5}, 1.3, Black);
        break;
    }
}

// 153: the five view toggles, released in the upper half, pressed in the lower.
Canvas drawButtonBar() {
    Canvas bar(135, 48, Magenta);
    for (int i = 0; i < 5; ++i) {
        const int x = i * 27;
        // Released: raised grey face.
        bar.plate(x, 0, 24, 24, Silver, Black);
        bar.hline(x + 1, x + 21, 1, White);
        bar.vline(x + 1, 1, 21, White);
        bar.hline(x + 2, x + 22, 22, Grey);
        bar.vline(x + 22, 2, 22, Grey);
        toggleGlyph(bar, x + 4, 4, i);
        // Pressed: sunken green face, glyph moved down and right.
        bar.plate(x, 24, 24, 24, Lime, Black);
        bar.hline(x + 1, x + 22, 25, Green);
        bar.vline(x + 1, 25, 46, Green);
        toggleGlyph(bar, x + 5, 29, i);
    }
    return bar;
}

// 159: the road box under the panel; the program writes the road word at (48, 3)
// and draws the big road marks at the hexagon's box (28, 28).
Canvas drawRoadBox() {
    Canvas box(115, 94, White);
    box.frame(0, 0, 115, 94, Black, true);
    drawText(box, 6, 6, "ROAD:", Black, true);
    box.hline(1, 113, 22, Black);
    hexOutline(box, 28, 28, kFullHex, Black);
    box.set(58, 53, Grey);
    return box;
}

// 142: the big road marks of the panel and the road box.
Canvas drawBigRoadMarks() {
    Canvas sheet(489, 52, White);
    const RoadStyle style{2.2, Black, 4.5, true};
    for (int bit = 0; bit < 8; ++bit) {
        roadMark(sheet, bit * 61, 0, kFullHex, bit, style);
    }
    return sheet;
}

// 139: road marks over the map, one strip per hex size.
Canvas drawRoadMarks() {
    Canvas sheet(489, 81, White);
    const RoadStyle full{1.1, Black, 3.5, false};
    const RoadStyle strategic{0, Black, 1, false};
    for (int bit = 0; bit < 8; ++bit) {
        roadMark(sheet, bit * 61, 0, kFullHex, bit, full);
        roadMark(sheet, bit * 24, 51, kStrategicHex, bit, strategic);
        roadMark(sheet, bit * 18, 67, kSmallStrategicHex, bit, strategic);
    }
    return sheet;
}

// 133: hex outlines, cell 0 the selection (red), cell 1 the grid.
Canvas drawHexOutlines() {
    Canvas sheet(123, 80, White);
    hexOutline(sheet, 0, 0, kFullHex, Red, true);
    hexOutline(sheet, 61, 0, kFullHex, Black);
    hexOutline(sheet, 0, 51, kStrategicHex, Red, true);
    hexOutline(sheet, 24, 51, kStrategicHex, Grey);
    hexOutline(sheet, 0, 67, kSmallStrategicHex, Red, true);
    hexOutline(sheet, 18, 67, kSmallStrategicHex, Grey);
    return sheet;
}

// 144: terrain icons 0..19 and the named-hex marker, over silver.
Canvas drawTerrainIcons() {
    Canvas sheet(337, 11, Silver);
    for (int i = 0; i <= kNamedHexIcon; ++i) {
        drawTerrainIcon(sheet, i * kIconWidth, 0, i);
    }
    return sheet;
}

struct LabelStyle {
    const char* text;
    Colour plate;
    Colour ink;
};

// 162: terrain labels, one under the other, over magenta.
Canvas drawTerrainLabels() {
    static constexpr LabelStyle labels[kTerrainCount] = {
        {"Clear", White, Black},      {"City", Grey, White},      {"Airfield", Silver, Black},
        {"Forest", Green, White},     {"Jungle", Green, Yellow},  {"Hill", Olive, White},
        {"Mountain", Maroon, White},  {"Sand", Yellow, Black},    {"Swamp", Teal, White},
        {"Ocean", Navy, White},       {"River", Blue, White},     {"Fortific.", Purple, White},
        {"Port", Navy, Yellow},       {"Stream", Cyan, Navy},     {"Escarpm.", Maroon, Yellow},
        {"Impas. Riv", Red, White},   {"Rough", Olive, Yellow},   {"Lake", Blue, Cyan},
        {"Rice Fields", Lime, Black}, {"Lake reg.", Cyan, Black},
    };
    Canvas sheet(58, 381, Magenta);
    for (int t = 0; t < kTerrainCount; ++t) {
        const int top = t * 19;
        sheet.plate(2, top + 2, 56, 15, labels[t].plate, Black);
        // The program hangs the label below the hex centre, 30 pixels from its left.
        drawTextCentred(sheet, 30, top + 6, labels[t].text, labels[t].ink);
    }
    return sheet;
}

// 151: the column of the terrain filter dialog: code, name and icon of each terrain,
// each row centred on its check box. The dialog shows it in a rectangle of 78 x 235
// dialog units at y 29; this image is drawn for a 13-pixel dialog font.
Canvas drawTerrainFilterColumn() {
    static constexpr const char* names[kTerrainCount] = {
        "Clear",  "City",   "Airfield",    "Forest",
        "Jungle", "Hill",   "Mountain",    "Sand",
        "Swamp",  "Ocean",  "River",       "Fortification",
        "Port",   "Stream", "Escarpment",  "Impassable River",
        "Rough",  "Lake",   "Rice Fields", "Lake region",
    };
    // Check box tops in dialog units; the boxes are 10 units high.
    static constexpr int boxTop[kTerrainCount] = {27,  40,  51,  63,  75,  87,  98,  109, 121, 133,
                                                  144, 156, 168, 179, 191, 203, 214, 226, 238, 250};
    constexpr int width = 127;
    constexpr int height = 382;
    constexpr double pixelsPerUnit = height / 235.0;
    Canvas column(width, height, White);
    for (int t = 0; t < kTerrainCount; ++t) {
        const double centre = (boxTop[t] + 5 - 29) * pixelsPerUnit;
        const int middle = static_cast<int>(std::floor(centre + 0.5));
        char code[4];
        std::snprintf(code, sizeof code, "%02d", t);
        drawText(column, 2, middle - 3, code, Black);
        drawText(column, 15, middle - 3, names[t], Black);
        if (t != 0) {
            drawTerrainIcon(column, width - kIconWidth - 1, std::max(0, middle - 5), t);
        }
    }
    return column;
}

// IDB_GETFILE / IDB_GETFILEU: the browse glyph, a folder with an ellipsis, over silver.
Canvas drawBrowseGlyph() {
    Canvas glyph(22, 22, Silver);
    // clang-format off
    glyph.art(2, 3, {
        ".kkkkk............",
        "kyyyyyk...........",
        "kyyyyyykkkkkkkkkk.",
        "kywwwwwwwwwwwwwwyk",
        "kwyyyyyyyyyyyyyyok",
        "kwyyyyyyyyyyyyyyok",
        "kwyyyyyyyyyyyyyyok",
        "kwyyyyyyyyyyyyyyok",
        "kwyyyyyyyyyyyyyyok",
        "kwyyyyyyyyyyyyyyok",
        "kwyyyyyyyyyyyyyyok",
        "kwyyyyyyyyyyyyyyok",
        "kooooooooooooooook",
        ".kkkkkkkkkkkkkkkk."});
    // clang-format on
    for (int i = 0; i < 3; ++i) {
        glyph.fill(6 + 4 * i, 18, 2, 2, Black);
    }
    return glyph;
}

std::vector<Bitmap> drawAllBitmaps() {
    std::vector<Bitmap> all;
    all.push_back({"160", drawRightMenu(), 4});
    all.push_back({"153", drawButtonBar(), 4});
    all.push_back({"159", drawRoadBox(), 4});
    all.push_back({"142", drawBigRoadMarks(), 8});
    all.push_back({"139", drawRoadMarks(), 8});
    all.push_back({"133", drawHexOutlines(), 4});
    all.push_back({"144", drawTerrainIcons(), 4});
    all.push_back({"162", drawTerrainLabels(), 4});
    all.push_back({"151", drawTerrainFilterColumn(), 4});
    all.push_back({"IDB_GETFILEU", drawBrowseGlyph(), 4});
    all.push_back({"IDB_GETFILE", drawBrowseGlyph(), 4});
    return all;
}

// ---------------------------------------------------------------------------
// The program icon: three hexes of a map (water, open ground, forest) with a road.
// Drawn from distances at 8 x 8 samples per pixel and averaged, so that every size
// is smooth yet the same on every machine.

struct Rgba {
    double r, g, b, a;
};

// Signed distance from p into the hex of box (bx, by) in the 60 x 50 layout
// (positive inside).
double hexInside(Point p, double bx, double by) {
    const auto corners = hexCorners(kFullHex);
    double inside = 1e9;
    for (int i = 0; i < 6; ++i) {
        const IntPoint a = corners[static_cast<std::size_t>(i)];
        const IntPoint b = corners[static_cast<std::size_t>((i + 1) % 6)];
        const double ex = b.x - a.x;
        const double ey = b.y - a.y;
        const double length = std::sqrt(ex * ex + ey * ey);
        // Corners run clockwise on screen (y down), so the inside is to the right of
        // each edge.
        const double d = ((p.x - bx - a.x) * -ey + (p.y - by - a.y) * ex) / length;
        inside = std::min(inside, d);
    }
    return inside;
}

double segmentDistance(Point p, Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double t =
        std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y);
}

// Colour at point p of the icon's layout; `detail` adds the waves, trees and road
// that would only blur the smallest size.
Rgba iconSample(Point p, double outline, bool detail) {
    struct Tile {
        double x, y;
        Rgba colour;
    };
    static constexpr Tile tiles[3] = {
        {0, 0, {0.23, 0.49, 0.84, 1}},   // water
        {0, 50, {0.89, 0.78, 0.42, 1}},  // open ground
        {45, 25, {0.25, 0.60, 0.24, 1}}, // forest
    };
    static constexpr Rgba ink{0.10, 0.14, 0.20, 1};
    static constexpr Rgba road{0.72, 0.20, 0.15, 1};
    static constexpr Rgba foam{0.85, 0.93, 1.0, 1};
    static constexpr Rgba fir{0.10, 0.36, 0.12, 1};
    for (const Tile& t : tiles) {
        const double d = hexInside(p, t.x, t.y);
        if (d < -outline / 2) {
            continue;
        }
        if (d < outline / 2) {
            return ink;
        }
        if (!detail) {
            return t.colour;
        }
        if (segmentDistance(p, {26, 80}, {66, 58}) < 3.6) {
            return road;
        }
        if (t.x == 0 && t.y == 0) {
            for (double wy : {18.0, 32.0}) {
                const double wave = wy + 3 * std::sin((p.x - 12) / 6.0);
                if (std::abs(p.y - wave) < 1.8 && p.x > 14 && p.x < 46) {
                    return foam;
                }
            }
        }
        if (t.x == 45) {
            for (const Point top : {Point{72, 33}, Point{87, 43}}) {
                if (p.y > top.y && p.y < top.y + 18 &&
                    std::abs(p.x - top.x) < (p.y - top.y) * 0.4) {
                    return fir;
                }
            }
        }
        return t.colour;
    }
    return {0, 0, 0, 0};
}

QImage drawProgramIcon(int size) {
    constexpr int samples = 8;
    // The three hexes span 105 x 100 units; leave a margin of 4 units.
    constexpr double span = 113;
    const double outline = std::max(5.0, 1.3 * span / size);
    QImage image(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgba sum{0, 0, 0, 0};
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Point p{(x + (sx + 0.5) / samples) * span / size - 4,
                                  (y + (sy + 0.5) / samples) * span / size - 6.5};
                    const Rgba c = iconSample(p, outline, size >= 24);
                    sum.r += c.r * c.a;
                    sum.g += c.g * c.a;
                    sum.b += c.b * c.a;
                    sum.a += c.a;
                }
            }
            auto channel = [](double v) { return static_cast<int>(std::lround(v * 255)); };
            if (sum.a == 0) {
                image.setPixel(x, y, 0);
            } else {
                image.setPixel(x, y,
                               qRgba(channel(sum.r / sum.a), channel(sum.g / sum.a),
                                     channel(sum.b / sum.a), channel(sum.a / (samples * samples))));
            }
        }
    }
    return image;
}

// The sizes of the icon theme's usual folders; the window takes them all.
constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// ---------------------------------------------------------------------------
// Output.

QImage toImage(const Canvas& canvas) {
    QImage image(canvas.width(), canvas.height(), QImage::Format_RGB32);
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            image.setPixel(x, y, 0xFF000000u | rgbOf(canvas.at(x, y)));
        }
    }
    return image;
}

bool writeFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    return file.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

int writeAll(const QString& folder) {
    QDir root(folder);
    if (!root.mkpath("bitmaps") || !root.mkpath("icons")) {
        std::fprintf(stderr, "cannot create folders in %s\n", qPrintable(folder));
        return 1;
    }
    for (const Bitmap& b : drawAllBitmaps()) {
        const QString path = root.filePath("bitmaps/" + QString::fromStdString(b.name) + ".bmp");
        if (!writeFile(path, encodeBmp(b.canvas, b.bitsPerPixel))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    for (int size : kIconSizes) {
        const QString path = root.filePath(QString("icons/maporv-%1.png").arg(size));
        if (!drawProgramIcon(size).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

// Enlarged views, each pixel a square, on a mid grey so the key colours stand out.
int writePreviews(const QString& folder) {
    QDir().mkpath(folder);
    for (const Bitmap& b : drawAllBitmaps()) {
        const QImage image = toImage(b.canvas);
        const int scale = std::max(2, std::min(2000 / image.width(), 1400 / image.height()));
        const QImage big =
            image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        big.save(QDir(folder).filePath(QString::fromStdString(b.name) + ".png"));
    }
    for (int size : kIconSizes) {
        const QImage icon = drawProgramIcon(size);
        QImage big(256 * 2, 256 * 2, QImage::Format_ARGB32);
        big.fill(QColor(120, 120, 120));
        QPainter painter(&big);
        painter.drawImage(QRect(0, 0, big.width(), big.height()), icon);
        painter.end();
        big.save(QDir(folder).filePath(QString("icon-%1.png").arg(size)));
    }
    return 0;
}

} // namespace

} // namespace maporv

int main(int argc, char** argv) {
    if (argc == 2) {
        return maporv::writeAll(QString::fromLocal8Bit(argv[1]));
    }
    if (argc == 3 && std::string(argv[1]) == "--preview") {
        return maporv::writePreviews(QString::fromLocal8Bit(argv[2]));
    }
    std::fprintf(stderr, "usage: maporv-drawbitmaps OUTPUT_FOLDER\n"
                         "       maporv-drawbitmaps --preview FOLDER\n");
    return 2;
}
