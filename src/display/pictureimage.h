#pragma once

#include "display/surfaceimage.h"

namespace maporv {

class MapPicture;

// The map picture as the view shows it, converted once into the display's format so a
// frame only copies it.
class PictureImage : public SurfaceImage {
public:
    // The size of the part of the picture one frame shows.
    int shownWidth = 0;
    int shownHeight = 0;

    // Replaces the surface by a copy of the picture. kFail without a display, for a
    // picture that is not valid, or when the surface cannot be made; otherwise the
    // number of rows copied (loaded is set whatever the copy gave).
    Status LoadPicture(const MapPicture& picture);
};

} // namespace maporv
