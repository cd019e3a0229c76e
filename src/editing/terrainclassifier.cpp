#include "editing/terrainclassifier.h"

#include "mapdata/terraintype.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace maporv {
namespace {

// The features of the lit space: all but the light-free classes.
constexpr std::size_t kLitDims = kLightFreeClassFirst;
// The least spread a feature is divided by, in its own units.
constexpr std::array<float, kLitDims> kLitLeastSpread{1.0f,  1.0f,  1.0f,  0.5f,  0.5f,  0.5f,
                                                      0.01f, 0.2f,  0.01f, 0.01f, 0.01f, 0.01f,
                                                      0.01f, 0.01f, 0.01f, 0.01f, 0.01f};
// How much each feature counts. The spreads count half: they vary most within one
// terrain (a coast, a road across a field), so at full weight they drown the colour.
constexpr std::array<float, kLitDims> kLitWeight{1.0f, 1.0f, 1.0f, 0.5f, 0.5f, 0.5f,
                                                 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f,
                                                 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};

// The light-free space: the colour axes, their spreads and lightness's, and the mean
// step as they would be at lightness 50 (times 66 over L + 16), then the light-free
// classes.
constexpr std::array<HexFeature, 6> kLightScaled{kMeanGreenRed,     kMeanBlueYellow,
                                                 kSpreadLightness,  kSpreadGreenRed,
                                                 kSpreadBlueYellow, kEdgeStrength};
constexpr std::size_t kLightFreeDims = kLightScaled.size() + kLightFreeClassCount;
constexpr float kMiddleLightness = 50.0f + 16.0f;

// A lit space's value per feature (a least spread, a weight) in the light-free space:
// the light-scaled features keep theirs, the light-free classes take the colour
// classes'.
constexpr std::array<float, kLightFreeDims> lightFreeOfLit(const std::array<float, kLitDims>& lit) {
    std::array<float, kLightFreeDims> values{};
    for (std::size_t i = 0; i < kLightScaled.size(); ++i) {
        values[i] = lit[static_cast<std::size_t>(kLightScaled[i])];
    }
    for (std::size_t i = kLightScaled.size(); i < kLightFreeDims; ++i) {
        values[i] = lit[kColourClassFirst];
    }
    return values;
}
constexpr std::array<float, kLightFreeDims> kLightFreeLeastSpread = lightFreeOfLit(kLitLeastSpread);
constexpr std::array<float, kLightFreeDims> kLightFreeWeight = lightFreeOfLit(kLitWeight);

using LightFreePoint = std::array<float, kLightFreeDims>;

// The light-free space sees less than the lit one (neither lightness nor the share of
// edges), and a hex unlike every sample of the lit one is an odd hex: a coast drawn
// with a line, a field with a stream. So its answer counts only when it is this sure.
constexpr float kLightFreeSure = 0.9f;

LightFreePoint lightFreeOf(const HexFeatures& features) {
    LightFreePoint point{};
    const float toMiddle = kMiddleLightness / (std::max(features[kMeanLightness], 0.0f) + 16.0f);
    for (std::size_t i = 0; i < kLightScaled.size(); ++i) {
        point[i] = features[static_cast<std::size_t>(kLightScaled[i])] * toMiddle;
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(kLightFreeClassCount); ++i) {
        point[kLightScaled.size() + i] =
            features[static_cast<std::size_t>(kLightFreeClassFirst) + i];
    }
    return point;
}

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

void TerrainClassifier::train(const std::vector<TerrainSample>& samples) {
    shareFactor_.fill(1.0);
    reach_.fill(1.0);
    std::vector<float> points;
    std::vector<std::uint8_t> terrains;
    std::array<int, kTerrainTypeCount> counts{};
    for (const TerrainSample& sample : samples) {
        if (isTerrainCode(sample.terrain)) {
            points.insert(points.end(), sample.features.begin(),
                          sample.features.begin() + kLitDims);
            terrains.push_back(static_cast<std::uint8_t>(sample.terrain));
            ++counts[static_cast<std::size_t>(sample.terrain)];
        }
    }
    lit_.train(points, terrains, kLitWeight, kLitLeastSpread);

    bool few = false;
    for (std::size_t t = 0; t < counts.size(); ++t) {
        reach_[t] = counts[t] > 0 ? std::sqrt(std::max(1.0, kFewSamples / counts[t])) : 1.0;
        few = few || reach_[t] > 1.0;
    }
    points.clear();
    if (few) {
        for (const TerrainSample& sample : samples) {
            if (isTerrainCode(sample.terrain)) {
                const LightFreePoint point = lightFreeOf(sample.features);
                points.insert(points.end(), point.begin(), point.end());
            }
        }
    } else {
        terrains.clear();
    }
    lightFree_.train(points, terrains, kLightFreeWeight, kLightFreeLeastSpread);
}

int TerrainClassifier::terrainCount() const {
    std::array<bool, kTerrainTypeCount> seen{};
    for (std::uint8_t terrain : lit_.terrains()) {
        seen[terrain] = true;
    }
    return static_cast<int>(std::count(seen.begin(), seen.end(), true));
}

TerrainVotes TerrainClassifier::votes(const HexFeatures& features) const {
    return lit_.votes(features.data());
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
    const std::vector<std::uint8_t>& terrains = lit_.terrains();
    if (std::find(terrains.begin(), terrains.end(), kClear) == terrains.end()) {
        return;
    }
    std::array<double, kTerrainTypeCount> sampleShare{};
    for (std::uint8_t terrain : terrains) {
        sampleShare[terrain] += 1.0 / static_cast<double>(terrains.size());
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

TerrainGuess TerrainClassifier::classify(const TerrainVotes& votes, const HexFeatures& features,
                                         float threshold) const {
    const TerrainGuess lit = decide(votes);
    double total = 0.0;
    for (std::size_t terrain = 0; terrain < votes.size(); ++terrain) {
        total += votes[terrain] * shareFactor_[terrain];
    }
    // A hex between two terrains is unsure for another reason than the light.
    if (lit.confidence >= threshold || total >= outlierWeight() || lightFree_.size() == 0) {
        return lit;
    }
    const LightFreePoint point = lightFreeOf(features);
    const TerrainGuess lightFree = decide(lightFree_.votes(point.data()));
    const bool few =
        lightFree.terrain >= 0 && reach_[static_cast<std::size_t>(lightFree.terrain)] > 1.0;
    return few && lightFree.confidence >= std::max(threshold, kLightFreeSure) ? lightFree : lit;
}

int TerrainClassifier::suggest(const TerrainVotes& votes, const HexFeatures& features,
                               float threshold) const {
    const TerrainGuess guess = classify(votes, features, threshold);
    return guess.confidence >= threshold ? guess.terrain : -1;
}

} // namespace maporv
