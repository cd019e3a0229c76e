#include "editing/suggestionevaluation.h"

#include "editing/editcursor.h"
#include "editing/hexfeatures.h"
#include "editing/terrainsuggestion.h"
#include "mapdata/mapdocument.h"

#include <algorithm>
#include <numeric>

namespace maporv {
namespace {

// splitmix64: the same numbers on every platform, unlike the standard distributions.
class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. bound - 1; the bias of the remainder is far below what matters here.
    std::size_t below(std::size_t bound) { return static_cast<std::size_t>(next() % bound); }

private:
    std::uint64_t state_;
};

// How many hexes of each terrain to hide: percent of each, rounded so that the total
// is percent of all (largest remainders first, the lower code on a tie).
std::array<int, kTerrainTypeCount> hiddenShares(const std::array<int, kTerrainTypeCount>& counts,
                                                int percent) {
    std::array<int, kTerrainTypeCount> shares{};
    const int total = std::accumulate(counts.begin(), counts.end(), 0);
    int left = (total * percent + 50) / 100;
    std::array<int, kTerrainTypeCount> order{};
    for (int terrain = 0; terrain < kTerrainTypeCount; ++terrain) {
        shares[static_cast<std::size_t>(terrain)] =
            counts[static_cast<std::size_t>(terrain)] * percent / 100;
        left -= shares[static_cast<std::size_t>(terrain)];
        order[static_cast<std::size_t>(terrain)] = terrain;
    }
    const auto remainder = [&](int terrain) {
        return counts[static_cast<std::size_t>(terrain)] * percent % 100;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return remainder(a) > remainder(b); });
    for (int terrain : order) {
        if (left <= 0 || remainder(terrain) == 0) {
            break;
        }
        ++shares[static_cast<std::size_t>(terrain)];
        --left;
    }
    return shares;
}

using TerrainCounts = std::array<int, kTerrainTypeCount>;
using HexesByTerrain = std::array<std::vector<HexCoord>, kTerrainTypeCount>;

// The hexes of area by terrain, each terrain's in a seeded shuffle.
HexesByTerrain shuffledHexes(const MapDocument& document, const HexMask& area, std::uint64_t seed) {
    HexesByTerrain byTerrain;
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            const int terrain =
                document.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]
                    .terrain;
            if (area[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] != 0 &&
                terrain < kTerrainTypeCount) {
                byTerrain[static_cast<std::size_t>(terrain)].push_back({row, column});
            }
        }
    }
    SeededRandom random(seed);
    for (std::vector<HexCoord>& hexes : byTerrain) {
        for (std::size_t i = hexes.size(); i > 1; --i) {
            std::swap(hexes[i - 1], hexes[random.below(i)]);
        }
    }
    return byTerrain;
}

// Hides the first hidden[t] hexes of each terrain t, learns from the rest and from
// extraSamples, and compares what is suggested for the hidden ones.
SuggestionEvaluation evaluateHidden(const HexFeatureGrid& features, const HexesByTerrain& byTerrain,
                                    const TerrainCounts& shares,
                                    const std::vector<TerrainSample>& extraSamples) {
    SuggestionEvaluation result;
    std::vector<TerrainSample> samples = extraSamples;
    for (std::size_t terrain = 0; terrain < byTerrain.size(); ++terrain) {
        for (std::size_t i = static_cast<std::size_t>(shares[terrain]);
             i < byTerrain[terrain].size(); ++i) {
            const HexCoord& hex = byTerrain[terrain][i];
            samples.push_back({features.at(hex.row, hex.column), static_cast<int>(terrain)});
        }
    }
    TerrainClassifier classifier;
    classifier.train(samples);
    result.terrainsTaught = classifier.terrainCount();

    // The hidden hexes are the ones suggested: the classifier adapts to them as
    // suggesting does.
    std::vector<TerrainVotes> votes;
    for (std::size_t terrain = 0; terrain < byTerrain.size(); ++terrain) {
        for (int i = 0; i < shares[terrain]; ++i) {
            const HexCoord& hex = byTerrain[terrain][static_cast<std::size_t>(i)];
            votes.push_back(classifier.votes(features.at(hex.row, hex.column)));
        }
    }
    classifier.adaptShares(votes);

    // Answers per true terrain: codes 0..19, then unsuggested.
    std::array<std::array<int, kTerrainTypeCount + 1>, kTerrainTypeCount> answers{};
    std::size_t next = 0;
    for (std::size_t terrain = 0; terrain < byTerrain.size(); ++terrain) {
        for (int i = 0; i < shares[terrain]; ++i) {
            const HexCoord& hex = byTerrain[terrain][static_cast<std::size_t>(i)];
            const int answer = classifier.suggest(votes[next++], features.at(hex.row, hex.column));
            ++answers[terrain][answer < 0 ? kTerrainTypeCount : static_cast<std::size_t>(answer)];
        }
    }
    for (std::size_t terrain = 0; terrain < byTerrain.size(); ++terrain) {
        SuggestionEvaluation::Recall& recall = result.terrains[terrain];
        recall.hidden = shares[terrain];
        recall.correct = answers[terrain][terrain];
        for (std::size_t answer = 0; answer < answers[terrain].size(); ++answer) {
            const int count = answers[terrain][answer];
            if (answer != terrain && count > recall.confusedCount) {
                recall.confusedCount = count;
                recall.confusedWith = answer == kTerrainTypeCount
                                          ? SuggestionEvaluation::kUnsuggested
                                          : static_cast<int>(answer);
            }
        }
        result.hidden += recall.hidden;
        result.correct += recall.correct;
    }
    return result;
}

// How many of each terrain's hexes percent hides.
TerrainCounts sharesOf(const HexesByTerrain& byTerrain, int percent) {
    TerrainCounts counts{};
    for (std::size_t terrain = 0; terrain < byTerrain.size(); ++terrain) {
        counts[terrain] = static_cast<int>(byTerrain[terrain].size());
    }
    return hiddenShares(counts, std::clamp(percent, 0, 100));
}

} // namespace

HexMask hiddenHexes(const MapDocument& document, const HexMask& area, int percent,
                    std::uint64_t seed) {
    const HexesByTerrain byTerrain = shuffledHexes(document, area, seed);
    const TerrainCounts shares = sharesOf(byTerrain, percent);
    HexMask hidden{};
    for (std::size_t terrain = 0; terrain < byTerrain.size(); ++terrain) {
        for (int i = 0; i < shares[terrain]; ++i) {
            const HexCoord& hex = byTerrain[terrain][static_cast<std::size_t>(i)];
            hidden[static_cast<std::size_t>(hex.row)][static_cast<std::size_t>(hex.column)] = 1;
        }
    }
    return hidden;
}

SuggestionEvaluation evaluateSuggestion(const MapDocument& document, const HexFeatureGrid& features,
                                        int percent, const std::vector<TerrainSample>& extraSamples,
                                        std::uint64_t seed) {
    const HexesByTerrain byTerrain = shuffledHexes(document, mapAreaMask(features), seed);
    return evaluateHidden(features, byTerrain, sharesOf(byTerrain, percent), extraSamples);
}

SuggestionEvaluation evaluateNewMap(const MapDocument& document, const HexFeatureGrid& features,
                                    int perTerrain, const std::vector<TerrainSample>& extraSamples,
                                    std::uint64_t seed) {
    const HexesByTerrain byTerrain = shuffledHexes(document, mapAreaMask(features), seed);
    // The last perTerrain of each shuffle are the ones set by hand.
    TerrainCounts hidden{};
    for (std::size_t terrain = 0; terrain < byTerrain.size(); ++terrain) {
        hidden[terrain] = std::max(0, static_cast<int>(byTerrain[terrain].size()) - perTerrain);
    }
    return evaluateHidden(features, byTerrain, hidden, extraSamples);
}

} // namespace maporv
