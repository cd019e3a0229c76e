// The validation figures of road and terrain suggestion on painted scenes of every
// style: for each style and seed, a 1920 x 1920 scene is painted and evaluated as
// `suggest-roads --evaluate 90` and `--evaluate 50` and `suggest-terrain --evaluate 90`
// would (the f1 of roads, the towns found of those hidden, the terrain's accuracy).
// Prints one line a scene and each style's means. --write paints one scene as a game
// folder (SCENARIO/SCENE.MAP, MAP/MAP0700.s16 ..., scene.bmp) to look at or to give to
// the tool.
//
//   maporv_roadscenes [--seeds N] [--size PIXELS] [--write FOLDER STYLE SEED]

#include "demo/demoworld.h"
#include "demo/scenepainter.h"
#include "demo/sceneworld.h"
#include "editing/hexfeatures.h"
#include "editing/roadevaluation.h"
#include "editing/roadsuggestion.h"
#include "editing/suggestionevaluation.h"
#include "mapdata/consoleuserinterface.h"
#include "picture/mappicture.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

using namespace maporv;

namespace {

struct Figures {
    double roads90 = 0.0;
    double roads50 = 0.0;
    int townsHidden = 0;
    int townsFound = 0;
    double terrain = 0.0;
};

Figures evaluate(const SceneWorld& world, const MapPicture& picture) {
    Figures figures;
    auto joints = std::make_unique<RoadJointGrid>();
    joints->compute(picture);
    const HexMask area = roadAreaMask(*joints);
    figures.roads90 =
        evaluateRoadSuggestion(world.document, *joints, hiddenHexes(world.document, area, 90)).f1();
    figures.roads50 =
        evaluateRoadSuggestion(world.document, *joints, hiddenHexes(world.document, area, 50)).f1();
    auto features = std::make_unique<HexFeatureGrid>();
    features->compute(picture);
    const SuggestionEvaluation terrain = evaluateSuggestion(world.document, *features, 90);
    figures.terrain = terrain.accuracy();
    figures.townsHidden = terrain.terrains[TerrainCode::City].hidden;
    figures.townsFound = terrain.terrains[TerrainCode::City].correct;
    return figures;
}

} // namespace

int main(int argc, char** argv) {
    int seeds = 3;
    int size = 1920;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--seeds" && i + 1 < argc) {
            seeds = std::atoi(argv[++i]);
        } else if (arg == "--size" && i + 1 < argc) {
            size = std::atoi(argv[++i]);
        } else if (arg == "--write" && i + 3 < argc) {
            const std::string folder = argv[++i];
            const std::string style = argv[++i];
            const auto seed = static_cast<std::uint64_t>(std::atoll(argv[++i]));
            ConsoleUserInterface ui(std::cout, std::cerr);
            for (SceneStyle s : kSceneStyles) {
                if (style != sceneStyleName(s)) {
                    continue;
                }
                auto world = std::make_unique<SceneWorld>();
                buildSceneWorld(s, seed, size, size, *world);
                MapPicture picture(ui);
                paintScene(*world, picture);
                const bool ok = world->document.writeMapFile(folder + "/SCENARIO/SCENE.MAP", ui) &&
                                picture.writeS16Tiles(folder + "/MAP/MAP07") &&
                                picture.saveBmp(folder + "/scene.bmp");
                return ok ? 0 : 1;
            }
            std::cerr << "no style " << style << '\n';
            return 2;
        } else {
            std::cerr << "usage: maporv_roadscenes [--seeds N] [--size PIXELS] [--write FOLDER "
                         "STYLE SEED]\n";
            return 2;
        }
    }
    std::ostream silent(nullptr);
    ConsoleUserInterface ui(silent, silent);
    std::printf("%-18s %4s %8s %8s %12s %8s\n", "style", "seed", "roads90", "roads50", "towns",
                "terrain");
    for (SceneStyle style : kSceneStyles) {
        Figures sum;
        for (int seed = 1; seed <= seeds; ++seed) {
            auto world = std::make_unique<SceneWorld>();
            buildSceneWorld(style, static_cast<std::uint64_t>(seed), size, size, *world);
            MapPicture picture(ui);
            paintScene(*world, picture);
            const Figures f = evaluate(*world, picture);
            std::printf("%-18s %4d %8.3f %8.3f %5d of %3d %8.3f\n", sceneStyleName(style), seed,
                        f.roads90, f.roads50, f.townsFound, f.townsHidden, f.terrain);
            sum.roads90 += f.roads90 / seeds;
            sum.roads50 += f.roads50 / seeds;
            sum.townsFound += f.townsFound;
            sum.townsHidden += f.townsHidden;
            sum.terrain += f.terrain / seeds;
        }
        std::printf("%-18s %4s %8.3f %8.3f %5d of %3d %8.3f\n", sceneStyleName(style), "mean",
                    sum.roads90, sum.roads50, sum.townsFound, sum.townsHidden, sum.terrain);
    }
    return 0;
}
