#include "app/forms/browseglyph.h"

#include <QAbstractButton>
#include <QBitmap>
#include <QImage>
#include <QPixmap>
#include <algorithm>

namespace maporv {

QIcon browseGlyph(const QString& resource) {
    QPixmap pixmap(resource);
    if (pixmap.isNull()) {
        return QIcon();
    }
    const QColor background = pixmap.toImage().pixelColor(0, 0);
    pixmap.setMask(pixmap.createMaskFromColor(background, Qt::MaskInColor));
    return QIcon(pixmap);
}

void setBrowseGlyph(QAbstractButton& button, const QString& resource) {
    const QIcon icon = browseGlyph(resource);
    button.setText(QString());
    button.setIcon(icon);
    const QSize natural = icon.availableSizes().value(0, QSize(22, 22));
    // A few pixels for the button's frame.
    const int room = std::max(8, std::min(button.width(), button.height()) - 6);
    button.setIconSize(natural.boundedTo(QSize(room, room)));
}

} // namespace maporv
