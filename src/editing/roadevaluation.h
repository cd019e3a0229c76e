#pragma once

#include "editing/roadclassifier.h"
#include "editing/terrainsuggestion.h"

#include <vector>

namespace maporv {

// How well suggesting finds the roads between hexes whose roads are known.
struct RoadEvaluation {
    // A joint suggested wrongly: a road missed, or one suggested where there is none.
    struct Mistake {
        HexJoint joint;
        bool missed = false;
    };

    // The joints between two hidden hexes (a one-sided road between them counts for
    // neither), and how they came out.
    int joints = 0;
    int found = 0;
    int missed = 0;
    int extra = 0;
    // By row, then column, then direction of the joint's name.
    std::vector<Mistake> mistakes;
    int roadsTaught = 0;
    int othersTaught = 0;

    int correct() const { return joints - missed - extra; }
    // 1 when there was nothing to find or nothing was suggested.
    double precision() const;
    double recall() const;
    double f1() const;
};

// Hides the roads of the hidden hexes, learns from every other hex of the map area and
// from extraExamples, suggests the hidden ones as the editor would and compares the
// joints between two hidden hexes with the truth. Hide them with hiddenHexes(), the
// choice the terrain suggestion is evaluated on.
RoadEvaluation evaluateRoadSuggestion(const MapDocument& document, const RoadJointGrid& grid,
                                      const HexMask& hidden,
                                      const std::vector<RoadExample>& extraExamples = {});

} // namespace maporv
