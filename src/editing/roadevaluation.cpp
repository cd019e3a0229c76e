#include "editing/roadevaluation.h"

#include "editing/roadsuggestion.h"

#include <memory>

namespace maporv {

double RoadEvaluation::precision() const {
    return found + extra > 0 ? static_cast<double>(found) / (found + extra) : 1.0;
}

double RoadEvaluation::recall() const {
    return found + missed > 0 ? static_cast<double>(found) / (found + missed) : 1.0;
}

double RoadEvaluation::f1() const {
    const double p = precision();
    const double r = recall();
    return p + r > 0.0 ? 2.0 * p * r / (p + r) : 0.0;
}

RoadEvaluation evaluateRoadSuggestion(const MapDocument& document, const RoadJointGrid& grid,
                                      const HexMask& hidden,
                                      const std::vector<RoadExample>& extraExamples) {
    const auto isHidden = [&](HexCoord hex) { return grid.inArea(hex) && inMask(hidden, hex); };
    // The map as suggesting finds it: no road bit on a hidden hex.
    auto blank = std::make_unique<MapDocument>(document);
    forEachHex([&](int row, int column) {
        if (isHidden({row, column})) {
            blank->cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)].roads = 0;
        }
    });
    std::vector<RoadExample> examples = extraExamples;
    addRoadExamples(*blank, grid, outsideOf(roadAreaMask(grid), hidden), examples);
    RoadClassifier classifier;
    classifier.train(examples);
    RoadEvaluation result;
    result.roadsTaught = classifier.roadsTaught();
    result.othersTaught = classifier.othersTaught();

    const RoadSuggestion suggestion = suggestRoads(*blank, grid, hidden, classifier);
    for (const CellChange& change : suggestion.step.cells) {
        blank->cells[change.row][change.column] = change.after;
    }
    for (const HexJoint& joint : grid.joints()) {
        const HexCoord to = joint.to();
        const int back = oppositeDirection(joint.direction);
        const bool fromRoad = hasRoad(document, joint.from, joint.direction);
        if (!isHidden(joint.from) || !isHidden(to) || fromRoad != hasRoad(document, to, back)) {
            continue;
        }
        ++result.joints;
        const bool suggested = hasRoad(*blank, joint.from, joint.direction);
        if (fromRoad && suggested) {
            ++result.found;
        } else if (fromRoad != suggested) {
            (fromRoad ? result.missed : result.extra) += 1;
            result.mistakes.push_back({joint, fromRoad});
        }
    }
    return result;
}

} // namespace maporv
