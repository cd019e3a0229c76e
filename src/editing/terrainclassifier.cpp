#include "editing/terrainclassifier.h"

#include "mapdata/terraintype.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace maporv {
namespace {

constexpr std::size_t kDims = kHexFeatureCount;
// Points are stored this many floats apart, the tail zero, so that the distance loop
// runs in whole vector registers.
constexpr std::size_t kStride = (kDims + 7) / 8 * 8;

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

// Eight independent sums, one per lane of a vector register: the compiler may not
// reorder a single float sum into vector form.
float squaredDistance(const float* a, const float* b) {
    std::array<float, 8> lanes{};
    for (std::size_t i = 0; i < kStride; i += lanes.size()) {
        for (std::size_t lane = 0; lane < lanes.size(); ++lane) {
            const float d = a[i + lane] - b[i + lane];
            lanes[lane] += d * d;
        }
    }
    return ((lanes[0] + lanes[4]) + (lanes[1] + lanes[5])) +
           ((lanes[2] + lanes[6]) + (lanes[3] + lanes[7]));
}

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
    points_.assign(kept.size() * kStride, 0.0f);
    for (std::size_t s = 0; s < kept.size(); ++s) {
        scaled(kept[s]->features, points_.data() + s * kStride);
        terrains_.push_back(static_cast<std::uint8_t>(kept[s]->terrain));
    }

    if (kept.size() < 2) {
        return;
    }
    const std::size_t stride = std::max<std::size_t>(1, kept.size() / kWidthProbes);
    std::vector<float> nearest;
    for (std::size_t probe = 0; probe < kept.size(); probe += stride) {
        float best = std::numeric_limits<float>::max();
        for (std::size_t other = 0; other < kept.size(); ++other) {
            if (other != probe) {
                best = std::min(best, squaredDistance(points_.data() + probe * kStride,
                                                      points_.data() + other * kStride));
            }
        }
        nearest.push_back(best);
    }
    const auto at = nearest.begin() + static_cast<std::ptrdiff_t>(
                                          static_cast<double>(nearest.size() - 1) * kWidthQuantile);
    std::nth_element(nearest.begin(), at, nearest.end());
    bandwidth_ = std::max(kLeastWidth, std::sqrt(static_cast<double>(*at)));
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
    std::array<float, kStride> point{};
    scaled(features, point.data());

    // The k nearest samples, nearest first; on equal distances the earlier sample.
    struct Neighbour {
        float distance = std::numeric_limits<float>::max();
        std::size_t index = 0;
    };
    std::array<Neighbour, kNeighbours> nearest{};
    std::size_t found = 0;
    for (std::size_t s = 0; s < terrains_.size(); ++s) {
        const float distance = squaredDistance(point.data(), points_.data() + s * kStride);
        if (found == nearest.size() && distance >= nearest.back().distance) {
            continue;
        }
        std::size_t at = std::min(found, nearest.size() - 1);
        while (at > 0 && nearest[at - 1].distance > distance) {
            nearest[at] = nearest[at - 1];
            --at;
        }
        nearest[at] = {distance, s};
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
