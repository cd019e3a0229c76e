#pragma once

#include <cstdint>

namespace maporv {

struct Brush;

// Brush changes of the "+" / "-" keys, the on-screen panel and the Set data dialog.
// They change no map data, so none of them is an undoable step.

// One terrain code up; any code above 18 (also one copied from a hex) wraps to 0.
int nextTerrainCode(int code);
// One terrain code down; 0 or less wraps to 19.
int previousTerrainCode(int code);

// Inverts one of the six settable road directions of the brush; other bits are
// left alone, so a roads word copied from a hex keeps 0x04 and 0x40.
void toggleBrushRoad(Brush& brush, std::uint16_t bit);

// The name entry before / after entry in a list of count entries (count includes
// the reserved entry 0). Both wrap around and always land in 0 .. count - 1, and on
// 0 when the list holds no names.
int previousNameEntry(int entry, int count);
int nextNameEntry(int entry, int count);

} // namespace maporv
