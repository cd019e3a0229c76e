#pragma once

class QComboBox;
class QFont;
class QListWidget;

namespace maporv {

// Gives a list whose lines are laid out in columns of characters a fixed-pitch font:
// the size of the list's own font, made smaller (down to 8 pixels, or 6 points for a
// font sized in points) until a line of that many characters fits beside the vertical
// scroll bar.
void useColumnFont(QListWidget& list, int columns);
// The same for a drop-down list: the line fits into the closed box beside its arrow.
void useColumnFont(QComboBox& combo, int columns);

} // namespace maporv
