#include "editing/roadsuggestion.h"

#include "editing/edithistory.h"
#include "mapdata/terraintype.h"
#include "mapdata/textformat.h"
#include "picture/mappicture.h"

#include <utility>

namespace maporv {

bool hasRoad(const MapDocument& document, HexCoord hex, int direction) {
    return (cellOf(document, hex).roads & directionBit(direction)) != 0;
}

HexMask roadAreaMask(const RoadJointGrid& grid) {
    HexMask mask{};
    forEachHex([&](int row, int column) {
        maskAt(mask, {row, column}) = grid.inArea({row, column}) ? 1 : 0;
    });
    return mask;
}

HexMask hexesWithoutRoads(const MapDocument& document) {
    HexMask mask{};
    forEachHex([&](int row, int column) {
        maskAt(mask, {row, column}) = cellOf(document, {row, column}).roads == 0 ? 1 : 0;
    });
    return mask;
}

void addRoadExamples(const MapDocument& document, const RoadJointGrid& grid,
                     const HexMask& teachers, std::vector<RoadExample>& examples) {
    for (std::size_t j = 0; j < grid.joints().size(); ++j) {
        const HexJoint& joint = grid.joints()[j];
        const HexCoord to = joint.to();
        const bool fromTeaches = inMask(teachers, joint.from);
        const bool toTeaches = inMask(teachers, to);
        const bool fromRoad = hasRoad(document, joint.from, joint.direction);
        const bool toRoad = hasRoad(document, to, oppositeDirection(joint.direction));
        if ((!fromTeaches && !toTeaches) || (fromTeaches && toTeaches && fromRoad != toRoad)) {
            continue;
        }
        examples.push_back({&grid, static_cast<int>(j), fromTeaches ? fromRoad : toRoad});
    }
}

RoadSuggestion suggestRoads(const MapDocument& document, const RoadJointGrid& grid,
                            const HexMask& targets, const RoadClassifier& classifier,
                            float threshold) {
    const auto isTarget = [&](HexCoord hex) { return grid.inArea(hex) && inMask(targets, hex); };
    // The targets' new roads: their bits without a direction, then a bit per road.
    MapDocument::Grid<std::uint16_t> roads{};
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            roads[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
                static_cast<std::uint16_t>(cellOf(document, {row, column}).roads &
                                           ~unsigned{RoadMask::Settable});
        }
    }
    const auto addBit = [&roads](HexCoord hex, int direction) {
        auto& word = roads[static_cast<std::size_t>(hex.row)][static_cast<std::size_t>(hex.column)];
        word = static_cast<std::uint16_t>(word | directionBit(direction));
    };
    // The joints between two targets are the classifier's, adapted to how common roads
    // are among them.
    std::vector<int> decided;
    std::vector<double> probabilities;
    for (std::size_t j = 0; j < grid.joints().size(); ++j) {
        const HexJoint& joint = grid.joints()[j];
        if (!isTarget(joint.from) || !isTarget(joint.to())) {
            continue;
        }
        if (const auto probability = classifier.probability(grid, static_cast<int>(j))) {
            decided.push_back(static_cast<int>(j));
            probabilities.push_back(*probability);
        }
    }
    probabilities = classifier.adaptedToTargets(std::move(probabilities));
    std::size_t next = 0;
    RoadSuggestion result;
    for (std::size_t j = 0; j < grid.joints().size(); ++j) {
        const HexJoint& joint = grid.joints()[j];
        const HexCoord to = joint.to();
        const int back = oppositeDirection(joint.direction);
        const bool fromTarget = isTarget(joint.from);
        const bool toTarget = isTarget(to);
        if (!fromTarget && !toTarget) {
            continue;
        }
        const bool fromRoad = hasRoad(document, joint.from, joint.direction);
        const bool toRoad = hasRoad(document, to, back);
        bool road = false;
        if (fromTarget && toTarget) {
            if (next < decided.size() && decided[next] == static_cast<int>(j)) {
                road = probabilities[next++] >= threshold;
            }
        } else {
            road = fromTarget ? toRoad : fromRoad;
        }
        if (road) {
            addBit(joint.from, joint.direction);
            addBit(to, back);
            ++result.roads;
        }
        result.changed += fromRoad != road || toRoad != road ? 1 : 0;
    }
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            if (!isTarget({row, column})) {
                continue;
            }
            const HexCell& before = cellOf(document, {row, column});
            HexCell after = before;
            after.roads = roads[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            if (after != before) {
                result.step.cells.push_back({static_cast<std::uint8_t>(row),
                                             static_cast<std::uint8_t>(column), before, after});
            }
        }
    }
    result.step.name = strprintf("Suggest Roads (%d %s)", result.changed,
                                 result.changed == 1 ? "joint" : "joints");
    return result;
}

SuggestRoadsOutcome suggestRoadsFromPicture(MapDocument& document, const MapPicture& picture,
                                            EditHistory& history, const HexMask& targets) {
    RoadJointGrid grid;
    grid.compute(picture);
    std::vector<RoadExample> examples;
    addRoadExamples(document, grid, outsideOf(roadAreaMask(grid), targets), examples);
    RoadClassifier classifier;
    classifier.train(examples);
    SuggestRoadsOutcome outcome;
    outcome.roadsTaught = classifier.roadsTaught();
    outcome.othersTaught = classifier.othersTaught();
    if (!classifier.ready()) {
        return outcome;
    }
    RoadSuggestion suggestion = suggestRoads(document, grid, targets, classifier);
    outcome.enoughExamples = true;
    outcome.roads = suggestion.roads;
    outcome.changed = suggestion.changed;
    history.perform(std::move(suggestion.step));
    return outcome;
}

std::string tooFewRoadExamples(int roadsTaught) {
    return roadsTaught == 0 ? "No road to learn from: no hex that teaches has one"
                            : "No joint without a road to learn from";
}

} // namespace maporv
