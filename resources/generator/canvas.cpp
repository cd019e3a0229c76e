#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace maporv {

std::uint32_t rgbOf(Colour c) {
    static constexpr std::uint32_t table[kColourCount] = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    };
    return table[c];
}

Canvas::Canvas(int width, int height, Colour background)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background) {}

void Canvas::set(int x, int y, Colour c) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) {
        pixels_[index(x, y)] = c;
    }
}

void Canvas::fill(int x, int y, int w, int h, Colour c) {
    for (int row = y; row < y + h; ++row) {
        hline(x, x + w - 1, row, c);
    }
}

void Canvas::hline(int x0, int x1, int y, Colour c) {
    for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) {
        set(x, y, c);
    }
}

void Canvas::vline(int x, int y0, int y1, Colour c) {
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) {
        set(x, y, c);
    }
}

void Canvas::frame(int x, int y, int w, int h, Colour c, bool rounded) {
    const int inset = rounded ? 1 : 0;
    hline(x + inset, x + w - 1 - inset, y, c);
    hline(x + inset, x + w - 1 - inset, y + h - 1, c);
    vline(x, y + inset, y + h - 1 - inset, c);
    vline(x + w - 1, y + inset, y + h - 1 - inset, c);
}

void Canvas::plate(int x, int y, int w, int h, Colour fillColour, Colour border) {
    fill(x + 1, y + 1, w - 2, h - 2, fillColour);
    frame(x, y, w, h, border, true);
}

namespace {

// |num| / den rounded to the nearest integer, halves towards zero, keeping the sign.
int roundTowardStart(int num, int den) {
    const int q = (2 * std::abs(num) + den - 1) / (2 * den);
    return num < 0 ? -q : q;
}

} // namespace

void Canvas::line(int x0, int y0, int x1, int y1, Colour c) {
    const bool steep = std::abs(y1 - y0) >= std::abs(x1 - x0);
    // Walk the major axis from the smaller end; ties of the minor axis round
    // towards that end. Both make the result independent of the order of the ends.
    if (steep ? y0 > y1 : x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    if (x0 == x1 && y0 == y1) {
        set(x0, y0, c);
    } else if (steep) {
        for (int y = y0; y <= y1; ++y) {
            set(x0 + roundTowardStart((x1 - x0) * (y - y0), y1 - y0), y, c);
        }
    } else {
        for (int x = x0; x <= x1; ++x) {
            set(x, y0 + roundTowardStart((y1 - y0) * (x - x0), x1 - x0), c);
        }
    }
}

void Canvas::thickLine(Point a, Point b, double radius, Colour c, bool roundEnds) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    const int left = static_cast<int>(std::floor(std::min(a.x, b.x) - radius));
    const int right = static_cast<int>(std::ceil(std::max(a.x, b.x) + radius));
    const int top = static_cast<int>(std::floor(std::min(a.y, b.y) - radius));
    const int bottom = static_cast<int>(std::ceil(std::max(a.y, b.y) + radius));
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            double t = lengthSquared > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / lengthSquared : 0;
            if (!roundEnds && (t < -1e-9 || t > 1 + 1e-9)) {
                continue;
            }
            t = std::clamp(t, 0.0, 1.0);
            const double ex = a.x + t * dx - x;
            const double ey = a.y + t * dy - y;
            if (ex * ex + ey * ey <= radius * radius + 1e-9) {
                set(x, y, c);
            }
        }
    }
}

void Canvas::disc(Point centre, double radius, Colour c) {
    thickLine(centre, centre, radius, c);
}

void Canvas::fillPolygon(const std::vector<Point>& polygon, Colour c) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            bool inside = false;
            for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
                const Point& p = polygon[i];
                const Point& q = polygon[j];
                if ((p.y > y) != (q.y > y) && x < (q.x - p.x) * (y - p.y) / (q.y - p.y) + p.x) {
                    inside = !inside;
                }
            }
            if (inside) {
                set(x, y, c);
            }
        }
    }
}

void Canvas::art(int x, int y, std::initializer_list<std::string_view> rows,
                 std::string_view legend) {
    int row = 0;
    for (std::string_view text : rows) {
        for (std::size_t column = 0; column < text.size(); ++column) {
            const std::size_t colour = legend.find(text[column]);
            if (colour != std::string_view::npos) {
                set(x + static_cast<int>(column), y + row, static_cast<Colour>(colour));
            }
        }
        ++row;
    }
}

void Canvas::paste(const Canvas& source, int x, int y) {
    for (int row = 0; row < source.height(); ++row) {
        for (int column = 0; column < source.width(); ++column) {
            set(x + column, y + row, source.at(column, row));
        }
    }
}

void Canvas::pasteKeyed(const Canvas& source, int x, int y, Colour transparent) {
    for (int row = 0; row < source.height(); ++row) {
        for (int column = 0; column < source.width(); ++column) {
            if (source.at(column, row) != transparent) {
                set(x + column, y + row, source.at(column, row));
            }
        }
    }
}

namespace {

void put16(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, int value) {
    put16(out, value & 0xFFFF);
    put16(out, (value >> 16) & 0xFFFF);
}

} // namespace

std::vector<std::uint8_t> encodeBmp(const Canvas& canvas, int bitsPerPixel) {
    const int rowBytes = (canvas.width() * bitsPerPixel + 31) / 32 * 4;
    const int paletteBytes = kColourCount * 4;
    const int pixelOffset = 14 + 40 + paletteBytes;
    const int imageBytes = rowBytes * canvas.height();

    std::vector<std::uint8_t> out;
    out.reserve(static_cast<std::size_t>(pixelOffset + imageBytes));
    // File header.
    out.push_back('B');
    out.push_back('M');
    put32(out, pixelOffset + imageBytes);
    put32(out, 0);
    put32(out, pixelOffset);
    // Info header: positive height (bottom-up), no compression, 96 dpi, 16 colours used.
    put32(out, 40);
    put32(out, canvas.width());
    put32(out, canvas.height());
    put16(out, 1);
    put16(out, bitsPerPixel);
    put32(out, 0);
    put32(out, imageBytes);
    put32(out, 3780);
    put32(out, 3780);
    put32(out, kColourCount);
    put32(out, 0);
    for (int i = 0; i < kColourCount; ++i) {
        const std::uint32_t rgb = rgbOf(static_cast<Colour>(i));
        out.push_back(static_cast<std::uint8_t>(rgb & 0xFF));
        out.push_back(static_cast<std::uint8_t>((rgb >> 8) & 0xFF));
        out.push_back(static_cast<std::uint8_t>((rgb >> 16) & 0xFF));
        out.push_back(0);
    }
    for (int y = canvas.height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(rowBytes), 0);
        for (int x = 0; x < canvas.width(); ++x) {
            const std::uint8_t c = canvas.at(x, y);
            if (bitsPerPixel == 4) {
                row[static_cast<std::size_t>(x / 2)] |= (x % 2 == 0) ? c << 4 : c;
            } else {
                row[static_cast<std::size_t>(x)] = c;
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace maporv
