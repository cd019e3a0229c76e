#include "display/surfaceimage.h"

#include "display/displaysurfaces.h"
#include "display/surface.h"
#include "mapdata/userinterface.h"

#include <QImage>
#include <QString>
#include <algorithm>
#include <string>

namespace maporv {

void SurfaceImage::SetDisplay(DisplaySurfaces* displaySurfaces, int mode) {
    display = displaySurfaces;
    blitMode = mode;
}

Status SurfaceImage::LoadFromBitmap(int resourceId) {
    const std::string file = std::to_string(resourceId) + ".bmp";
    return loadBitmap(":/bitmaps/" + file, file);
}

Status SurfaceImage::LoadFromBitmap(const std::string& fileName) {
    return loadBitmap(":/bitmaps/" + fileName, fileName);
}

Status SurfaceImage::loadBitmap(const std::string& resourcePath, const std::string& filePath) {
    if (display == nullptr) {
        return kFail;
    }
    QImage bitmap(QString::fromStdString(resourcePath));
    if (bitmap.isNull()) {
        bitmap = QImage(QString::fromStdString(filePath));
    }
    if (bitmap.isNull()) {
        if (UserInterface* ui = display->userInterface()) {
            // The image's own name is empty once any bitmap has loaded, so the message
            // names the bitmap that was asked for.
            ui->showMessage(MessageKind::Warning, "No se puede abrir el mapa de bits " +
                                                      (name.empty() ? filePath : name));
        }
        return kFail;
    }

    surface.reset();
    loaded = false;
    surface = display->CreateSurface(bitmap.width(), bitmap.height(),
                                     kCapsOffscreenPlain | kCapsSystemMemory);
    if (!surface) {
        return kFail;
    }
    takeSize(bitmap.width(), bitmap.height());
    if (surface->copyFromImage(bitmap)) {
        loaded = true;
        name.clear();
    }
    return kOk;
}

void SurfaceImage::takeSize(int w, int h) {
    width = w;
    height = h;
    placeRect = {0, 0, w, h};
    sourceRect = placeRect;
}

Status SurfaceImage::KeyFromTopLeft() {
    if (!surface) {
        return kPointer;
    }
    std::uint32_t value = 0;
    if (const Status status = surface->readPixel(0, 0, value); failed(status)) {
        return status;
    }
    surface->setColorKey(value);
    return kOk;
}

Status SurfaceImage::ReleaseSurface() {
    surface.reset();
    return kOk;
}

void SurfaceImage::PlaceAt(int x, int y, bool reset) {
    if (reset) {
        placeRect = {0, 0, width, height};
    }
    placeRect = placeRect.translated(x, y);
}

void SurfaceImage::SetSourceRect(int left, int top, int w, int h) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    sourceRect = {left, top, left + (w > 0 ? w : width), top + (h > 0 ? h : height)};
}

Status SurfaceImage::DrawAt(int x, int y, const Rect* source, int mode) {
    if (display == nullptr || !display->backSurface()) {
        return kFail;
    }
    if (!surface) {
        return kPointer;
    }
    return display->backSurface()->copyFrom(x, y, *surface, source ? *source : sourceRect,
                                            keyed(mode));
}

Status SurfaceImage::DrawStretched(const Rect* destination, const Rect* source, int mode) {
    if (display == nullptr || !display->backSurface()) {
        return kFail;
    }
    if (!surface) {
        return kPointer;
    }
    return display->backSurface()->stretchFrom(destination ? destination : &placeRect, *surface,
                                               source ? source : &sourceRect, keyed(mode));
}

Status SurfaceImage::Draw(const Rect* source, int mode) {
    return DrawAt(placeRect.left, placeRect.top, source, mode);
}

} // namespace maporv
