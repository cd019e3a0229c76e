#include "tool/roadcommand.h"

#include "editing/roadevaluation.h"
#include "editing/roadsuggestion.h"
#include "editing/suggestionevaluation.h"
#include "mapdata/hexdirection.h"
#include "mapdata/textformat.h"
#include "tool/arguments.h"
#include "tool/suggestinput.h"
#include "tool/toolcommands.h"

#include <algorithm>
#include <memory>
#include <ostream>

namespace maporv::tool {
namespace {

constexpr const char* kSynopsis = "suggest-roads MAPFILE [--region C1,R1:C2,R2 ...] "
                                  "[--train OTHER.MAP ...] [--evaluate PERCENT] [-o OUTPUT]";
// The evaluation names at most this many of its mistakes.
constexpr std::size_t kMistakeLines = 20;

// A map with what its own picture shows at its joints.
struct JointedMap {
    MapDocument document;
    RoadJointGrid joints;
};

std::unique_ptr<JointedMap> readJointedMap(ToolContext& context, const std::string& file) {
    auto map = std::make_unique<JointedMap>();
    if (!readMapWithPicture(context, file, map->document,
                            [&map](const MapPicture& picture) { map->joints.compute(picture); })) {
        return nullptr;
    }
    return map;
}

bool refuseFewExamples(ToolContext& context, int roads, int others) {
    if (roads > 0 && others > 0) {
        return false;
    }
    context.ui.error(tooFewRoadExamples(roads));
    return true;
}

void printEvaluation(std::ostream& out, const RoadEvaluation& evaluation) {
    out << strprintf("precision: %.3f recall: %.3f f1: %.3f (%d of %d joints)\n",
                     evaluation.precision(), evaluation.recall(), evaluation.f1(),
                     evaluation.correct(), evaluation.joints);
    const std::size_t shown = std::min(evaluation.mistakes.size(), kMistakeLines);
    for (std::size_t i = 0; i < shown; ++i) {
        const RoadEvaluation::Mistake& mistake = evaluation.mistakes[i];
        out << hexText(mistake.joint.from) << '-' << hexText(mistake.joint.to())
            << (mistake.missed ? " missed\n" : " extra\n");
    }
}

int runSuggestRoads(ToolContext& context) {
    Arguments arguments(context.args, {"--region", "--train", "--evaluate", "-o"}, {});
    if (!arguments.ok() || arguments.positional().empty()) {
        return usageError(context, kSynopsis, arguments.error());
    }
    std::string problem;
    const auto teachingFiles = trainFiles(arguments, {"--evaluate", "-o"}, problem);
    if (!teachingFiles) {
        return usageError(context, kSynopsis, problem);
    }
    const auto regions = parseBlocks(arguments, "--region", problem);
    if (!regions) {
        return usageError(context, kSynopsis, problem);
    }
    const auto output = arguments.value("-o");
    std::optional<long> percent;
    if (!evaluationNumber(arguments, {"--evaluate", "PERCENT", 99}, !regions->empty() || output,
                          "--evaluate writes nothing and takes no --region or -o", percent,
                          problem)) {
        return usageError(context, kSynopsis, problem);
    }

    const std::unique_ptr<JointedMap> map =
        readJointedMap(context, absolutePath(arguments.positional()[0]));
    if (!map) {
        return kFailed;
    }
    // Every other map teaches with all its hexes, each with its own picture.
    std::vector<std::unique_ptr<JointedMap>> others;
    std::vector<RoadExample> examples;
    for (const std::string& file : *teachingFiles) {
        others.push_back(readJointedMap(context, absolutePath(file)));
        if (!others.back()) {
            return kFailed;
        }
        addRoadExamples(others.back()->document, others.back()->joints,
                        roadAreaMask(others.back()->joints), examples);
    }
    const HexMask area = roadAreaMask(map->joints);
    if (percent) {
        const RoadEvaluation evaluation = evaluateRoadSuggestion(
            map->document, map->joints,
            hiddenHexes(map->document, area, static_cast<int>(*percent)), examples);
        if (refuseFewExamples(context, evaluation.roadsTaught, evaluation.othersTaught)) {
            return kFailed;
        }
        printEvaluation(context.out, evaluation);
        return kSuccess;
    }

    const auto chosen = blocksInArea(context, "region", *regions, area);
    if (!chosen) {
        return kFailed;
    }
    const HexMask targets = regions->empty() ? hexesWithoutRoads(map->document) : *chosen;
    addRoadExamples(map->document, map->joints, outsideOf(area, targets), examples);
    RoadClassifier classifier;
    classifier.train(examples);
    if (refuseFewExamples(context, classifier.roadsTaught(), classifier.othersTaught())) {
        return kFailed;
    }
    const RoadSuggestion suggestion = suggestRoads(map->document, map->joints, targets, classifier);
    context.out << strprintf("learnt from: %d joints with a road, %d without\n",
                             classifier.roadsTaught(), classifier.othersTaught())
                << "roads: " << suggestion.roads << '\n'
                << "changed: " << suggestion.changed << '\n';
    return writeStep(context, map->document, output, suggestion.step);
}

} // namespace

ToolCommand suggestRoadsCommand() {
    return {"suggest-roads", kSynopsis,
            "Sets the roads between hexes from what the map's picture shows: learns what a\n"
            "painted road looks like from hexes whose roads are known, and gives every\n"
            "joint of the other hexes (the edge between two neighbours) a road where one\n"
            "is more likely than not, always on both sides. The picture is the map's own,\n"
            "found as the editor finds it; the map area is what the picture reaches, and\n"
            "no road leads out of it.\n\n"
            "  --region C1,R1:C2,R2  suggest the roads of the block between these hexes\n"
            "                    (column first, inclusive; repeatable); every other hex\n"
            "                    teaches. Without it the hexes without any road bit are\n"
            "                    suggested and the hexes with roads teach.\n"
            "  --train OTHER.MAP ...  every hex of these maps teaches as well, each with\n"
            "                    its own picture.\n"
            "  --evaluate PERCENT  hide the roads of PERCENT of the hexes (the same fixed\n"
            "                    random choice as suggest-terrain --evaluate), learn from\n"
            "                    the rest and print 'precision: P recall: R f1: F (J of K\n"
            "                    joints)' on the K joints between two hidden hexes, J of\n"
            "                    them right, then at most 20 of the wrong ones as\n"
            "                    '(CC,RR)-(CC,RR) missed' or 'extra'; writes nothing.\n"
            "  -o OUTPUT         write there instead of MAPFILE in place.\n\n"
            "A hex that teaches says a road where it has the bit and none where it has\n"
            "not. A joint between a suggested hex and one that is not follows the other\n"
            "hex, which keeps its bits: a road it has toward the suggested hex is given\n"
            "its other side. Prints each region with the hexes it holds in the map area,\n"
            "'learnt from: R joints with a road, N without', 'roads: N' (joints of the\n"
            "suggested hexes with a road) and 'changed: C' (joints whose road changed).\n"
            "Only the road words of the changed hexes are written into the file's own\n"
            "bytes; in place, nothing is written when no hex changes. Fails when the map\n"
            "has no picture, a region holds no hex of the map area, or the hexes that\n"
            "teach show no road or no joint without one.\n",
            runSuggestRoads};
}

} // namespace maporv::tool
