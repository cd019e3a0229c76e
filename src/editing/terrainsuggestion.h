#pragma once

#include "editing/editstep.h"
#include "editing/terrainclassifier.h"
#include "mapdata/hexdirection.h"
#include "mapdata/mapdocument.h"
#include "mapdata/terraintype.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace maporv {

class EditHistory;
class MapPicture;

// A set of hexes of the cell grid.
using HexMask = MapDocument::Grid<std::uint8_t>;

// Every hex of the cell grid, row by row.
template <typename Visit>
void forEachHex(Visit visit) {
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            visit(row, column);
        }
    }
}

// A hex's entry in a mask, whether the mask holds it, and its cell; the hex lies in the
// cell grid.
inline std::uint8_t& maskAt(HexMask& mask, HexCoord hex) {
    return mask[static_cast<std::size_t>(hex.row)][static_cast<std::size_t>(hex.column)];
}
inline bool inMask(const HexMask& mask, HexCoord hex) {
    return mask[static_cast<std::size_t>(hex.row)][static_cast<std::size_t>(hex.column)] != 0;
}
inline const HexCell& cellOf(const MapDocument& document, HexCoord hex) {
    return document.cells[static_cast<std::size_t>(hex.row)][static_cast<std::size_t>(hex.column)];
}

// The hexes of area outside mask.
HexMask outsideOf(const HexMask& area, const HexMask& mask);

// The hexes of the map area whose terrain is mask's, as samples. Hexes with a
// terrain code outside 0..19 teach nothing.
void addTerrainSamples(const MapDocument& document, const HexFeatureGrid& features,
                       const HexMask& teaching, std::vector<TerrainSample>& samples);
// Every hex of the map area.
HexMask mapAreaMask(const HexFeatureGrid& features);
// The hexes of the map area outside mask.
HexMask mapAreaOutside(const HexFeatureGrid& features, const HexMask& mask);
int countHexes(const HexMask& mask);

// The hexes to suggest: those of chosen in the map area, or with none chosen the Clear
// ones, less the hexes of setByHand, which are never suggested and teach whatever
// their terrain (Clear included). Every hex of the map area outside the targets
// teaches.
HexMask suggestionTargets(const MapDocument& document, const HexFeatureGrid& features,
                          const HexMask* chosen, const HexMask& setByHand);

// What suggesting did to a set of hexes.
struct TerrainSuggestion {
    // The hexes whose terrain changes, terrain only: roads and the other bytes stay.
    EditStep step;
    // Hexes given a terrain (also when it is the one they had) and hexes left as they
    // were, below the confidence threshold.
    int suggested = 0;
    int leftAsTheyWere = 0;
    std::array<int, kTerrainTypeCount> perTerrain{};
};

// The most likely terrain of every hex of targets in the map area, where the
// classifier is at least threshold sure, once it has learnt how common each terrain is
// among the targets. The step is named "Suggest Terrain (N hexes)" after the hexes it
// changes; nothing is applied yet.
TerrainSuggestion suggestTerrain(const MapDocument& document, const HexFeatureGrid& features,
                                 const HexMask& targets, TerrainClassifier& classifier,
                                 float threshold = TerrainClassifier::kDefaultThreshold);

// The editor's Suggest Terrain. The hexes set by hand since the map was read or begun
// (the history's marks) are never suggested and teach whatever their terrain. With
// hexes of the map area selected, the others of them are suggested and every other
// hex of the map area teaches, Clear included; with none, the Clear hexes are
// suggested and the others teach, so that on a new map the hexes set by hand teach
// alone. The change is one step of the history, which raises map-modified.
struct SuggestTerrainOutcome {
    // False when the labels show fewer than two terrains: nothing changed.
    bool enoughTerrains = false;
    int set = 0;
    int left = 0;
};
SuggestTerrainOutcome suggestTerrainFromPicture(MapDocument& document, const MapPicture& picture,
                                                EditHistory& history);

} // namespace maporv
