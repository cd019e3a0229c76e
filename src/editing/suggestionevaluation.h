#pragma once

#include "editing/terrainclassifier.h"
#include "editing/terrainsuggestion.h"
#include "mapdata/terraintype.h"

#include <array>
#include <cstdint>
#include <vector>

namespace maporv {

class HexFeatureGrid;
class MapDocument;

// How well suggesting finds the terrain of hexes whose terrain is known.
struct SuggestionEvaluation {
    // Stands for "left unsuggested" among the confusions.
    static constexpr int kUnsuggested = -2;

    struct Recall {
        int hidden = 0;
        int correct = 0;
        // The answer given most often in place of the right one (on a tie the lowest
        // code, unsuggested last), -1 when none was wrong.
        int confusedWith = -1;
        int confusedCount = 0;
    };

    int hidden = 0;
    int correct = 0;
    std::array<Recall, kTerrainTypeCount> terrains{};
    // How many different terrains taught: below two nothing was suggested, as
    // suggesting itself refuses then.
    int terrainsTaught = 0;

    double accuracy() const { return hidden > 0 ? static_cast<double>(correct) / hidden : 0.0; }
};

// The hexes an evaluation hides: percent (0..100) of the hexes of area of every terrain
// (Clear included; rounded so that the total is percent of all), chosen at random from
// a fixed seed. Terrain and road suggestion are evaluated on the same choice.
inline constexpr std::uint64_t kEvaluationSeed = 19;
HexMask hiddenHexes(const MapDocument& document, const HexMask& area, int percent,
                    std::uint64_t seed = kEvaluationSeed);

// Hides percent (1..99) of the map area's hexes, the same share of every terrain
// (Clear included) chosen at random from a fixed seed, learns from the rest and from
// extraSamples, suggests the hidden ones and compares. A hidden hex left unsuggested
// counts as wrong.
SuggestionEvaluation evaluateSuggestion(const MapDocument& document, const HexFeatureGrid& features,
                                        int percent,
                                        const std::vector<TerrainSample>& extraSamples = {},
                                        std::uint64_t seed = kEvaluationSeed);

// The way a new map is made: of every terrain (Clear included) perTerrain hexes,
// chosen at random from a fixed seed, are set by hand and teach, with extraSamples;
// every other hex of the map area starts Clear and is suggested. A terrain with no
// more hexes than perTerrain only teaches.
SuggestionEvaluation evaluateNewMap(const MapDocument& document, const HexFeatureGrid& features,
                                    int perTerrain,
                                    const std::vector<TerrainSample>& extraSamples = {},
                                    std::uint64_t seed = kEvaluationSeed);

} // namespace maporv
