#include "display/displaysurfaces.h"

#include "display/clipper.h"
#include "display/displayowner.h"
#include "display/palette.h"
#include "display/surface.h"
#include "display/surfaceimage.h"
#include "display/trace.h"

#include <QGuiApplication>
#include <algorithm>
#include <array>

namespace maporv {

namespace {

struct ModeStep {
    int kind;
    DisplayMode mode;
};

// The full-screen fallback chain, largest first.
constexpr std::array<ModeStep, 4> kModeChain{{
    {9, {1280, 1024, 16}},
    {3, {1024, 768, 16}},
    {2, {800, 600, 16}},
    {1, {640, 480, 8}},
}};

constexpr std::uint32_t kPlainSystemMemory = kCapsOffscreenPlain | kCapsSystemMemory;

} // namespace

DisplaySurfaces::DisplaySurfaces() = default;

DisplaySurfaces::~DisplaySurfaces() {
    ReleaseAll();
}

Status DisplaySurfaces::Create(DisplayOwner& owner) {
    ReleaseAll();
    // Text drawing needs the GUI application's fonts.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return kFail;
    }
    layer_ = true;
    owner_ = &owner;
    return kOk;
}

Status DisplaySurfaces::setCooperation(bool exclusive) {
    if (!layer_) {
        return kPointer;
    }
    if (exclusive && exclusive_) {
        return kExclusiveModeAlreadySet;
    }
    exclusive_ = exclusive;
    if (!exclusive) {
        // Normal cooperation gives the desktop its own mode back.
        displayMode_.reset();
        showingDesktop_ = false;
    }
    return kOk;
}

Status DisplaySurfaces::setDisplayMode(const DisplayMode& mode) {
    if (std::find(refusedModes_.begin(), refusedModes_.end(), mode) != refusedModes_.end()) {
        return kFail;
    }
    displayMode_ = mode;
    return kOk;
}

void DisplaySurfaces::releaseSurfaces() {
    frontSurface_.reset();
    backSurface_.reset();
    clipper_.reset();
}

std::shared_ptr<Surface> DisplaySurfaces::makeSurface(int width, int height,
                                                      std::uint32_t caps) const {
    auto surface =
        std::make_shared<Surface>(width, height, pixelFormatForDepth(bitsPerPixel_), caps);
    if (!surface->isValid()) {
        return nullptr;
    }
    surface->setPalette(palette_);
    return surface;
}

void DisplaySurfaces::preparePalette() {
    if (bitsPerPixel_ == 8) {
        if (!palette_) {
            CreatePalette(windowed_);
        }
        frontSurface_->setPalette(palette_);
        backSurface_->setPalette(palette_);
    } else {
        palette_.reset();
    }
}

Status DisplaySurfaces::InitFullScreen(Rect& outRect, int& outBits, int kind) {
    releaseSurfaces();
    windowed_ = false;
    if (owner_ != nullptr) {
        owner_->applyFullScreenStyle();
    }

    Status status = setCooperation(true);
    if (status == kExclusiveModeAlreadySet) {
        trace("El nivel de cooperación exclusivo ya está establecido\n");
    } else if (failed(status)) {
        trace("Error iniciando el nivel de cooperación exclusivo\n");
        return status;
    }

    const auto first = std::find_if(kModeChain.begin(), kModeChain.end(),
                                    [kind](const ModeStep& step) { return step.kind == kind; });
    if (first == kModeChain.end()) {
        bitsPerPixel_ = outBits;
    }
    for (auto step = first; step != kModeChain.end(); ++step) {
        const DisplayMode& mode = step->mode;
        outRect = {0, 0, mode.width, mode.height};
        outBits = mode.bitsPerPixel;
        bitsPerPixel_ = mode.bitsPerPixel;
        status = setDisplayMode(mode);
        if (succeeded(status)) {
            break;
        }
        if (step + 1 == kModeChain.end()) {
            return status;
        }
    }

    frontSurface_ = makeSurface(outRect.width(), outRect.height(), 0);
    backSurface_ = makeSurface(outRect.width(), outRect.height(), 0);
    if (!frontSurface_ || !backSurface_) {
        frontSurface_.reset();
        backSurface_.reset();
        trace("Error al crear las superficies de visualización en pantalla completa\n");
        return kFail;
    }

    preparePalette();
    frontSurface_->fill(nullptr, 0);
    backSurface_->fill(nullptr, 0);
    presentRect_ = outRect;
    return kOk;
}

Status DisplaySurfaces::InitWindowed(Rect& outRect, int bitsPerPixel) {
    releaseSurfaces();
    if (const Status status = setCooperation(false); failed(status)) {
        trace("Error iniciando el nivel de cooperación normal\n");
        return status;
    }
    windowed_ = true;
    bitsPerPixel_ = bitsPerPixel;

    owner_->applyWindowedStyle();
    outRect = owner_->clientRect();
    const int width = outRect.width();
    const int height = outRect.height();

    frontSurface_ = makeSurface(width, height, 0);
    if (!frontSurface_) {
        trace("Error al crear la superficie frontal en el nivel normal\n");
        return kFail;
    }
    backSurface_ = makeSurface(width, height, kPlainSystemMemory);
    if (!backSurface_) {
        return kFail;
    }
    clipper_ = std::make_shared<Clipper>();
    clipper_->bindToWindow();
    frontSurface_->setClipper(clipper_);

    preparePalette();
    frontSurface_->fill(nullptr, 0);
    backSurface_->fill(nullptr, 0);
    presentRect_ = {0, 0, width, height};
    return kOk;
}

int DisplaySurfaces::ResizeBackSurface(int width, int height) {
    std::shared_ptr<Surface> surface = CreateSurface(width, height, kPlainSystemMemory);
    if (!surface) {
        trace("No se puede crear la superficie posterior\n");
        return 1;
    }
    backSurface_ = std::move(surface);
    Clear(0);
    return 0;
}

std::shared_ptr<Surface> DisplaySurfaces::CreateSurface(int width, int height, std::uint32_t caps) {
    if (!layer_ || width == 0 || height == 0) {
        return nullptr;
    }
    if (auto surface = makeSurface(width, height, caps)) {
        return surface;
    }
    trace("Posiblemente la memoria de vídeo esté llena\n");
    if (auto surface = makeSurface(width, height, (caps & ~kCapsSystemMemory) | kCapsVideoMemory)) {
        return surface;
    }
    trace("Error al crear una superficie genérica.\n");
    return nullptr;
}

std::uint32_t DisplaySurfaces::ColorMatch(std::uint32_t color, const SurfaceImage* image) const {
    const Surface* target = image != nullptr ? image->surface.get() : backSurface_.get();
    if (target == nullptr) {
        return 0;
    }
    if (color != 0xFFFFFFFFu) {
        return target->isLost() ? 0xFFFFFFFFu : target->colorValue(color);
    }
    std::uint32_t value = 0;
    return succeeded(target->readPixel(0, 0, value)) ? value : 0xFFFFFFFFu;
}

Status DisplaySurfaces::SetFillColor(std::uint32_t color, const SurfaceImage* image) {
    const Surface* target = image != nullptr ? image->surface.get() : backSurface_.get();
    if (target == nullptr) {
        return kPointer;
    }
    fillValue_ = ColorMatch(color, image);
    return kOk;
}

Status DisplaySurfaces::Clear(std::uint32_t color) {
    if (color != 0) {
        SetFillColor(color);
    }
    if (!backSurface_) {
        return kPointer;
    }
    return backSurface_->fill(nullptr, fillValue_);
}

Status DisplaySurfaces::FillRect(const Rect& rect, std::uint32_t color) {
    if (!backSurface_) {
        return kPointer;
    }
    return backSurface_->fill(&rect, ColorMatch(color));
}

Status DisplaySurfaces::CreatePalette(bool keepSystemColours) {
    palette_ = std::make_shared<const Palette>(Palette::colorCube(keepSystemColours));
    return kOk;
}

Status DisplaySurfaces::SetClipList(const std::vector<Rect>& rects) {
    if (!clipper_) {
        return kPointer;
    }
    clipper_->setClipList(rects);
    if (!windowed_ && frontSurface_) {
        frontSurface_->setClipper(clipper_);
    }
    if (backSurface_) {
        backSurface_->setClipper(clipper_);
    }
    return kOk;
}

Status DisplaySurfaces::CopyToFront(const Rect& destination) {
    if (!frontSurface_ || !backSurface_) {
        return kPointer;
    }
    const Status status = frontSurface_->stretchFrom(&destination, *backSurface_, nullptr, false);
    if (status == kOk) {
        frontSurface_->mapThroughPalette(destination);
    }
    return status;
}

Status DisplaySurfaces::PresentWindowed() {
    if (!windowed_) {
        return kOk;
    }
    if (!frontSurface_ || !backSurface_) {
        return kPointer;
    }
    Status status = kOk;
    do {
        status = CopyToFront(presentRect_);
        if (status == kSurfaceLost) {
            frontSurface_->restore();
            backSurface_->restore();
        }
    } while (status == kStillDrawing);
    return status;
}

Status DisplaySurfaces::Flip() {
    if (!frontSurface_ || !backSurface_) {
        return kPointer;
    }
    if (windowed_) {
        return kFail; // window mode has no flip pair
    }
    if (frontSurface_->isLost() || backSurface_->isLost()) {
        return kSurfaceLost;
    }
    Surface::swapPixels(*frontSurface_, *backSurface_);
    frontSurface_->mapThroughPalette(frontSurface_->rect());
    showingDesktop_ = false;
    return kOk;
}

Status DisplaySurfaces::FlipToDesktop() {
    if (!layer_) {
        return kPointer;
    }
    if (!windowed_) {
        showingDesktop_ = true;
    }
    return kOk;
}

Status DisplaySurfaces::ReleaseAll() {
    palette_.reset();
    clipper_.reset();
    backSurface_.reset();
    frontSurface_.reset();
    if (layer_) {
        setCooperation(false);
    }
    layer_ = false;
    return kOk;
}

} // namespace maporv
