#include "tool/suggestcommand.h"

#include "editing/hexfeatures.h"
#include "editing/suggestionevaluation.h"
#include "editing/terrainsuggestion.h"
#include "mapdata/mapnames.h"
#include "mapdata/paths.h"
#include "mapdata/terraintype.h"
#include "mapdata/textformat.h"
#include "picture/mappicture.h"
#include "tool/arguments.h"
#include "tool/toolcommands.h"

#include <memory>
#include <optional>
#include <ostream>

namespace maporv::tool {
namespace {

constexpr const char* kSynopsis = "suggest-terrain MAPFILE [--region C1,R1:C2,R2] "
                                  "[--train OTHER.MAP ...] [--evaluate PERCENT] [-o OUTPUT]";

// A block of hexes, corners given column first as the game writes hexes.
struct Region {
    int column1, row1, column2, row2;
};

std::optional<std::pair<int, int>> parseHex(const std::string& text) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return std::nullopt;
    }
    const auto column = parseInteger(text.substr(0, comma));
    const auto row = parseInteger(text.substr(comma + 1));
    if (!column || !row ||
        !MapDocument::inGrid(static_cast<int>(*row), static_cast<int>(*column))) {
        return std::nullopt;
    }
    return std::pair<int, int>{static_cast<int>(*column), static_cast<int>(*row)};
}

std::optional<Region> parseRegion(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        return std::nullopt;
    }
    const auto first = parseHex(text.substr(0, colon));
    const auto last = parseHex(text.substr(colon + 1));
    if (!first || !last) {
        return std::nullopt;
    }
    return Region{first->first, first->second, last->first, last->second};
}

HexMask regionMask(const Region& region) {
    HexMask mask{};
    for (int row = std::min(region.row1, region.row2); row <= std::max(region.row1, region.row2);
         ++row) {
        for (int column = std::min(region.column1, region.column2);
             column <= std::max(region.column1, region.column2); ++column) {
            mask[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = 1;
        }
    }
    return mask;
}

// A map read as the editor reads it, with the features of its own picture.
struct PicturedMap {
    MapDocument document;
    HexFeatureGrid features;
};

// The map and its picture, found as the editor finds them; a map without a picture
// is reported and refused. Every picture shares the one pixel buffer, so only the
// features are kept.
std::unique_ptr<PicturedMap> readPicturedMap(ToolContext& context, const std::string& file) {
    auto map = std::make_unique<PicturedMap>();
    MapPicture picture(context.ui);
    if (!map->document.readMapFile(
            file, false, parentFolder(file), context.ui,
            [&picture](const std::string& path) { return picture.load(path); })) {
        return nullptr;
    }
    if (!picture.valid || picture.width <= 0 || picture.height <= 0) {
        context.ui.error(strprintf("No picture for %s: %s not found", map->document.path.c_str(),
                                   map->document.picturePath.c_str()));
        return nullptr;
    }
    map->features.compute(picture);
    return map;
}

std::string terrainLabel(int code) {
    const char* name = terrainName(code);
    return strprintf("%d %s", code, name != nullptr ? name : "");
}

void printEvaluation(std::ostream& out, const SuggestionEvaluation& evaluation) {
    out << strprintf("accuracy: %.3f (%d of %d hexes)\n", evaluation.accuracy(), evaluation.correct,
                     evaluation.hidden);
    for (int terrain = 0; terrain < kTerrainTypeCount; ++terrain) {
        const SuggestionEvaluation::Recall& recall =
            evaluation.terrains[static_cast<std::size_t>(terrain)];
        if (recall.hidden == 0) {
            continue;
        }
        std::string confused = "none";
        if (recall.confusedWith == SuggestionEvaluation::kUnsuggested) {
            confused = strprintf("left unsuggested (%d)", recall.confusedCount);
        } else if (recall.confusedWith >= 0) {
            confused = strprintf("%s (%d)", terrainName(recall.confusedWith), recall.confusedCount);
        }
        out << strprintf("terrain %s: recall %.3f (%d of %d), most confused with %s\n",
                         terrainLabel(terrain).c_str(),
                         static_cast<double>(recall.correct) / recall.hidden, recall.correct,
                         recall.hidden, confused.c_str());
    }
}

int runSuggestTerrain(ToolContext& context) {
    Arguments arguments(context.args, {"--region", "--train", "--evaluate", "-o"}, {});
    if (!arguments.ok() || arguments.positional().empty()) {
        return usageError(context, kSynopsis, arguments.error());
    }
    // "--train A.MAP B.MAP": the files after MAPFILE are training maps too.
    std::vector<std::string> trainFiles = arguments.values("--train");
    if (arguments.positional().size() > 1 && trainFiles.empty()) {
        return usageError(context, kSynopsis, "one MAPFILE only");
    }
    trainFiles.insert(trainFiles.end(), arguments.positional().begin() + 1,
                      arguments.positional().end());
    std::optional<Region> region;
    if (const auto text = arguments.value("--region")) {
        region = parseRegion(*text);
        if (!region) {
            return usageError(context, kSynopsis,
                              "--region needs C1,R1:C2,R2 with columns 0..44 and rows 0..39");
        }
    }
    std::optional<int> percent;
    if (const auto text = arguments.value("--evaluate")) {
        const auto value = parseInteger(*text);
        if (!value || *value < 1 || *value > 99) {
            return usageError(context, kSynopsis, "--evaluate needs a PERCENT of 1..99");
        }
        if (region || arguments.value("-o")) {
            return usageError(context, kSynopsis,
                              "--evaluate writes nothing and takes no --region or -o");
        }
        percent = static_cast<int>(*value);
    }

    const std::unique_ptr<PicturedMap> map =
        readPicturedMap(context, absolutePath(arguments.positional()[0]));
    if (!map) {
        return kFailed;
    }
    std::vector<TerrainSample> samples;
    for (const std::string& file : trainFiles) {
        const std::unique_ptr<PicturedMap> other = readPicturedMap(context, absolutePath(file));
        if (!other) {
            return kFailed;
        }
        addTerrainSamples(other->document, other->features, mapAreaMask(other->features), samples);
    }
    if (percent) {
        printEvaluation(context.out,
                        evaluateSuggestion(map->document, map->features, *percent, samples));
        return kSuccess;
    }

    // With a region its hexes are suggested and every other hex teaches, Clear
    // included; without one the Clear hexes are suggested (all of a new map's).
    const HexMask targets = region ? regionMask(*region) : clearHexes(map->document, map->features);
    addTerrainSamples(map->document, map->features, mapAreaOutside(map->features, targets),
                      samples);
    TerrainClassifier classifier;
    classifier.train(samples);
    if (classifier.terrainCount() < 2) {
        context.ui.error(
            strprintf("Fewer than two terrains to learn from (%d)", classifier.terrainCount()));
        return kFailed;
    }
    const TerrainSuggestion suggestion =
        suggestTerrain(map->document, map->features, targets, classifier);
    MapNames untouched;
    suggestion.step.redo(map->document, untouched);

    context.out << "suggested: " << suggestion.suggested << '\n'
                << "left as they were: " << suggestion.leftAsTheyWere << '\n';
    for (int terrain = 0; terrain < kTerrainTypeCount; ++terrain) {
        if (const int count = suggestion.perTerrain[static_cast<std::size_t>(terrain)]) {
            context.out << "terrain " << terrainLabel(terrain) << ": " << count << '\n';
        }
    }
    // In place means the file actually read, which may lie in the SCENARIO folder.
    const std::string output =
        arguments.value("-o") ? absolutePath(*arguments.value("-o")) : map->document.path;
    return map->document.writeMapFile(output, context.ui) ? kSuccess : kFailed;
}

} // namespace

ToolCommand suggestTerrainCommand() {
    return {"suggest-terrain", kSynopsis,
            "Sets the terrain of hexes from what the map's picture shows there: learns how\n"
            "each terrain looks in the picture from hexes whose terrain is known, gives\n"
            "each other hex its most likely terrain and leaves it as it is when unsure.\n"
            "The picture is the map's own, found as the editor finds it.\n\n"
            "  --region C1,R1:C2,R2  suggest the block between these hexes (column first,\n"
            "                    inclusive); every other hex teaches, Clear included.\n"
            "                    Without it the Clear hexes are suggested and the other\n"
            "                    hexes teach.\n"
            "  --train OTHER.MAP ...  every hex of these maps teaches as well, each with\n"
            "                    its own picture; a new map (all Clear) is then suggested\n"
            "                    whole.\n"
            "  --evaluate PERCENT  hide PERCENT of the hexes (the same share of every\n"
            "                    terrain, a fixed random choice), learn from the rest,\n"
            "                    print the accuracy on the hidden ones and each terrain's\n"
            "                    recall; writes nothing.\n"
            "  -o OUTPUT         write there instead of MAPFILE in place.\n\n"
            "Prints 'suggested: N', 'left as they were: M' and the count per terrain.\n"
            "Only terrain codes change. Fails when the map has no picture or the hexes\n"
            "that teach show fewer than two terrains.\n",
            runSuggestTerrain};
}

} // namespace maporv::tool
