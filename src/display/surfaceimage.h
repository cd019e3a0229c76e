#pragma once

#include "display/rect.h"
#include "display/status.h"

#include <memory>
#include <string>

namespace maporv {

class DisplaySurfaces;
class Surface;

// Blit modes of the images.
inline constexpr int kBlitOpaque = 1;
inline constexpr int kBlitKeyed = 2; // skips the surface's transparent colour

// One bitmap held on its own surface, drawn onto the display's back surface at a
// position, opaque or with a transparent colour. The base of every drawable image.
class SurfaceImage {
public:
    SurfaceImage() = default;
    SurfaceImage(const SurfaceImage&) = delete;
    SurfaceImage& operator=(const SurfaceImage&) = delete;

    // The bitmap's file name. Emptied by every successful load, so it stays empty.
    std::string name;
    bool loaded = false;
    int width = 0;
    int height = 0;
    int blitMode = kBlitOpaque;
    // A reference point of the owner's choosing.
    Point anchor;
    std::shared_ptr<Surface> surface;
    // Where the image is drawn: its top-left corner is the draw position; for sheets it
    // is also the clip rectangle.
    Rect placeRect;
    // The part of the surface that the next draw copies.
    Rect sourceRect;
    DisplaySurfaces* display = nullptr;

    void SetDisplay(DisplaySurfaces* displaySurfaces, int mode);

    // Loads bitmap resource ":/bitmaps/<id>.bmp", or else the file "<id>.bmp". When
    // neither opens, the warning "No se puede abrir el mapa de bits %s" (with name) goes
    // to the display's user interface and the image stays as it was: kFail.
    Status LoadFromBitmap(int resourceId);
    // Loads resource ":/bitmaps/<fileName>", or else the file itself.
    Status LoadFromBitmap(const std::string& fileName);

    // Makes the colour of the top-left pixel transparent. kPointer without a surface.
    Status KeyFromTopLeft();
    Status ReleaseSurface();

    // Moves placeRect by (x, y); with reset, from (0, 0, width, height).
    void PlaceAt(int x, int y, bool reset);
    void SetPlaceRect(const Rect& rect) { placeRect = rect; }
    // A width or height of 0 or less means the image's; a negative corner means 0.
    void SetSourceRect(int left, int top, int w, int h);

    // Copies source (default sourceRect) to (x, y) of the back surface. mode 0 is the
    // image's own blit mode.
    Status DrawAt(int x, int y, const Rect* source = nullptr, int mode = 0);
    // Scaling copy of source (default sourceRect) into destination (default placeRect).
    Status DrawStretched(const Rect* destination = nullptr, const Rect* source = nullptr,
                         int mode = 0);
    // DrawAt the top-left corner of placeRect.
    Status Draw(const Rect* source = nullptr, int mode = 0);

    Point TopLeft() const { return {placeRect.left, placeRect.top}; }
    Point BottomLeft() const { return {placeRect.left, placeRect.bottom}; }
    int PlaceWidth() const { return placeRect.width(); }

protected:
    // The surface has been (re)made for a width x height image.
    void takeSize(int w, int h);

private:
    Status loadBitmap(const std::string& resourcePath, const std::string& filePath);
    bool keyed(int mode) const { return (mode == 0 ? blitMode : mode) == kBlitKeyed; }
};

} // namespace maporv
