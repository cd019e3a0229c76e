#pragma once

#include "mapdata/hexdirection.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace maporv {

class MapPicture;

// What the generated pictures are painted with: colours kept as ints while painting, so
// that blending never clips midway, points in picture pixels, and the pixels near a
// line. Integer and plain double arithmetic only, so the same scene paints the same
// bytes on every machine.
struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

// a + (b - a) * t / 256.
inline Rgb mix(Rgb a, Rgb b, int t) {
    return {a.r + (b.r - a.r) * t / 256, a.g + (b.g - a.g) * t / 256, a.b + (b.b - a.b) * t / 256};
}

// Brightness scaled by f / 256.
inline Rgb scale(Rgb c, int f) {
    return {c.r * f / 256, c.g * f / 256, c.b * f / 256};
}

inline Rgb add(Rgb c, int d) {
    return {c.r + d, c.g + d, c.b + d};
}

// Paints colour over pixel with alpha / 256 of its strength (all of it from 256 on).
inline void blendInto(Rgb& pixel, Rgb colour, int alpha) {
    if (alpha > 0) {
        pixel = alpha >= 256 ? colour : mix(pixel, colour, alpha);
    }
}

// Paints colour over the pixel (x, y) of a width x height picture, stored row by row
// from the top, as blendInto does; a pixel outside the picture is left alone.
inline void blend(std::vector<Rgb>& pixels, int width, int height, int x, int y, Rgb colour,
                  int alpha) {
    if (x >= 0 && y >= 0 && x < width && y < height) {
        blendInto(pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                         static_cast<std::size_t>(x)],
                  colour, alpha);
    }
}

struct Point {
    double x = 0.0;
    double y = 0.0;
};

// The centre of a hex's bounding box in picture pixels at full size.
Point hexCentre(HexCoord hex);

// Calls near(x, y, distance) for every pixel of a width x height picture within reach
// of the segment from a to b, with its distance to the segment.
template <typename Near>
void forPixelsNearSegment(Point a, Point b, double reach, int width, int height, Near near) {
    const int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - reach));
    const int x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + reach));
    const int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - reach));
    const int y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + reach));
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    for (int y = std::max(y0, 0); y <= std::min(y1, height - 1); ++y) {
        for (int x = std::max(x0, 0); x <= std::min(x1, width - 1); ++x) {
            const double px = x - a.x;
            const double py = y - a.y;
            double t = length2 > 0 ? (px * dx + py * dy) / length2 : 0;
            t = std::clamp(t, 0.0, 1.0);
            const double ex = px - t * dx;
            const double ey = py - t * dy;
            near(x, y, std::sqrt(ex * ex + ey * ey));
        }
    }
}

// The hex the editor's full-size grid picks for every pixel, row by row, as row x 45 +
// column of the cell grid; -1 off the grid.
std::vector<std::int16_t> hexOfEveryPixel(int width, int height);

// Whether the pixel (x, y) lies on a border between hexes: the pixel to its right or
// below it belongs to another hex (hexes as hexOfEveryPixel gives them).
inline bool onHexBorder(const std::vector<std::int16_t>& hexes, int width, int height, int x,
                        int y) {
    const auto at = [width](int px, int py) {
        return static_cast<std::size_t>(py) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(px);
    };
    const std::int16_t hex = hexes[at(x, y)];
    return (x + 1 < width && hexes[at(x + 1, y)] != hex) ||
           (y + 1 < height && hexes[at(x, y + 1)] != hex);
}

// Begins the picture at width x height and stores the pixels (row by row from the
// top), each channel clamped to a byte; the pixels land in the shared picture buffer.
void storePixels(const std::vector<Rgb>& pixels, int width, int height, MapPicture& picture);

} // namespace maporv
