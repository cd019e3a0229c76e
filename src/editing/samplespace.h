#pragma once

#include "mapdata/terraintype.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace maporv {

// How strongly the samples near a hex speak for each terrain: the Gaussian weights of
// its nearest samples, summed by terrain.
using TerrainVotes = std::array<double, kTerrainTypeCount>;

// Samples of known terrain as points of a few features each, and how strongly they
// speak for each terrain near a point.
//
// Features are put on one scale (each minus its mean over the samples, divided by its
// spread, times its weight), then a point is compared with its k nearest samples, each
// weighted by a Gaussian of its distance. The width of the Gaussian is the distance
// within which three samples in four find another sample: it follows how densely the
// terrains are sampled, and one large, uniform terrain (the sea) cannot shrink it.
// Everything runs in a fixed order, so the same samples and point give the same votes.
class SampleSpace {
public:
    static constexpr int kNeighbours = 10;

    // points holds the features of every sample, weights.size() of them a sample, one
    // sample after another; terrains the terrain code (0..19) of each. A feature's
    // spread counts as at least its leastSpread, so that a feature all samples share
    // (a colour class no sample shows) still tells an odd point apart instead of being
    // blown up or dropped.
    void train(std::span<const float> points, std::span<const std::uint8_t> terrains,
               std::span<const float> weights, std::span<const float> leastSpread);

    // The point has weights.size() features, in the samples' order.
    TerrainVotes votes(const float* point) const;

    std::size_t size() const { return terrains_.size(); }
    const std::vector<std::uint8_t>& terrains() const { return terrains_; }

private:
    // The features as the distances see them.
    void scaled(const float* features, float* out) const;
    // The squared distances from a scaled point to every sample.
    void distances(const float* point, float* out) const;

    std::size_t dims_ = 0;
    std::vector<float> centre_;
    std::vector<float> scale_;
    // The scaled samples, feature by feature: feature i of sample s at i x count + s.
    std::vector<float> points_;
    std::vector<std::uint8_t> terrains_;
    double bandwidth_ = 1.0;
};

} // namespace maporv
