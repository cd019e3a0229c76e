#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace maporv {

// The 16 standard colours, in the order of a 4-bit BMP palette. The view's bitmaps
// use nothing else, so their pixels are palette indices.
enum Colour : std::uint8_t {
    Black,
    Maroon,
    Green,
    Olive,
    Navy,
    Purple,
    Teal,
    Silver,
    Grey,
    Red,
    Lime,
    Yellow,
    Blue,
    Magenta,
    Cyan,
    White,
};
inline constexpr int kColourCount = 16;

// 0xRRGGBB of a palette entry.
std::uint32_t rgbOf(Colour c);

struct Point {
    double x;
    double y;
};

// A paletted image. Pixel (x, y) stands for the point (x, y): hex corners given in
// pixels are pixel centres. Writes outside the canvas are dropped, which clips
// every drawing to the canvas.
class Canvas {
public:
    Canvas(int width, int height, Colour background);

    int width() const { return width_; }
    int height() const { return height_; }
    Colour at(int x, int y) const { return pixels_[index(x, y)]; }

    void set(int x, int y, Colour c);
    void fill(int x, int y, int w, int h, Colour c);
    void hline(int x0, int x1, int y, Colour c);
    void vline(int x, int y0, int y1, Colour c);
    // Rectangle outline; `rounded` leaves the four corner pixels alone.
    void frame(int x, int y, int w, int h, Colour c, bool rounded = false);
    // Filled rectangle with a rounded outline.
    void plate(int x, int y, int w, int h, Colour fillColour, Colour border);

    // A one-pixel line. The pixels depend only on the segment, not on the order
    // of its ends, so the shared edge of two neighbouring hexes is drawn alike by both.
    void line(int x0, int y0, int x1, int y1, Colour c);
    // Every pixel within `radius` of the segment a-b; without round ends the line
    // stops square at a and b.
    void thickLine(Point a, Point b, double radius, Colour c, bool roundEnds = true);
    void disc(Point centre, double radius, Colour c);
    // Pixels whose point lies inside the polygon (even-odd rule).
    void fillPolygon(const std::vector<Point>& polygon, Colour c);

    // Pixel art: one string per row; `legend` maps characters to colours, and
    // characters missing from it (such as '.') leave the canvas alone.
    void art(int x, int y, std::initializer_list<std::string_view> rows,
             std::string_view legend = kLegend);
    void paste(const Canvas& source, int x, int y);
    // Copies `source` with every pixel of `transparent` left out.
    void pasteKeyed(const Canvas& source, int x, int y, Colour transparent);

    // Character legend of art(): one letter per colour, in palette order.
    static constexpr std::string_view kLegend = "kmgonptsdrlybMcw";

private:
    int index(int x, int y) const { return y * width_ + x; }

    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

// Uncompressed bottom-up BMP with the 16-colour palette at 4 or 8 bits per pixel.
std::vector<std::uint8_t> encodeBmp(const Canvas& canvas, int bitsPerPixel);

} // namespace maporv
