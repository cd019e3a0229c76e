#include "app/columnfont.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QListWidget>
#include <QString>
#include <QStyle>

namespace maporv {

void useColumnFont(QListWidget& list, int columns) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const qreal baseSize = list.font().pointSizeF();
    if (baseSize > 0) {
        font.setPointSizeF(baseSize);
    }
    const int room = list.width() - 2 * list.frameWidth() -
                     list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list) - 4;
    const QString line(columns, QLatin1Char('M'));
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(line) > room) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    list.setFont(font);
}

} // namespace maporv
