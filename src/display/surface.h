#pragma once

#include "display/rect.h"
#include "display/status.h"

#include <QImage>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace maporv {

class Clipper;
class Palette;

// How a surface stores its pixels. 8-bit display modes are emulated: their surfaces
// hold 32-bit pixels restricted to the palette's colours, and their pixel values are
// palette indexes, as on a real 8-bit surface.
enum class PixelFormat { Palette8, Rgb16, Rgb32 };

// 16 bits per pixel gives 5-6-5 pixels, 8 the palette emulation, any other depth
// 32-bit pixels.
PixelFormat pixelFormatForDepth(int bitsPerPixel);

// Capability flags of CreateSurface.
inline constexpr std::uint32_t kCapsOffscreenPlain = 0x0040;
inline constexpr std::uint32_t kCapsVideoMemory = 0x0800;
inline constexpr std::uint32_t kCapsSystemMemory = 0x4000;

// One drawing surface: an image in the display's pixel format with an optional
// transparent colour (the colour key), an optional clipper and, in 8-bit modes, the
// palette its pixel values index.
//
// Pixel values are what ColorMatch returns and what fills and colour keys take: the
// 5-6-5 word on 16-bit surfaces, 0x00RRGGBB on 32-bit ones, the palette index on
// 8-bit ones.
//
// A surface is never lost on this platform. The lost state exists so the recovery
// paths of the callers can be exercised: while lost, every operation on the surface
// answers kSurfaceLost until restore().
class Surface {
public:
    Surface(int width, int height, PixelFormat format,
            std::uint32_t caps = kCapsOffscreenPlain | kCapsSystemMemory);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // False when the pixels could not be allocated.
    bool isValid() const { return !image_.isNull(); }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    Rect rect() const { return {0, 0, width(), height()}; }
    PixelFormat format() const { return format_; }
    // Bits of a pixel value: 8, 16 or 32.
    int depth() const;
    std::uint32_t caps() const { return caps_; }

    // The pixel value of a colour 0x00BBGGRR on this surface.
    std::uint32_t colorValue(std::uint32_t color) const;
    // The value of one pixel, as reading the surface memory gives it.
    Status readPixel(int x, int y, std::uint32_t& value) const;

    // Colour fill of the rectangle (the whole surface without one), within the clipper.
    Status fill(const Rect* rect, std::uint32_t value);
    // Fast copy of sourceRect of source to (x, y), without scaling; the clipper does not
    // apply and what falls outside this surface is cut off. keyed skips the pixels of
    // the source's colour key. kInvalidRect when sourceRect is empty, inverted or not
    // wholly inside the source; kFail when the source has another pixel format (images
    // are reloaded after every mode switch).
    Status copyFrom(int x, int y, const Surface& source, const Rect& sourceRect, bool keyed);
    // Scaling copy (nearest pixel) of sourceRect (default: all of source) into destination
    // (default: all of this surface), within the clipper.
    Status stretchFrom(const Rect* destination, const Surface& source, const Rect* sourceRect,
                       bool keyed);

    // The transparent colour of copies from this surface, as a pixel value. Setting it
    // prepares the opaque runs of every row, so keyed copies only move memory.
    void setColorKey(std::optional<std::uint32_t> value);
    std::optional<std::uint32_t> colorKey() const { return key_; }

    void setPalette(std::shared_ptr<const Palette> palette);
    const std::shared_ptr<const Palette>& palette() const { return palette_; }
    void setClipper(std::shared_ptr<const Clipper> clipper);
    const std::shared_ptr<const Clipper>& clipper() const { return clipper_; }

    // Copies an image 1:1 to the top-left corner, converted to this surface's format.
    // False while lost.
    bool copyFromImage(const QImage& source);
    // Copies one row of 24-bit blue-green-red pixels into row y. False while lost.
    bool copyBgrRow(int y, const std::uint8_t* bgr, int width);
    // 8-bit emulation: snaps every pixel of rect to its nearest palette colour, as an
    // 8-bit screen would show it. Nothing happens on other formats.
    void mapThroughPalette(const Rect& rect);

    // The pixels to paint on with QPainter (texts), or nullptr while lost. A keyed
    // source painted on prepares its runs again at its next keyed copy.
    QImage* paintTarget();
    // The pixels as they are, for showing and for reading back. Paint it, don't keep a
    // copy: a copy shares the pixels, and the next frame would then have to duplicate
    // them before drawing.
    const QImage& image() const { return image_; }

    // The page flip: the two surfaces exchange their pixels.
    static void swapPixels(Surface& a, Surface& b);

    // Never the same for two surfaces, even at the same address.
    std::uint64_t id() const { return id_; }
    // Changes with every change of the pixels, the colour key or the palette, and is
    // never the same for two surfaces: whoever kept it can tell that what it drew from
    // is still the same.
    std::uint64_t version() const { return version_; }
    bool isLost() const { return lost_; }
    // Ends the lost state; the pixels must be drawn or loaded again afterwards.
    Status restore();

    // Test hooks: lose the surface; make its next operations answer kStillDrawing.
    void simulateLost() { lost_ = true; }
    void simulateStillDrawing(int answers) { stillDrawing_ = answers; }

private:
    struct Run {
        int start;
        int end;
    };

    Status ready(const Surface* other);
    void changed();
    int bytesPerPixel() const { return format_ == PixelFormat::Rgb16 ? 2 : 4; }
    // Pixel value <-> the word stored in the image.
    std::uint32_t storedWord(std::uint32_t value) const;
    std::uint32_t valueOf(std::uint32_t word) const;
    // The stored word for a 0x??RRGGBB colour.
    std::uint32_t wordForRgb(std::uint32_t rgb) const;
    const Palette& paletteOrDefault() const;
    std::vector<Rect> outputParts(const Rect& target) const;

    void buildRuns() const;
    void copyRect(int dx, int dy, const Surface& source, int sx, int sy, int w, int h, bool keyed);
    void copyRectKeyed(int dx, int dy, const Surface& source, int sx, int sy, int w, int h);
    template <typename T>
    void stretchPart(const Rect& part, const Rect& destination, const Surface& source,
                     const Rect& sourceRect, bool keyed);
    template <typename T>
    void fillPart(const Rect& part, T word);

    QImage image_;
    PixelFormat format_;
    std::uint32_t caps_;
    std::optional<std::uint32_t> key_;
    std::shared_ptr<const Palette> palette_;
    std::shared_ptr<const Clipper> clipper_;
    std::uint64_t id_;
    std::uint64_t version_;
    bool lost_ = false;
    int stillDrawing_ = 0;
    // Opaque runs [start, end) of every row; row y owns runs_[rowRuns_[y]..rowRuns_[y + 1]).
    mutable std::vector<Run> runs_;
    mutable std::vector<int> rowRuns_;
    mutable bool runsValid_ = false;
};

} // namespace maporv
