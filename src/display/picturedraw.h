#pragma once

class QPainter;

namespace maporv {

class MapPicture;

// Draws the picture's part from (srcX, srcY) with the picture's size stretched into the
// rectangle (x, y, w, h): a plain copy, no smoothing. False, drawing nothing, when the
// picture has no header. The dialogs' previews use it.
bool drawScaled(QPainter& painter, const MapPicture& picture, int x, int y, int w, int h, int srcX,
                int srcY);

} // namespace maporv
