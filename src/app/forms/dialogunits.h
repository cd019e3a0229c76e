#pragma once

#include <QRect>
#include <QSize>

class QFont;
class QWidget;

namespace maporv {

// The dialogs are laid out in dialog units, the numbers of their layout tables: one
// horizontal unit is a quarter of the dialog font's average character width, one
// vertical unit an eighth of its height, so a layout grows with the font.
//
// A form (.ui in resources/) is drawn without layouts and holds its geometry in these
// units: every control a direct child of the form, as in a dialog template, and the
// form's own width and height. After setupUi() the dialog calls convertForm(this),
// which rescales it to pixels with the form's actual font.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    // Base units in pixels: the average character width and the character height.
    DialogUnits(int baseWidth, int baseHeight);

    int baseWidth() const { return baseWidth_; }
    int baseHeight() const { return baseHeight_; }

    // Units to pixels, rounded to the nearest pixel (halves away from zero).
    int x(int units) const;
    int y(int units) const;
    QRect toPixels(const QRect& units) const;
    QSize toPixels(const QSize& units) const;

    // Converts the geometry of every direct child widget and the form's own size from
    // units to pixels with the form's font; the form gets that as its fixed size. A
    // combo box keeps its own height: a template gives a drop-down list's open extent
    // there. A group box draws its frame through the middle of its title, as in a
    // template. Only the first call on a form converts, so calling it twice is harmless.
    static void convertForm(QWidget* form);

private:
    int baseWidth_;
    int baseHeight_;
};

} // namespace maporv
