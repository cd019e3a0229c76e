#include "editing/terrainclassifier.h"

#include "mapdata/terraintype.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace maporv {
namespace {

constexpr std::size_t kDims = kHexFeatureCount;
// The least spread a feature is divided by, in its own units, so that a feature all
// samples share (a colour class no sample shows) still tells an odd hex apart
// instead of being blown up or dropped.
constexpr std::array<float, kDims> kLeastSpread{1.0f,  1.0f,  1.0f,  0.5f,  0.5f,  0.5f,
                                                0.01f, 0.2f,  0.01f, 0.01f, 0.01f, 0.01f,
                                                0.01f, 0.01f, 0.01f, 0.01f, 0.01f};
static_assert(kLeastSpread.size() == kDims);

// How much each feature counts. The spreads count half: they vary most within one
// terrain (a coast, a road across a field), so at full weight they drown the colour.
constexpr float weightOf(std::size_t feature) {
    return feature >= static_cast<std::size_t>(kSpreadLightness) &&
                   feature <= static_cast<std::size_t>(kSpreadBlueYellow)
               ? 0.5f
               : 1.0f;
}

// The width of the Gaussian: the distance to the nearest other sample that this
// share of the samples stays within, over at most kWidthProbes of them, evenly
// spaced (enough for a steady value, and training stays linear in the samples).
constexpr double kWidthQuantile = 0.75;
constexpr std::size_t kWidthProbes = 256;
// Samples that are all alike (a flat painted colour) would shrink the width to
// nothing, and a hex of that colour with a road across it would look unlike them.
// A quarter of a feature's spread over all samples is still well inside a terrain.
constexpr double kLeastWidth = 0.25;

bool isTerrainCode(int terrain) {
    return terrain >= 0 && terrain < kTerrainTypeCount;
}

} // namespace

void TerrainClassifier::scaled(const HexFeatures& features, float* out) const {
    for (std::size_t i = 0; i < kDims; ++i) {
        out[i] = (features[i] - centre_[i]) * scale_[i];
    }
}

void TerrainClassifier::train(const std::vector<TerrainSample>& samples) {
    points_.clear();
    terrains_.clear();
    bandwidth_ = kLeastWidth;
    std::vector<const TerrainSample*> kept;
    for (const TerrainSample& sample : samples) {
        if (isTerrainCode(sample.terrain)) {
            kept.push_back(&sample);
        }
    }
    if (kept.empty()) {
        return;
    }
    const double n = static_cast<double>(kept.size());
    for (std::size_t i = 0; i < kDims; ++i) {
        double sum = 0.0;
        double sumSquares = 0.0;
        for (const TerrainSample* sample : kept) {
            sum += sample->features[i];
            sumSquares += static_cast<double>(sample->features[i]) * sample->features[i];
        }
        const double mean = sum / n;
        const double spread = std::sqrt(std::max(0.0, sumSquares / n - mean * mean));
        centre_[i] = static_cast<float>(mean);
        scale_[i] = weightOf(i) / std::max(static_cast<float>(spread), kLeastSpread[i]);
    }
    // Dimension by dimension, so that distances run over the samples in a row.
    const std::size_t count = kept.size();
    points_.assign(count * kDims, 0.0f);
    std::array<float, kDims> point{};
    for (std::size_t s = 0; s < count; ++s) {
        scaled(kept[s]->features, point.data());
        for (std::size_t i = 0; i < kDims; ++i) {
            points_[i * count + s] = point[i];
        }
        terrains_.push_back(static_cast<std::uint8_t>(kept[s]->terrain));
    }

    if (count < 2) {
        return;
    }
    const std::size_t stride = std::max<std::size_t>(1, count / kWidthProbes);
    std::vector<float> distance(count);
    std::vector<float> nearest;
    for (std::size_t probe = 0; probe < count; probe += stride) {
        for (std::size_t i = 0; i < kDims; ++i) {
            point[i] = points_[i * count + probe];
        }
        distances(point.data(), distance.data());
        distance[probe] = std::numeric_limits<float>::max();
        nearest.push_back(*std::min_element(distance.begin(), distance.end()));
    }
    const auto at = nearest.begin() + static_cast<std::ptrdiff_t>(
                                          static_cast<double>(nearest.size() - 1) * kWidthQuantile);
    std::nth_element(nearest.begin(), at, nearest.end());
    bandwidth_ = std::max(kLeastWidth, std::sqrt(static_cast<double>(*at)));
}

void TerrainClassifier::distances(const float* point, float* out) const {
    // A feature at a time over all samples: the loop over the samples runs in vector
    // registers, and each sample still adds its features in order, so the result
    // does not depend on the machine.
    const std::size_t count = terrains_.size();
    std::fill(out, out + count, 0.0f);
    for (std::size_t i = 0; i < kDims; ++i) {
        const float* row = points_.data() + i * count;
        const float value = point[i];
        for (std::size_t s = 0; s < count; ++s) {
            const float d = row[s] - value;
            out[s] += d * d;
        }
    }
}

int TerrainClassifier::terrainCount() const {
    std::array<bool, kTerrainTypeCount> seen{};
    for (std::uint8_t terrain : terrains_) {
        seen[terrain] = true;
    }
    return static_cast<int>(std::count(seen.begin(), seen.end(), true));
}

TerrainGuess TerrainClassifier::classify(const HexFeatures& features) const {
    if (terrains_.empty()) {
        return {};
    }
    std::array<float, kDims> point{};
    scaled(features, point.data());
    std::vector<float> distance(terrains_.size());
    distances(point.data(), distance.data());

    // The k nearest samples, nearest first; on equal distances the earlier sample.
    struct Neighbour {
        float distance = std::numeric_limits<float>::max();
        std::size_t index = 0;
    };
    std::array<Neighbour, kNeighbours> nearest{};
    std::size_t found = 0;
    for (std::size_t s = 0; s < distance.size(); ++s) {
        if (found == nearest.size() && distance[s] >= nearest.back().distance) {
            continue;
        }
        std::size_t at = std::min(found, nearest.size() - 1);
        while (at > 0 && nearest[at - 1].distance > distance[s]) {
            nearest[at] = nearest[at - 1];
            --at;
        }
        nearest[at] = {distance[s], s};
        found = std::min(found + 1, nearest.size());
    }

    const double twoWidthsSquared = 2.0 * bandwidth_ * bandwidth_;
    std::array<double, kTerrainTypeCount> weight{};
    double total = std::exp(-kOutlierDistance * kOutlierDistance / 2.0);
    for (std::size_t i = 0; i < found; ++i) {
        const double w = std::exp(-static_cast<double>(nearest[i].distance) / twoWidthsSquared);
        weight[terrains_[nearest[i].index]] += w;
        total += w;
    }
    TerrainGuess guess;
    double best = 0.0;
    for (int terrain = 0; terrain < kTerrainTypeCount; ++terrain) {
        if (weight[static_cast<std::size_t>(terrain)] > best) {
            best = weight[static_cast<std::size_t>(terrain)];
            guess.terrain = terrain;
        }
    }
    guess.confidence = static_cast<float>(best / total);
    return guess;
}

int TerrainClassifier::suggest(const HexFeatures& features, float threshold) const {
    const TerrainGuess guess = classify(features);
    return guess.confidence >= threshold ? guess.terrain : -1;
}

} // namespace maporv
