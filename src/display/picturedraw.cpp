#include "display/picturedraw.h"

#include "picture/mappicture.h"

#include <QImage>
#include <QPainter>

namespace maporv {

bool drawScaled(QPainter& painter, const MapPicture& picture, int x, int y, int w, int h, int srcX,
                int srcY) {
    if (!picture.hasHeader) {
        return false;
    }
    if (picture.width <= 0 || picture.height <= 0) {
        return true;
    }
    // The buffer's rows run bottom-up; a view of them is upside down until mirrored.
    const QImage bottomUp(MapPicture::pixels(), picture.width, picture.height, picture.rowLength,
                          QImage::Format_BGR888);
    const QImage topDown = bottomUp.mirrored(false, true);
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRect(x, y, w, h), topDown, QRect(srcX, srcY, picture.width, picture.height));
    painter.restore();
    return true;
}

} // namespace maporv
