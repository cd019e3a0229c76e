#include "editing/brushsteps.h"

#include "editing/brush.h"
#include "mapdata/terraintype.h"

namespace maporv {

namespace {
constexpr int kLastTerrainCode = kTerrainTypeCount - 1;
} // namespace

int nextTerrainCode(int code) {
    return code >= kLastTerrainCode ? 0 : code + 1;
}

int previousTerrainCode(int code) {
    return code <= 0 ? kLastTerrainCode : code - 1;
}

void toggleBrushRoad(Brush& brush, std::uint16_t bit) {
    brush.roads = static_cast<std::uint16_t>(brush.roads ^ (bit & RoadMask::Settable));
}

int previousNameEntry(int entry, int count) {
    if (count <= 1) {
        return 0;
    }
    // An entry past the list (left over from a longer list) steps back onto its end.
    if (entry <= 0 || entry > count - 1) {
        return count - 1;
    }
    return entry - 1;
}

int nextNameEntry(int entry, int count) {
    if (count <= 1 || entry < 0 || entry >= count - 1) {
        return 0;
    }
    return entry + 1;
}

} // namespace maporv
