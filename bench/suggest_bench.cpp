// Terrain suggestion on the demo's 1920 x 1920 picture: the features of every hex
// alone, and the whole suggestion (features, learning from a tenth or a half of the
// hexes, then the most likely terrain of every hex of the map area).

#include "baseline.h"
#include "editing/hexfeatures.h"
#include "editing/terrainclassifier.h"
#include "editing/terrainsuggestion.h"
#include "mapdata/consoleuserinterface.h"
#include "picture/mappicture.h"
#include "tool/demopainter.h"
#include "tool/demoworld.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <ostream>

namespace maporv::bench {
namespace {

// The demo map and its picture, painted once into the shared pixel buffer.
struct Demo {
    Demo()
        : silent(nullptr), ui(silent, silent), picture(ui), world(std::make_unique<DemoWorld>()) {
        buildDemoWorld(*world);
        paintDemoPicture(*world, picture);
    }
    std::ostream silent;
    ConsoleUserInterface ui;
    MapPicture picture;
    std::unique_ptr<DemoWorld> world;

    static Demo& get() {
        static Demo made;
        return made;
    }
};

void BM_HexFeatures(benchmark::State& state) {
    Demo& demo = Demo::get();
    auto features = std::make_unique<HexFeatureGrid>();
    RatioReport ratio(state);
    for (auto _ : state) {
        features->compute(demo.picture);
        benchmark::DoNotOptimize(features->mapAreaSize());
    }
}
BENCHMARK(BM_HexFeatures)->Unit(benchmark::kMillisecond);

// Every n-th hex of the map area teaches (n = 100 / the argument's percent); every hex
// of the map area is suggested.
void BM_SuggestTerrain(benchmark::State& state) {
    Demo& demo = Demo::get();
    const int every = 100 / static_cast<int>(state.range(0));
    auto features = std::make_unique<HexFeatureGrid>();
    RatioReport ratio(state);
    for (auto _ : state) {
        features->compute(demo.picture);
        const HexMask all = mapAreaMask(*features);
        HexMask teaching{};
        int index = 0;
        for (int row = 0; row < kMapRows; ++row) {
            for (int column = 0; column < kMapColumns; ++column) {
                teaching[row][column] = all[row][column] != 0 && index++ % every == 0 ? 1 : 0;
            }
        }
        std::vector<TerrainSample> samples;
        addTerrainSamples(demo.world->document, *features, teaching, samples);
        TerrainClassifier classifier;
        classifier.train(samples);
        const TerrainSuggestion suggestion =
            suggestTerrain(demo.world->document, *features, all, classifier);
        benchmark::DoNotOptimize(suggestion.suggested);
    }
}
BENCHMARK(BM_SuggestTerrain)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace maporv::bench
