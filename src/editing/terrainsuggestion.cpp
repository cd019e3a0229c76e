#include "editing/terrainsuggestion.h"

#include "editing/edithistory.h"
#include "picture/mappicture.h"

#include <utility>

namespace maporv {
namespace {

// Every hex of the cell grid, row by row.
template <typename Visit>
void forEachHex(Visit visit) {
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            visit(row, column);
        }
    }
}

std::uint8_t& maskAt(HexMask& mask, int row, int column) {
    return mask[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

bool inMask(const HexMask& mask, int row, int column) {
    return mask[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] != 0;
}

const HexCell& cellOf(const MapDocument& document, int row, int column) {
    return document.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

} // namespace

void addTerrainSamples(const MapDocument& document, const HexFeatureGrid& features,
                       const HexMask& teaching, std::vector<TerrainSample>& samples) {
    forEachHex([&](int row, int column) {
        const int terrain = cellOf(document, row, column).terrain;
        if (inMask(teaching, row, column) && features.inMapArea(row, column) &&
            terrain < kTerrainTypeCount) {
            samples.push_back({features.at(row, column), terrain});
        }
    });
}

HexMask mapAreaMask(const HexFeatureGrid& features) {
    HexMask mask{};
    forEachHex([&](int row, int column) {
        maskAt(mask, row, column) = features.inMapArea(row, column) ? 1 : 0;
    });
    return mask;
}

HexMask clearHexes(const MapDocument& document, const HexFeatureGrid& features) {
    HexMask mask{};
    forEachHex([&](int row, int column) {
        maskAt(mask, row, column) =
            features.inMapArea(row, column) && cellOf(document, row, column).terrain == 0 ? 1 : 0;
    });
    return mask;
}

HexMask mapAreaOutside(const HexFeatureGrid& features, const HexMask& mask) {
    HexMask outside{};
    forEachHex([&](int row, int column) {
        maskAt(outside, row, column) =
            features.inMapArea(row, column) && !inMask(mask, row, column) ? 1 : 0;
    });
    return outside;
}

int countHexes(const HexMask& mask) {
    int count = 0;
    forEachHex([&](int row, int column) { count += inMask(mask, row, column) ? 1 : 0; });
    return count;
}

TerrainSuggestion suggestTerrain(const MapDocument& document, const HexFeatureGrid& features,
                                 const HexMask& targets, const TerrainClassifier& classifier,
                                 float threshold) {
    TerrainSuggestion result;
    forEachHex([&](int row, int column) {
        if (!inMask(targets, row, column) || !features.inMapArea(row, column)) {
            return;
        }
        const int terrain = classifier.suggest(features.at(row, column), threshold);
        if (terrain < 0) {
            ++result.leftAsTheyWere;
            return;
        }
        ++result.suggested;
        ++result.perTerrain[static_cast<std::size_t>(terrain)];
        const HexCell& before = cellOf(document, row, column);
        HexCell after = before;
        after.terrain = static_cast<std::uint16_t>(terrain);
        if (after != before) {
            result.step.cells.push_back(
                {static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(column), before, after});
        }
    });
    result.step.name = EditStep::countedName("Suggest Terrain", result.step.cells.size());
    return result;
}

SuggestTerrainOutcome suggestTerrainFromPicture(MapDocument& document, const MapPicture& picture,
                                                EditHistory& history) {
    HexFeatureGrid features;
    features.compute(picture);
    HexMask selected{};
    forEachHex([&](int row, int column) {
        const bool picked = inMask(document.selected, row, column);
        maskAt(selected, row, column) = picked && features.inMapArea(row, column) ? 1 : 0;
    });
    const bool anySelected = countHexes(selected) > 0;
    const HexMask targets = anySelected ? selected : clearHexes(document, features);
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
