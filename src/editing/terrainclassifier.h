#pragma once

#include "editing/hexfeatures.h"
#include "editing/samplespace.h"
#include "mapdata/terraintype.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace maporv {

// A hex whose terrain is known, with what its picture looks like.
struct TerrainSample {
    HexFeatures features{};
    int terrain = 0;
};

// The classifier's answer for one hex: its most likely terrain and how sure it is,
// 0..1; terrain -1 when nothing comes close.
struct TerrainGuess {
    int terrain = -1;
    float confidence = 0.0f;
};

// Learns how each terrain looks in one picture from its samples alone, and names the
// terrain of other hexes of it.
//
// The samples are points of every feature but the light-free classes (SampleSpace):
// a hex's votes are the Gaussian weights of its nearest samples. Beside the terrains
// stands "none of them", weighted as one sample kOutlierDistance widths away: the
// confidence of a terrain is its weight over the sum of all weights, that one
// included. So a hex between two terrains scores about a half, and one unlike every
// sample scores near 0. A terrain taught by fewer than ten samples cannot show how
// much its hexes vary (a town painted on one hex among fields, taught by two, lies
// many widths from both where the field under it or a road through it differs), so
// for it "none of them" stands further away, by the square root of ten over its
// samples: a hex nearer to it than to anything else is named. Nor can it show how it
// looks under another light, where the fields, taught all over the map, show it: a
// town in a dim corner, taught by two in bright ones, is unlike every sample. So a
// hex unlike every sample ("none of them" outweighs all terrains together; a hex
// between two terrains is unsure for another reason than the light) is asked again in
// a second space, of the features that a light multiplying every colour leaves as
// they are (the colour axes, the spreads and the mean step over L + 16, the
// light-free classes), which is built when a terrain is taught by so few. If that
// names such a terrain nine in ten sure, the hex is given it. Only such a terrain: the
// others show their hexes in every light already, so a hex unlike them is unlike them
// in more than the light. A terrain without samples is never named. Everything runs
// in a fixed order, so the same samples and hex give the same answer.
class TerrainClassifier {
public:
    static constexpr double kOutlierDistance = 3.5;
    // Suggestions below this confidence leave the hex as it is: a suggestion must be
    // more likely than everything else together.
    static constexpr float kDefaultThreshold = 0.5f;

    // Samples with a terrain code outside 0..19 are ignored.
    void train(const std::vector<TerrainSample>& samples);

    // How common each terrain is among the hexes to be suggested, learnt from the
    // hexes themselves (expectation-maximisation of the terrains' shares), so that the
    // answers no longer follow how many samples each terrain has: a user who sets five
    // hexes of every terrain by hand says nothing about how much of the map is fields
    // and how little is streams, and a hex between the two would be a toss-up. Only
    // with Clear among the samples: without it every field among the hexes would
    // count for whichever terrain lies nearest. And only when the learnt shares lie far
    // from the samples' own: samples drawn from the map itself already have its shares.
    void adaptShares(const std::vector<TerrainVotes>& targets);

    // The votes of the hex's nearest samples, which adaptShares learns from.
    TerrainVotes votes(const HexFeatures& features) const;
    // The answer for a hex with these votes; for a hex unlike every sample, the
    // light-free space's when that names a terrain taught by a few samples surely.
    TerrainGuess classify(const TerrainVotes& votes, const HexFeatures& features,
                          float threshold = kDefaultThreshold) const;
    TerrainGuess classify(const HexFeatures& features, float threshold = kDefaultThreshold) const {
        return classify(votes(features), features, threshold);
    }
    // The terrain to give the hex, or -1 when the classifier is less sure than threshold.
    int suggest(const TerrainVotes& votes, const HexFeatures& features,
                float threshold = kDefaultThreshold) const;
    int suggest(const HexFeatures& features, float threshold = kDefaultThreshold) const {
        return suggest(votes(features), features, threshold);
    }

    std::size_t sampleCount() const { return lit_.size(); }
    // How many different terrains the samples show.
    int terrainCount() const;

private:
    TerrainGuess decide(const TerrainVotes& votes) const;

    // The samples with their features as the picture shows them.
    SampleSpace lit_;
    // The same samples free of the light; empty unless a terrain has few samples.
    SampleSpace lightFree_;
    // Each terrain's votes count this much: its share among the hexes to be suggested
    // over its share among the samples; 1 from train() until adaptShares.
    std::array<double, kTerrainTypeCount> shareFactor_{};
    // How much further "none of them" stands for each terrain; 1 for well-taught ones.
    std::array<double, kTerrainTypeCount> reach_{};
};

} // namespace maporv
