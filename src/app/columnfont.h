#pragma once

class QFont;
class QListWidget;

namespace maporv {

// Gives a list whose lines are laid out in columns of characters a fixed-pitch font:
// the size of the list's own font, made smaller (down to 6 points) until a line of
// that many characters fits beside the vertical scroll bar.
void useColumnFont(QListWidget& list, int columns);

} // namespace maporv
