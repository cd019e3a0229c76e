#include "app/forms/dialogunits.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QVariant>
#include <QWidget>
#include <cmath>

namespace maporv {
namespace {

constexpr const char* kConvertedProperty = "maporvDialogUnitsConverted";

// The width of one dialog unit comes from the average width of the 52 letters, as
// dialog templates have always measured it; the font's own "average" is often the
// width of a narrow letter and leaves texts cut off.
int averageLetterWidth(const QFontMetrics& metrics) {
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return (letters / 26 + 1) / 2;
}

int scale(int units, int base, int divisor) {
    return static_cast<int>(
        std::lround(static_cast<double>(units) * base / static_cast<double>(divisor)));
}

// A template's group box runs its frame through the middle of its title, and the
// forms put the controls just below the title; a style that draws the title above
// the frame would run the frame through those controls.
void frameThroughTitle(QGroupBox& group, const DialogUnits& units) {
    group.setStyleSheet(QStringLiteral("QGroupBox { margin-top: %1px; } "
                                       "QGroupBox::title { subcontrol-origin: margin; "
                                       "left: %2px; padding: 0px 2px; }")
                            .arg(QFontMetrics(group.font()).height() / 2)
                            .arg(units.x(4)));
}

} // namespace

DialogUnits::DialogUnits(const QFont& font)
    : DialogUnits(averageLetterWidth(QFontMetrics(font)), QFontMetrics(font).height()) {}

DialogUnits::DialogUnits(int baseWidth, int baseHeight)
    : baseWidth_(baseWidth), baseHeight_(baseHeight) {}

int DialogUnits::x(int units) const {
    return scale(units, baseWidth_, 4);
}

int DialogUnits::y(int units) const {
    return scale(units, baseHeight_, 8);
}

QRect DialogUnits::toPixels(const QRect& units) const {
    return QRect(x(units.x()), y(units.y()), x(units.width()), y(units.height()));
}

QSize DialogUnits::toPixels(const QSize& units) const {
    return QSize(x(units.width()), y(units.height()));
}

void DialogUnits::convertForm(QWidget* form) {
    if (form == nullptr || form->property(kConvertedProperty).toBool()) {
        return;
    }
    const DialogUnits units(form->font());
    const QList<QWidget*> children = form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (child->isWindow()) {
            continue;
        }
        QRect pixels = units.toPixels(child->geometry());
        if (qobject_cast<QComboBox*>(child) != nullptr) {
            pixels.setHeight(child->sizeHint().height());
        }
        if (auto* group = qobject_cast<QGroupBox*>(child)) {
            frameThroughTitle(*group, units);
        }
        child->setGeometry(pixels);
    }
    form->setFixedSize(units.toPixels(form->size()));
    form->setProperty(kConvertedProperty, true);
}

} // namespace maporv
