#pragma once

#include "canvas.h"

namespace maporv {

inline constexpr int kTerrainCount = 20;
inline constexpr int kIconWidth = 16;
inline constexpr int kIconHeight = 11;
// Icon index of the marker of a named hex, after the 20 terrain types.
inline constexpr int kNamedHexIcon = 20;

// Draws icon `index` (terrain 0..19 or kNamedHexIcon) with its top-left at (x, y).
// Only the icon's own pixels are written: the corners of the framed tiles and the
// surroundings of the marker keep what the canvas had.
void drawTerrainIcon(Canvas& canvas, int x, int y, int index);

} // namespace maporv
