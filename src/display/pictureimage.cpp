#include "display/pictureimage.h"

#include "display/displaysurfaces.h"
#include "display/surface.h"
#include "picture/mappicture.h"

namespace maporv {

Status PictureImage::LoadPicture(const MapPicture& picture) {
    if (display == nullptr || !picture.valid) {
        return kFail;
    }
    surface.reset();
    loaded = false;
    surface = display->CreateSurface(picture.width, picture.height,
                                     kCapsOffscreenPlain | kCapsSystemMemory);
    if (!surface) {
        return kFail;
    }
    takeSize(picture.width, picture.height);
    int rows = 0;
    for (int y = 0; y < picture.height; ++y) {
        if (surface->copyBgrRow(y, picture.rowPointer(y), picture.width)) {
            ++rows;
        }
    }
    loaded = true;
    return rows;
}

} // namespace maporv
