#pragma once

#include "mapdata/hexdirection.h"

namespace maporv {

// Where the user points when an editing key or button arrives, as the window knows
// it: the cursor hex of the HexGrid and the view's current hex. They differ for a
// moment after a keypad move, until the next frame puts the current hex back under
// the pointer. The current hex exists once the pointer has been over the map view;
// until then the set, get and clear commands that read it do nothing.
struct EditCursor {
    int row = 0; // the cursor hex
    int column = 0;
    bool currentExists = false;
    int currentRow = 0;
    int currentColumn = 0;
};

} // namespace maporv
