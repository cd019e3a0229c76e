#include "app/forms/editorfont.h"

#include <QApplication>
#include <QFont>

namespace maporv {

QFont editorFont() {
    QFont font(QStringLiteral("Liberation Sans"));
    // Where the family is missing, the platform's sans serif of the same size.
    font.setStyleHint(QFont::SansSerif);
    // Pixels, not points: the layouts must not grow with the screen's resolution.
    font.setPixelSize(11);
    return font;
}

void useEditorFont() {
    QApplication::setFont(editorFont());
}

} // namespace maporv
