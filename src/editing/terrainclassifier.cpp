#include "editing/terrainclassifier.h"

#include "mapdata/terraintype.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

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

// Expectation-maximisation of the terrains' shares: at most this many rounds, and
// done once no share moves by more than kShareSettled.
constexpr int kShareRounds = 50;
constexpr double kShareSettled = 1e-4;
// The learnt shares are taken only when they differ from the samples' own by at least
// this much (half the sum of the differences). Samples drawn from the map itself come
// within a few hundredths of it, a handful set by hand per terrain about half a map
// away; and learning cannot tell apart two terrains painted alike (streams and
// rivers), so where the samples' shares are already right it would only trade one
// for the other.
constexpr double kShareGap = 0.1;

constexpr std::uint8_t kClear = 0;

// The weight of "none of them": one sample kOutlierDistance widths away, times reach.
double outlierWeight(double reach = 1.0) {
    const double distance = TerrainClassifier::kOutlierDistance * reach;
    return std::exp(-distance * distance / 2.0);
}

// A terrain with fewer samples than this reaches further before "none of them" wins.
constexpr double kFewSamples = 10.0;

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
    shareFactor_.fill(1.0);
    reach_.fill(1.0);
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

    std::array<int, kTerrainTypeCount> counts{};
    for (std::uint8_t terrain : terrains_) {
        ++counts[terrain];
    }
    for (std::size_t t = 0; t < counts.size(); ++t) {
        reach_[t] = counts[t] > 0 ? std::sqrt(std::max(1.0, kFewSamples / counts[t])) : 1.0;
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

TerrainVotes TerrainClassifier::votes(const HexFeatures& features) const {
    TerrainVotes weight{};
    if (terrains_.empty()) {
        return weight;
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
    for (std::size_t i = 0; i < found; ++i) {
        weight[terrains_[nearest[i].index]] +=
            std::exp(-static_cast<double>(nearest[i].distance) / twoWidthsSquared);
    }
    return weight;
}

TerrainGuess TerrainClassifier::decide(const TerrainVotes& votes) const {
    TerrainGuess guess;
    double total = 0.0;
    double best = 0.0;
    for (std::size_t terrain = 0; terrain < votes.size(); ++terrain) {
        const double weight = votes[terrain] * shareFactor_[terrain];
        total += weight;
        if (weight > best) {
            best = weight;
            guess.terrain = static_cast<int>(terrain);
        }
    }
    const double reach = guess.terrain < 0 ? 1.0 : reach_[static_cast<std::size_t>(guess.terrain)];
    guess.confidence = static_cast<float>(best / (total + outlierWeight(reach)));
    return guess;
}

void TerrainClassifier::adaptShares(const std::vector<TerrainVotes>& targets) {
    if (std::find(terrains_.begin(), terrains_.end(), kClear) == terrains_.end()) {
        return;
    }
    std::array<double, kTerrainTypeCount> sampleShare{};
    for (std::uint8_t terrain : terrains_) {
        sampleShare[terrain] += 1.0 / static_cast<double>(terrains_.size());
    }
    // Each round weighs every hex's votes by the shares so far and takes the mean of
    // the resulting chances as the new shares. "None of them" takes its part of each
    // hex as it does in decide(), so that hexes unlike every sample count for no
    // terrain.
    std::array<double, kTerrainTypeCount> share = sampleShare;
    std::array<double, kTerrainTypeCount> factor{};
    factor.fill(1.0);
    for (int round = 0; round < kShareRounds; ++round) {
        std::array<double, kTerrainTypeCount> next{};
        for (const TerrainVotes& votes : targets) {
            double sum = outlierWeight();
            for (std::size_t t = 0; t < votes.size(); ++t) {
                sum += votes[t] * factor[t];
            }
            for (std::size_t t = 0; t < votes.size(); ++t) {
                next[t] += votes[t] * factor[t] / sum;
            }
        }
        double moved = 0.0;
        for (std::size_t t = 0; t < share.size(); ++t) {
            next[t] /= static_cast<double>(std::max<std::size_t>(targets.size(), 1));
            moved = std::max(moved, std::abs(next[t] - share[t]));
            share[t] = next[t];
            factor[t] = sampleShare[t] > 0.0 ? share[t] / sampleShare[t] : 0.0;
        }
        if (moved < kShareSettled) {
            break;
        }
    }
    // How far the learnt shares (among the terrains) lie from the samples' own.
    const double learnt = std::accumulate(share.begin(), share.end(), 0.0);
    double gap = 0.0;
    for (std::size_t t = 0; t < share.size() && learnt > 0.0; ++t) {
        gap += std::abs(share[t] / learnt - sampleShare[t]) / 2.0;
    }
    if (gap >= kShareGap) {
        shareFactor_ = factor;
    }
}

int TerrainClassifier::suggest(const TerrainVotes& votes, float threshold) const {
    const TerrainGuess guess = decide(votes);
    return guess.confidence >= threshold ? guess.terrain : -1;
}

} // namespace maporv
