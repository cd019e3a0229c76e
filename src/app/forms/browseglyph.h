#pragma once

#include <QIcon>
#include <QString>

class QAbstractButton;

namespace maporv {

// The browse buttons' folder glyph from the program's bitmaps (":/bitmaps/..."), its
// background colour (the top-left pixel) made transparent so that it sits on any
// button face. A null icon when the resource is missing.
QIcon browseGlyph(const QString& resource);

// Gives a browse button the glyph, shown at its own size or smaller when the button
// is too small for it, and no text.
void setBrowseGlyph(QAbstractButton& button, const QString& resource);

} // namespace maporv
