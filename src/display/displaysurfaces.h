#pragma once

#include "display/rect.h"
#include "display/status.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace maporv {

class Clipper;
class DisplayOwner;
class Palette;
class Surface;
class SurfaceImage;
class UserInterface;

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    bool operator==(const DisplayMode&) const = default;
};

// The one display of the program: the back surface every frame is composed on, the
// front surface the window shows, the clipper, the palette of 8-bit modes and the
// conversion of colours into pixel values.
//
// Surfaces are images in the pixel format of the mode: 5-6-5 at 16 bits per pixel,
// emulated palette pixels at 8 (see Surface), 32-bit otherwise.
//
// Full-screen mode: front and back are a flip pair of the mode's size; Flip exchanges
// their pixels. Window mode: the front surface stands for the window's client area,
// so it has the client's size, presentRect is (0, 0, width, height) and the window
// paints the front image at its client origin; the out rectangle of InitWindowed
// stays in screen coordinates for the layout. Both surfaces keep the client size they
// were made with until the next initialisation.
//
// Exclusive mode, the display mode and FlipToDesktop only set flags that callers can
// read back (exclusiveMode(), showingDesktop()): the frame window itself decides from
// the mode it switched to whether it is a borderless full-screen window, and dialogs
// always appear above it. Every mode of the full-screen chain is accepted unless
// refused through setRefusedModes().
class DisplaySurfaces {
public:
    DisplaySurfaces();
    ~DisplaySurfaces();
    DisplaySurfaces(const DisplaySurfaces&) = delete;
    DisplaySurfaces& operator=(const DisplaySurfaces&) = delete;

    // ReleaseAll, then make the drawing layer (kFail without a running GUI application)
    // and remember the owner window.
    Status Create(DisplayOwner& owner);
    // Exclusive full-screen mode of the requested kind: 9 = 1280 x 1024 x 16,
    // 3 = 1024 x 768 x 16, 2 = 800 x 600 x 16, 1 = 640 x 480 x 8. A refused mode falls
    // back to the next one; outRect and outBits describe the last mode tried. Another
    // kind keeps the display mode, the caller's rectangle and depth.
    Status InitFullScreen(Rect& outRect, int& outBits, int kind);
    // Window mode at the given depth; outRect = the client area in screen coordinates.
    Status InitWindowed(Rect& outRect, int bitsPerPixel);
    // A new back surface of the given size, cleared. 1 (not a status) when it cannot be
    // made (the old one stays), else 0. The editor's frame makes its surfaces anew on a
    // resize instead; this stays part of the layer's operations.
    int ResizeBackSurface(int width, int height);
    // An off-screen surface in the display's format; empty when width or height is 0,
    // without the layer, or when it cannot be made.
    std::shared_ptr<Surface> CreateSurface(int width, int height, std::uint32_t caps);

    // The pixel value of a colour 0x00BBGGRR on the back surface, or on the image's
    // surface when one is given. 0 when there is no such surface; 0xFFFFFFFF when the
    // surface is lost. The colour 0xFFFFFFFF reads the surface's top-left pixel value.
    std::uint32_t ColorMatch(std::uint32_t color, const SurfaceImage* image = nullptr) const;
    // ColorMatch kept in fillValue() for Clear. kPointer without the surface.
    Status SetFillColor(std::uint32_t color, const SurfaceImage* image = nullptr);
    // Fills the back surface with fillValue(), after SetFillColor(color) when color is not 0.
    Status Clear(std::uint32_t color = 0);
    // Fills a rectangle of the back surface with a colour; fillValue() stays.
    Status FillRect(const Rect& rect, std::uint32_t color);
    // The 3-3-2 colour cube, optionally with the desktop's reserved colours; replaces
    // palette().
    Status CreatePalette(bool keepSystemColours);
    // Limits fills and scaling copies to the rectangles, on the back surface and in
    // full-screen mode also the front. kPointer without a clipper (full-screen mode
    // makes none).
    Status SetClipList(const std::vector<Rect>& rects);
    // Window mode: copies the back surface into presentRect() of the front surface,
    // restoring both when they were lost and retrying while still drawing. 0 at once in
    // full-screen mode. The map view presents with CopyToFront and its own recovery;
    // this stays part of the layer's operations.
    Status PresentWindowed();
    // Full-screen mode: lets the desktop's windows be seen until the next Flip.
    Status FlipToDesktop();
    // Releases palette, clipper, surfaces and the layer; the desktop gets its own mode
    // back. Always 0.
    Status ReleaseAll();

    // The full-screen present: front and back exchange their pixels.
    Status Flip();
    // One copy of the whole back surface into a rectangle of the front surface (scaled
    // when the sizes differ), without the recovery of PresentWindowed.
    Status CopyToFront(const Rect& destination);
    // Presentation is paced by the window's repaints, so there is nothing to wait for.
    Status WaitForVerticalBlank() { return hasLayer() ? kOk : kPointer; }

    bool hasLayer() const { return layer_; }
    DisplayOwner* owner() const { return owner_; }
    const std::shared_ptr<Surface>& backSurface() const { return backSurface_; }
    const std::shared_ptr<Surface>& frontSurface() const { return frontSurface_; }
    const std::shared_ptr<Clipper>& clipper() const { return clipper_; }
    const std::shared_ptr<const Palette>& palette() const { return palette_; }
    int bitsPerPixel() const { return bitsPerPixel_; }
    std::uint32_t fillValue() const { return fillValue_; }
    const Rect& presentRect() const { return presentRect_; }
    bool windowed() const { return windowed_; }

    // What the window acts on.
    bool exclusiveMode() const { return exclusive_; }
    // The full-screen mode set, or nothing while the desktop keeps its own.
    const std::optional<DisplayMode>& displayMode() const { return displayMode_; }
    bool showingDesktop() const { return showingDesktop_; }

    // Where the images report a bitmap that cannot be opened; none by default.
    void setUserInterface(UserInterface* ui) { ui_ = ui; }
    UserInterface* userInterface() const { return ui_; }

    // Test hook: modes the display refuses, so the fallback chain can be walked.
    void setRefusedModes(std::vector<DisplayMode> modes) { refusedModes_ = std::move(modes); }

private:
    Status setCooperation(bool exclusive);
    Status setDisplayMode(const DisplayMode& mode);
    std::shared_ptr<Surface> makeSurface(int width, int height, std::uint32_t caps) const;
    void releaseSurfaces();
    // Step of both initialisations: the palette of 8-bit modes on front and back.
    void preparePalette();

    bool layer_ = false;
    std::shared_ptr<Surface> backSurface_;
    std::shared_ptr<Surface> frontSurface_;
    std::shared_ptr<Clipper> clipper_;
    std::shared_ptr<const Palette> palette_;
    int bitsPerPixel_ = 0;
    std::uint32_t fillValue_ = 0;
    Rect presentRect_;
    bool windowed_ = false;
    DisplayOwner* owner_ = nullptr;

    bool exclusive_ = false;
    std::optional<DisplayMode> displayMode_;
    bool showingDesktop_ = false;
    UserInterface* ui_ = nullptr;
    std::vector<DisplayMode> refusedModes_;
};

} // namespace maporv
