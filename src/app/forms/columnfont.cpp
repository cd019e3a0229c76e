#include "app/forms/columnfont.h"

#include <QComboBox>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QListWidget>
#include <QString>
#include <QStyle>
#include <QStyleOptionComboBox>

namespace maporv {
namespace {

constexpr int kSmallestPixels = 8;
constexpr qreal kSmallestPoints = 6;

bool fits(const QFont& font, int columns, int room) {
    return QFontMetrics(font).horizontalAdvance(QString(columns, QLatin1Char('M'))) <= room;
}

// The fixed-pitch font of the base font's size, or smaller until the columns fit.
QFont fittedFont(const QFont& base, int columns, int room) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (base.pixelSize() > 0) {
        font.setPixelSize(base.pixelSize());
        while (font.pixelSize() > kSmallestPixels && !fits(font, columns, room)) {
            font.setPixelSize(font.pixelSize() - 1);
        }
        return font;
    }
    if (base.pointSizeF() > 0) {
        font.setPointSizeF(base.pointSizeF());
    }
    while (font.pointSizeF() > kSmallestPoints && !fits(font, columns, room)) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    return font;
}

} // namespace

void useColumnFont(QListWidget& list, int columns) {
    const int room = list.width() - 2 * list.frameWidth() -
                     list.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &list) - 4;
    list.setFont(fittedFont(list.font(), columns, room));
}

void useColumnFont(QComboBox& combo, int columns) {
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    const QRect field = combo.style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, &combo);
    combo.setFont(fittedFont(combo.font(), columns, field.width()));
}

} // namespace maporv
