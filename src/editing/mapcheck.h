#pragma once

#include "editing/editstep.h"
#include "mapdata/hexdirection.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace maporv {

class MapDocument;
class MapNames;
class MapPicture;

// The mistakes a map check finds: first those of the whole map, then per hex in the
// order the lines of one hex list them.
enum class MapProblemKind {
    FileSize,
    HeaderSize,
    OneSidedRoad,
    RoadOffMap,
    RoadWithoutDirection,
    UnknownTerrain,
    NameOutsideMap,
};

// For scripts: "file-size", "one-sided-road", ...
const char* problemKindName(MapProblemKind kind);
// For people: "file size", "one-sided road", ...
const char* problemKindWords(MapProblemKind kind);

enum class ProblemNaming { Identifier, Words };

// One line of the check: a hex (or the whole map), the kind of mistake and what is
// wrong there.
struct MapProblem {
    int row = 0;
    int column = 0;
    MapProblemKind kind = MapProblemKind::OneSidedRoad;
    std::string detail;
    // About the map as a whole: row and column mean nothing.
    bool wholeMap = false;

    // The hex as the names files write it, column first, then the kind and the
    // detail: "(07,12) one-sided-road: N to (07,11), which has no road S"; a line of
    // the whole map has no hex.
    std::string text(ProblemNaming naming = ProblemNaming::Identifier) const;

    friend bool operator==(const MapProblem&, const MapProblem&) = default;
};

struct PictureSize {
    int width = 0;
    int height = 0;
};

// The size that decides the map's area: the picture's while it is in the buffer; none
// when it is missing or unreadable.
std::optional<PictureSize> pictureSizeOf(const MapPicture& picture);

// Columns and rows of hexes.
struct HexExtent {
    int columns = 0;
    int rows = 0;

    friend bool operator==(const HexExtent&, const HexExtent&) = default;
};

// Whether a hex lies in the area (columns x rows from hex (0, 0)) and in the cell grid.
bool inArea(const HexExtent& area, HexCoord hex);

// The hexes the grid gives a picture (what the editor shows and lets the cursor
// reach), within the 45 x 40 cells.
HexExtent pictureReach(const PictureSize& picture);

// The hexes a check looks at and the tool's drawing keeps to: what the picture reaches
// when its size is given, else the header's width x height, clamped as the MAP reader
// clamps them (a new map's header may still hold zeros).
HexExtent mapArea(const MapDocument& document, const std::optional<PictureSize>& picture);

// A MAP file of another length than 14371 bytes: short files leave cells unread,
// long ones carry bytes the game does not read.
std::optional<MapProblem> checkFileSize(std::size_t bytes);

// Checks the map area for roads whose other side is missing, roads that leave the
// area, road bits that name no direction and terrain codes without a name; outside
// the area only named hexes are reported, and so is every line of the names file
// that named a hex outside the grid. The area is what the picture reaches when its
// size is given, and a header that says otherwise is a mistake; without a picture it
// is the header's width x height (clamped as the reader clamps them). At most one
// line per hex and kind, the whole map's first, then by row, then column.
std::vector<MapProblem> checkMap(const MapDocument& document, const MapNames& names,
                                 std::optional<PictureSize> picture = std::nullopt);

// What a check without the picture leaves out, to say beside its findings.
std::string noPictureNote(const MapDocument& document);

// The step that mends every one-sided road of the area by setting the missing
// opposite bit on the neighbour (a road is never removed), named
// "Mend Roads (N hexes)" after the hexes it changes. Empty when nothing needs it.
EditStep roadMendStep(const MapDocument& document,
                      std::optional<PictureSize> picture = std::nullopt);

// The step that sets the header's width and height to what the picture reaches,
// named "Set Header (16 x 10)". Empty when the header already says so.
EditStep headerStep(const MapDocument& document, const PictureSize& picture);

} // namespace maporv
