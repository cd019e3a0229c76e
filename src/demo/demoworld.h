#pragma once

#include "mapdata/hexdirection.h"
#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"

#include <cstdint>
#include <vector>

namespace maporv {

// The terrain codes the demo uses (the names are in the TerrainType table).
namespace TerrainCode {
inline constexpr int Clear = 0;
inline constexpr int City = 1;
inline constexpr int Airfield = 2;
inline constexpr int Forest = 3;
inline constexpr int Jungle = 4;
inline constexpr int Hill = 5;
inline constexpr int Mountain = 6;
inline constexpr int Sand = 7;
inline constexpr int Swamp = 8;
inline constexpr int Ocean = 9;
inline constexpr int River = 10;
inline constexpr int Fortification = 11;
inline constexpr int Port = 12;
inline constexpr int Stream = 13;
inline constexpr int Rough = 16;
inline constexpr int Lake = 17;
} // namespace TerrainCode

inline bool isWater(int terrain) {
    return terrain == TerrainCode::Ocean || terrain == TerrainCode::Lake;
}

// The demo's picture: 1920 x 1920 pixels, the largest the game shows.
inline constexpr int kDemoPictureSize = 1920;

// The demo scenario's number: its tiles are MAP0700.s16 .. MAP0723.s16, its names
// MAP007.TXT.
inline constexpr int kDemoMapNumber = 7;

// Centre of a hex's bounding box in picture pixels at full size (column 0 lies half
// outside the picture's left edge).
int hexCentreX(int column);
int hexCentreY(int row, int column);

// A generated map: the MAP data, the place names and the course of every river and
// stream from its source to its mouth (consecutive hexes are adjacent; the last one
// is the sea, the lake or the river it flows into).
struct DemoWorld {
    MapDocument document;
    MapNames names;
    std::vector<std::vector<HexCoord>> rivers;
};

// Fills world with the demo map: sea and coast, hills and mountains, forests, a lake,
// rivers, towns joined by roads, a port, an airfield and a fortification. Always the
// same map.
void buildDemoWorld(DemoWorld& world);

} // namespace maporv
