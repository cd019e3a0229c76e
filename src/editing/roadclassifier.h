#pragma once

#include "editing/logisticmodel.h"
#include "editing/roadjoints.h"

#include <array>
#include <optional>
#include <vector>

namespace maporv {

// Learns what a painted road looks like in one picture from joints whose roads are
// known, and says how likely a road crosses another joint.
//
// A road is a thin line of its own colour that crosses the edge between two hexes and
// goes on into both. So the classifier learns in two steps:
//   1. Which colours are road (RoadColours): a score for every colour cell, from how
//      much more often it shows in the joints with a road than in those without.
//   2. Whether a line of those colours crosses the joint. Over the rows of samples
//      from one side of the edge to the other, the best chain of short windows (each
//      row's window at most kStep samples beside the last) is found by dynamic
//      programming, once on the windows' road colour and once on how much they stand
//      out from the samples a little way either side (a line does, an area of its
//      colour does not). A road crossing the edge anywhere makes strong chains over
//      every row; a road along the edge, or one passing through a corner to a third
//      hex, only over some. The chains' means, weakest rows and rows about the edge,
//      the share of road colour beside the chain on the edge (a road along it, a
//      town) and the mean over the whole joint describe it, and a logistic regression
//      fitted to the examples gives the probability: one that means what it says (a
//      road when more likely than not), and with eight numbers a few dozen roads fit
//      it.
// Each example is described with colour scores learnt from the other examples (four
// folds): described with scores learnt from itself as well, a road would stand out
// more than the roads to be found do, and the regression would trust the colours too
// much. A joint whose edge row shows less road colour than every road taught, by a
// margin, has no road: most joints are decided without a closer look, and the
// regression learns from the examples that remain, the ones that are hard to tell.
class RoadClassifier {
public:
    static constexpr float kDefaultThreshold = 0.5f;
    static constexpr int kFeatureCount = 8;
    using Features = std::array<double, kFeatureCount>;

    void train(const std::vector<RoadExample>& examples);
    int roadsTaught() const { return roads_; }
    int othersTaught() const { return others_; }
    // Learnt from at least one joint with a road and one without.
    bool ready() const { return roads_ > 0 && others_ > 0; }

    // How likely a road crosses the joint, 0..1, among the joints that may be crossed
    // as the examples are; none for the others (mayCross), which have no road.
    std::optional<double> probability(const RoadJointGrid& grid, int joint) const;

    // The probabilities of the joints to be suggested, made over for how common roads
    // are among them, which is learnt from the probabilities themselves
    // (expectation-maximisation of the share of roads). The examples may hold roads far
    // more often than the joints to be suggested do: when the hexes with roads teach
    // and the hexes without are suggested, a fifth of the joints taught have a road and
    // a few in a hundred of those suggested, and a joint that looks a little like a
    // road would be given one.
    std::vector<double> adaptedToTargets(std::vector<double> probabilities) const;

private:
    static Features featuresWith(const std::vector<float>& cellScore, const RoadJointGrid& grid,
                                 int joint);
    // False when the joint's edge shows less road colour than every road taught, by a
    // margin: no road, and most joints are told so without a closer look.
    bool mayCross(const RoadJointGrid& grid, int joint) const;
    // The most road colour a window of the edge row holds.
    static float crossingWith(const std::vector<float>& cellScore, const RoadJointGrid& grid,
                              int joint);

    std::vector<float> cellScore_;
    LogisticModel model_{kFeatureCount};
    // Below this on the edge row a joint has no road.
    float leastCrossing_ = 0.0f;
    int roads_ = 0;
    int others_ = 0;
    // The examples without a road that may be crossed, which the regression learns from.
    int closeOthers_ = 0;
};

} // namespace maporv
