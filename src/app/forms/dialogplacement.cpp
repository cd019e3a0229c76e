#include "app/forms/dialogplacement.h"

#include <QPoint>
#include <QWidget>

namespace maporv {

void placeAtAnchor(QWidget& dialog, const QPoint& anchor, bool windowMode) {
    constexpr int kWindowModeDrop = 48;
    dialog.move(anchor.x(), anchor.y() + (windowMode ? kWindowModeDrop : 0));
}

} // namespace maporv
