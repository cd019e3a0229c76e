#pragma once

#include "canvas.h"

#include <string_view>

namespace maporv {

// A small proportional pixel font, so that the bitmaps come out the same on every
// machine: capitals and digits are 7 pixels high, descenders reach 2 pixels below.
inline constexpr int kCapHeight = 7;

// Width in pixels of `text`; bold text is one pixel wider per character.
int textWidth(std::string_view text, bool bold = false);

// Draws `text` with the top of its capitals at y.
void drawText(Canvas& canvas, int x, int y, std::string_view text, Colour c, bool bold = false);

// Draws `text` centred on the column cx.
void drawTextCentred(Canvas& canvas, int cx, int y, std::string_view text, Colour c,
                     bool bold = false);

} // namespace maporv
