#pragma once

#include "mapdata/mapdocument.h"

#include <cstdint>

namespace maporv {

// The hexes whose terrain the user has set by hand since the map was read or begun,
// and which terrains they were given. Setting a hex by hand counts even when it already
// had that terrain: on a new map, saying that a field is Clear changes no byte, yet
// it is what lets Clear teach Suggest Terrain.
//
// A hex counts as set by hand while it shows one of the terrains the user gave it, so
// undo and redo need no bookkeeping: undoing a Set Terrain brings back the terrain
// before, which no longer counts (unless the user had set that one by hand too), and
// redoing it counts again.
class HandSetHexes {
public:
    // Terrain codes outside 0..19 are not kept: they never teach.
    void mark(int row, int column, int terrain);
    bool setByHand(const MapDocument& document, int row, int column) const;
    void clear() { terrains_ = {}; }

private:
    // One bit per terrain code.
    MapDocument::Grid<std::uint32_t> terrains_{};
};

} // namespace maporv
