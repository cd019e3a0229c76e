#pragma once

#include "editing/editstep.h"

#include <optional>
#include <string>
#include <vector>

namespace maporv {

class MapDocument;
class MapNames;

// The mistakes a map check finds, in the order the lines of one hex list them.
enum class MapProblemKind {
    OneSidedRoad,
    RoadOffMap,
    RoadWithoutDirection,
    UnknownTerrain,
    NameOutsideMap,
    BeyondPicture,
};

// "one-sided-road", "road-off-map", ...
const char* problemKindName(MapProblemKind kind);

// One line of the check: a hex, the kind of mistake and what is wrong there.
struct MapProblem {
    int row = 0;
    int column = 0;
    MapProblemKind kind = MapProblemKind::OneSidedRoad;
    std::string detail;

    // The hex as the names files write it, column first, then the kind and the
    // detail: "(07,12) one-sided-road: N to (07,11), which has no road S".
    std::string text() const;

    friend bool operator==(const MapProblem&, const MapProblem&) = default;
};

struct PictureSize {
    int width = 0;
    int height = 0;
};

// Checks the map area, the header's width x height (clamped as the reader clamps
// them), for roads whose other side is missing, roads that leave the area, road
// bits that name no direction and terrain codes without a name; outside the area
// only named hexes are reported. With the picture's size, the rows and columns of
// the area the picture does not reach (the editor neither shows them nor moves the
// cursor there) give one line per block. At most one line per hex and kind, sorted
// by row, then column.
std::vector<MapProblem> checkMap(const MapDocument& document, const MapNames& names,
                                 std::optional<PictureSize> picture = std::nullopt);

// The step that mends every one-sided road of the area by setting the missing
// opposite bit on the neighbour (a road is never removed), named
// "Mend Roads (N hexes)" after the hexes it changes. Empty when nothing needs it.
EditStep roadMendStep(const MapDocument& document);

} // namespace maporv
