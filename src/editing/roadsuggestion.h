#pragma once

#include "editing/editstep.h"
#include "editing/roadclassifier.h"
#include "editing/terrainsuggestion.h"

#include <string>
#include <vector>

namespace maporv {

class EditHistory;
class MapPicture;

// Whether a hex of the cell grid has the road bit of a direction.
bool hasRoad(const MapDocument& document, HexCoord hex, int direction);

// Every hex of the map area.
HexMask roadAreaMask(const RoadJointGrid& grid);
// The hexes without a road bit of any kind: where roads are suggested when nothing is
// chosen.
HexMask hexesWithoutRoads(const MapDocument& document);

// The joints that the hexes of teachers speak for. A teacher's road bits are its
// whole truth: its bit toward a neighbour says a road, its missing bit says none. So a
// joint with a teacher on one side teaches what that side says; a joint between two
// teachers teaches when they agree (a road on both sides, or on neither) and nothing
// when they do not (a one-sided road). Only joints of the map area teach.
//
// A joint between a teacher and a hex to be suggested teaches too, because with a
// tenth of the hexes teaching only one joint in a hundred lies between two teachers:
// a couple of roads, too few to learn from; one in five touches a teacher.
void addRoadExamples(const MapDocument& document, const RoadJointGrid& grid,
                     const HexMask& teachers, std::vector<RoadExample>& examples);

// What suggesting did to a set of hexes.
struct RoadSuggestion {
    // The hexes whose roads change, roads only.
    EditStep step;
    // Joints of the targets with a road afterwards, and joints whose road changed.
    int roads = 0;
    int changed = 0;
};

// The roads of the targets of the map area, always on both sides of a joint:
//   - a joint between two targets gets a road when the classifier is at least
//     threshold sure of one, and none otherwise;
//   - a joint between a target and another hex follows the other hex, which keeps
//     its bits: the target gets the bit back when the other hex has a road toward it,
//     so a road set by hand is carried on, and none when it has not. A target never
//     gets a bit its neighbour would not answer;
//   - a target has no bit toward a hex outside the map area.
// The bits that name no direction (2, 6 and the upper byte) stay. The step is named
// "Suggest Roads (N joints)" after the joints it changes; nothing is applied yet.
RoadSuggestion suggestRoads(const MapDocument& document, const RoadJointGrid& grid,
                            const HexMask& targets, const RoadClassifier& classifier,
                            float threshold = RoadClassifier::kDefaultThreshold);

// The editor's Suggest Roads: the roads of the hexes of targets in the map area (the
// selection, or the hexes without roads), learnt from every other hex of the map area.
// The change is one step of the history, which raises map-modified.
struct SuggestRoadsOutcome {
    // False when the hexes that teach show no joint with a road, or none without:
    // nothing changed.
    bool enoughExamples = false;
    int roadsTaught = 0;
    int othersTaught = 0;
    int roads = 0;
    int changed = 0;
};
SuggestRoadsOutcome suggestRoadsFromPicture(MapDocument& document, const MapPicture& picture,
                                            EditHistory& history, const HexMask& targets);
// Why nothing was suggested, after the number of joints with a road that taught.
std::string tooFewRoadExamples(int roadsTaught);

} // namespace maporv
