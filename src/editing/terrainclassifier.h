#pragma once

#include "editing/hexfeatures.h"
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

// How strongly the samples near a hex speak for each terrain: the Gaussian weights of
// its nearest samples, summed by terrain.
using TerrainVotes = std::array<double, kTerrainTypeCount>;

// The classifier's answer for one hex: its most likely terrain and how sure it is,
// 0..1; terrain -1 when nothing comes close.
struct TerrainGuess {
    int terrain = -1;
    float confidence = 0.0f;
};

// Learns how each terrain looks in one picture from its samples alone, and names the
// terrain of other hexes of it.
//
// Features are put on one scale (each minus its mean over the samples, divided by its
// spread), then a hex is compared with its k nearest samples, each weighted by a
// Gaussian of its distance. The width of the Gaussian is the distance within which
// three samples in four find another sample: it follows how densely the terrains are
// sampled, and one large, uniform terrain (the sea) cannot shrink it. Beside the
// terrains stands "none of them", weighted as one sample kOutlierDistance widths away:
// the confidence of a terrain is its weight over the sum of all weights, that one
// included. So a hex between two terrains scores about a half, and one unlike every
// sample scores near 0. A terrain taught by fewer than ten samples cannot show how
// much its hexes vary (a town painted on one hex among fields, taught by two, lies
// many widths from both where the field under it or a road through it differs), so
// for it "none of them" stands further away, by the square root of ten over its
// samples: a hex nearer to it than to anything else is named. A terrain without
// samples is never named. Everything runs in
// a fixed order, so the same samples and hex give the same answer.
class TerrainClassifier {
public:
    static constexpr int kNeighbours = 10;
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

    TerrainVotes votes(const HexFeatures& features) const;
    TerrainGuess decide(const TerrainVotes& votes) const;
    TerrainGuess classify(const HexFeatures& features) const { return decide(votes(features)); }
    // The terrain to give the hex, or -1 when the classifier is less sure than threshold.
    int suggest(const HexFeatures& features, float threshold = kDefaultThreshold) const {
        return suggest(votes(features), threshold);
    }
    int suggest(const TerrainVotes& votes, float threshold = kDefaultThreshold) const;

    std::size_t sampleCount() const { return terrains_.size(); }
    // How many different terrains the samples show.
    int terrainCount() const;

private:
    // The features as the distances see them.
    void scaled(const HexFeatures& features, float* out) const;
    // The squared distances from a scaled point to every sample.
    void distances(const float* point, float* out) const;

    std::array<float, kHexFeatureCount> centre_{};
    std::array<float, kHexFeatureCount> scale_{};
    // The scaled samples, feature by feature: feature i of sample s at i x count + s.
    std::vector<float> points_;
    std::vector<std::uint8_t> terrains_;
    double bandwidth_ = 1.0;
    // Each terrain's votes count this much: its share among the hexes to be suggested
    // over its share among the samples; 1 from train() until adaptShares.
    std::array<double, kTerrainTypeCount> shareFactor_{};
    // How much further "none of them" stands for each terrain; 1 for well-taught ones.
    std::array<double, kTerrainTypeCount> reach_{};
};

} // namespace maporv
