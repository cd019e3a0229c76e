#pragma once

class QPoint;
class QWidget;

namespace maporv {

// Puts a tool dialog's top-left corner at the dialog anchor (the top-left corner of the
// display area); in window mode 48 pixels lower, below the caption and the menu bar.
void placeAtAnchor(QWidget& dialog, const QPoint& anchor, bool windowMode);

} // namespace maporv
