#include "tool/suggestcommand.h"

#include "editing/hexfeatures.h"
#include "editing/suggestionevaluation.h"
#include "editing/terrainsuggestion.h"
#include "mapdata/terraintype.h"
#include "mapdata/textformat.h"
#include "picture/mappicture.h"
#include "tool/arguments.h"
#include "tool/suggestinput.h"
#include "tool/toolcommands.h"

#include <memory>
#include <optional>
#include <ostream>

namespace maporv::tool {
namespace {

constexpr const char* kSynopsis =
    "suggest-terrain MAPFILE [--region C1,R1:C2,R2 ...] [--teach C1,R1:C2,R2 ...] "
    "[--train OTHER.MAP ...] [--evaluate PERCENT | --evaluate-new K] [-o OUTPUT]";

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
    if (!readMapWithPicture(context, file, map->document, [&map](const MapPicture& picture) {
            map->features.compute(picture);
        })) {
        return nullptr;
    }
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

bool refuseFewTerrains(ToolContext& context, int terrains) {
    if (terrains >= 2) {
        return false;
    }
    context.ui.error(strprintf("Fewer than two terrains to learn from (%d)", terrains));
    return true;
}

int runSuggestTerrain(ToolContext& context) {
    Arguments arguments(
        context.args, {"--region", "--teach", "--train", "--evaluate", "--evaluate-new", "-o"}, {});
    if (!arguments.ok() || arguments.positional().empty()) {
        return usageError(context, kSynopsis, arguments.error());
    }
    std::string problem;
    const auto teachingFiles =
        trainFiles(arguments, {"--evaluate", "--evaluate-new", "-o"}, problem);
    if (!teachingFiles) {
        return usageError(context, kSynopsis, problem);
    }
    const auto regions = parseBlocks(arguments, "--region", problem);
    const auto teach = regions ? parseBlocks(arguments, "--teach", problem) : std::nullopt;
    if (!regions || !teach) {
        return usageError(context, kSynopsis, problem);
    }
    if (arguments.value("--evaluate") && arguments.value("--evaluate-new")) {
        return usageError(context, kSynopsis, "--evaluate and --evaluate-new go alone");
    }
    const auto output = arguments.value("-o");
    const bool writes = !regions->empty() || !teach->empty() || output;
    const char* conflict = "--evaluate and --evaluate-new write nothing and take no --region, "
                           "--teach or -o";
    std::optional<long> percent;
    std::optional<long> perTerrain;
    if (!evaluationNumber(arguments, {"--evaluate", "PERCENT", 99}, writes, conflict, percent,
                          problem) ||
        !evaluationNumber(arguments, {"--evaluate-new", "K", kMapRows * kMapColumns}, writes,
                          conflict, perTerrain, problem)) {
        return usageError(context, kSynopsis, problem);
    }

    const std::unique_ptr<PicturedMap> map =
        readPicturedMap(context, absolutePath(arguments.positional()[0]));
    if (!map) {
        return kFailed;
    }
    std::vector<TerrainSample> samples;
    for (const std::string& file : *teachingFiles) {
        const std::unique_ptr<PicturedMap> other = readPicturedMap(context, absolutePath(file));
        if (!other) {
            return kFailed;
        }
        addTerrainSamples(other->document, other->features, mapAreaMask(other->features), samples);
    }
    if (percent || perTerrain) {
        const SuggestionEvaluation evaluation =
            percent ? evaluateSuggestion(map->document, map->features, static_cast<int>(*percent),
                                         samples)
                    : evaluateNewMap(map->document, map->features, static_cast<int>(*perTerrain),
                                     samples);
        if (refuseFewTerrains(context, evaluation.terrainsTaught)) {
            return kFailed;
        }
        printEvaluation(context.out, evaluation);
        return kSuccess;
    }

    const HexMask area = mapAreaMask(map->features);
    const auto chosen = blocksInArea(context, "region", *regions, area);
    const auto taught = chosen ? blocksInArea(context, "teach", *teach, area) : std::nullopt;
    if (!chosen || !taught) {
        return kFailed;
    }
    const HexMask targets = suggestionTargets(map->document, map->features,
                                              regions->empty() ? nullptr : &*chosen, *taught);
    addTerrainSamples(map->document, map->features, mapAreaOutside(map->features, targets),
                      samples);
    TerrainClassifier classifier;
    classifier.train(samples);
    if (refuseFewTerrains(context, classifier.terrainCount())) {
        return kFailed;
    }
    const TerrainSuggestion suggestion =
        suggestTerrain(map->document, map->features, targets, classifier);

    context.out << "suggested: " << suggestion.suggested << '\n'
                << "left as they were: " << suggestion.leftAsTheyWere << '\n'
                << "changed: " << suggestion.step.cells.size() << '\n';
    for (int terrain = 0; terrain < kTerrainTypeCount; ++terrain) {
        if (const int count = suggestion.perTerrain[static_cast<std::size_t>(terrain)]) {
            context.out << "terrain " << terrainLabel(terrain) << ": " << count << '\n';
        }
    }
    return writeStep(context, map->document, output, suggestion.step);
}

} // namespace

ToolCommand suggestTerrainCommand() {
    return {"suggest-terrain", kSynopsis,
            "Sets the terrain of hexes from what the map's picture shows there: learns how\n"
            "each terrain looks in the picture from hexes whose terrain is known, gives\n"
            "each other hex its most likely terrain and leaves it as it is when unsure.\n"
            "The picture is the map's own, found as the editor finds it; the map area is\n"
            "what the picture reaches.\n\n"
            "  --region C1,R1:C2,R2  suggest the block between these hexes (column first,\n"
            "                    inclusive; repeatable); every other hex teaches, Clear\n"
            "                    included. Without it the Clear hexes are suggested and\n"
            "                    the other hexes teach.\n"
            "  --teach C1,R1:C2,R2  hexes set by hand (repeatable): they teach whatever\n"
            "                    their terrain, Clear included, and are never suggested.\n"
            "                    On a new map, teach a few hexes of every terrain and\n"
            "                    the rest is suggested.\n"
            "  --train OTHER.MAP ...  every hex of these maps teaches as well, each with\n"
            "                    its own picture; a new map (all Clear) is then suggested\n"
            "                    whole.\n"
            "  --evaluate PERCENT  hide PERCENT of the hexes (the same share of every\n"
            "                    terrain, a fixed random choice), learn from the rest,\n"
            "                    print the accuracy on the hidden ones and each terrain's\n"
            "                    recall; writes nothing.\n"
            "  --evaluate-new K  the same for a new map: K hexes of every terrain (Clear\n"
            "                    included, a fixed random choice) are set by hand and\n"
            "                    teach, the rest is suggested.\n"
            "  -o OUTPUT         write there instead of MAPFILE in place.\n\n"
            "Prints each region and teach block with the hexes it holds in the map area,\n"
            "then 'suggested: N', 'left as they were: M', 'changed: C' and the count per\n"
            "terrain. Only the terrain words of the changed hexes are written into the\n"
            "file's own bytes; in place, nothing is written when no hex changes. Fails\n"
            "when the map has no picture, a block holds no hex of the map area or the\n"
            "hexes that teach show fewer than two terrains.\n",
            runSuggestTerrain};
}

} // namespace maporv::tool
