#include "editing/terrainsuggestion.h"

#include "editing/edithistory.h"
#include "mapdata/hexdirection.h"
#include "picture/mappicture.h"

#include <utility>

namespace maporv {

void addTerrainSamples(const MapDocument& document, const HexFeatureGrid& features,
                       const HexMask& teaching, std::vector<TerrainSample>& samples) {
    forEachHex([&](int row, int column) {
        const int terrain = cellOf(document, {row, column}).terrain;
        if (inMask(teaching, {row, column}) && features.inMapArea(row, column) &&
            terrain < kTerrainTypeCount) {
            samples.push_back({features.at(row, column), terrain});
        }
    });
}

HexMask mapAreaMask(const HexFeatureGrid& features) {
    HexMask mask{};
    forEachHex([&](int row, int column) {
        maskAt(mask, {row, column}) = features.inMapArea(row, column) ? 1 : 0;
    });
    return mask;
}

HexMask outsideOf(const HexMask& area, const HexMask& mask) {
    HexMask outside{};
    forEachHex([&](int row, int column) {
        maskAt(outside, {row, column}) =
            inMask(area, {row, column}) && !inMask(mask, {row, column}) ? 1 : 0;
    });
    return outside;
}

HexMask mapAreaOutside(const HexFeatureGrid& features, const HexMask& mask) {
    return outsideOf(mapAreaMask(features), mask);
}

int countHexes(const HexMask& mask) {
    int count = 0;
    forEachHex([&](int row, int column) { count += inMask(mask, {row, column}) ? 1 : 0; });
    return count;
}

HexMask suggestionTargets(const MapDocument& document, const HexFeatureGrid& features,
                          const HexMask* chosen, const HexMask& setByHand) {
    HexMask targets{};
    forEachHex([&](int row, int column) {
        const bool wanted = chosen != nullptr ? inMask(*chosen, {row, column})
                                              : cellOf(document, {row, column}).terrain == 0;
        maskAt(targets, {row, column}) =
            wanted && features.inMapArea(row, column) && !inMask(setByHand, {row, column}) ? 1 : 0;
    });
    return targets;
}

TerrainSuggestion suggestTerrain(const MapDocument& document, const HexFeatureGrid& features,
                                 const HexMask& targets, TerrainClassifier& classifier,
                                 float threshold) {
    std::vector<HexCoord> hexes;
    std::vector<TerrainVotes> votes;
    forEachHex([&](int row, int column) {
        if (inMask(targets, {row, column}) && features.inMapArea(row, column)) {
            hexes.push_back({row, column});
            votes.push_back(classifier.votes(features.at(row, column)));
        }
    });
    classifier.adaptShares(votes);

    TerrainSuggestion result;
    for (std::size_t i = 0; i < hexes.size(); ++i) {
        const int terrain =
            classifier.suggest(votes[i], features.at(hexes[i].row, hexes[i].column), threshold);
        if (terrain < 0) {
            ++result.leftAsTheyWere;
            continue;
        }
        ++result.suggested;
        ++result.perTerrain[static_cast<std::size_t>(terrain)];
        const HexCell& before = cellOf(document, hexes[i]);
        HexCell after = before;
        after.terrain = static_cast<std::uint16_t>(terrain);
        if (after != before) {
            result.step.cells.push_back({static_cast<std::uint8_t>(hexes[i].row),
                                         static_cast<std::uint8_t>(hexes[i].column), before,
                                         after});
        }
    }
    result.step.name = EditStep::countedName("Suggest Terrain", result.step.cells.size());
    return result;
}

SuggestTerrainOutcome suggestTerrainFromPicture(MapDocument& document, const MapPicture& picture,
                                                EditHistory& history) {
    HexFeatureGrid features;
    features.compute(picture);
    HexMask selected{};
    HexMask setByHand{};
    forEachHex([&](int row, int column) {
        const bool picked = inMask(document.selected, {row, column});
        maskAt(selected, {row, column}) = picked && features.inMapArea(row, column) ? 1 : 0;
        maskAt(setByHand, {row, column}) = history.handSet.setByHand(document, row, column) ? 1 : 0;
    });
    const bool anySelected = countHexes(selected) > 0;
    const HexMask targets =
        suggestionTargets(document, features, anySelected ? &selected : nullptr, setByHand);
    std::vector<TerrainSample> samples;
    addTerrainSamples(document, features, mapAreaOutside(features, targets), samples);
    TerrainClassifier classifier;
    classifier.train(samples);
    if (classifier.terrainCount() < 2) {
        return {};
    }
    TerrainSuggestion suggestion = suggestTerrain(document, features, targets, classifier);
    history.perform(std::move(suggestion.step));
    return {true, suggestion.suggested, suggestion.leftAsTheyWere};
}

} // namespace maporv
