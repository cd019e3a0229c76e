// Terrain and road suggestion on the demo's 1920 x 1920 picture: the features of every
// hex alone, and the whole suggestion (features, learning from a tenth or a half of
// the hexes, then the most likely terrain of every hex of the map area); the samples
// of every joint alone, and the whole road suggestion (samples, learning from the
// joints of a tenth or a half of the hexes, then every joint of the map area).

#include "baseline.h"
#include "demo/demopainter.h"
#include "demo/demoworld.h"
#include "editing/hexfeatures.h"
#include "editing/picturepixels.h"
#include "editing/roadsuggestion.h"
#include "editing/terrainclassifier.h"
#include "editing/terrainsuggestion.h"
#include "mapdata/consoleuserinterface.h"
#include "picture/mappicture.h"

#include <benchmark/benchmark.h>
#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

namespace maporv::bench {
namespace {

// The demo map and a copy of its picture: the other benchmarks load pictures into the
// shared pixel buffer.
struct Demo {
    Demo() : world(std::make_unique<DemoWorld>()) {
        std::ostream silent(nullptr);
        ConsoleUserInterface ui(silent, silent);
        MapPicture picture(ui);
        buildDemoWorld(*world);
        paintDemoPicture(*world, picture);
        width = picture.width;
        height = picture.height;
        rowLength = picture.rowLength;
        pixels.assign(MapPicture::pixels(),
                      MapPicture::pixels() + static_cast<std::size_t>(rowLength) * height);
    }
    std::unique_ptr<DemoWorld> world;
    std::vector<std::uint8_t> pixels;
    int width = 0;
    int height = 0;
    int rowLength = 0;

    void features(HexFeatureGrid& grid) const {
        grid.compute(PicturePixels{pixels.data(), width, height, rowLength});
    }
    void joints(RoadJointGrid& grid) const {
        grid.compute(PicturePixels{pixels.data(), width, height, rowLength});
    }
    static const Demo& get() {
        static const Demo made;
        return made;
    }
};

// Every n-th hex of the area, row by row.
HexMask everyNth(const HexMask& area, int every) {
    HexMask chosen{};
    int index = 0;
    forEachHex([&](int row, int column) {
        maskAt(chosen, {row, column}) = inMask(area, {row, column}) && index++ % every == 0 ? 1 : 0;
    });
    return chosen;
}

void BM_HexFeatures(benchmark::State& state) {
    const Demo& demo = Demo::get();
    auto features = std::make_unique<HexFeatureGrid>();
    RatioReport ratio(state);
    for (auto _ : state) {
        demo.features(*features);
        benchmark::DoNotOptimize(features->mapAreaSize());
    }
}
BENCHMARK(BM_HexFeatures)->Unit(benchmark::kMillisecond);

// Every n-th hex of the map area teaches (n = 100 / the argument's percent); every hex
// of the map area is suggested.
void BM_SuggestTerrain(benchmark::State& state) {
    const Demo& demo = Demo::get();
    const int every = 100 / static_cast<int>(state.range(0));
    auto features = std::make_unique<HexFeatureGrid>();
    RatioReport ratio(state);
    for (auto _ : state) {
        demo.features(*features);
        const HexMask all = mapAreaMask(*features);
        std::vector<TerrainSample> samples;
        addTerrainSamples(demo.world->document, *features, everyNth(all, every), samples);
        TerrainClassifier classifier;
        classifier.train(samples);
        const TerrainSuggestion suggestion =
            suggestTerrain(demo.world->document, *features, all, classifier);
        benchmark::DoNotOptimize(suggestion.suggested);
    }
}
BENCHMARK(BM_SuggestTerrain)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

void BM_RoadJoints(benchmark::State& state) {
    const Demo& demo = Demo::get();
    auto joints = std::make_unique<RoadJointGrid>();
    RatioReport ratio(state);
    for (auto _ : state) {
        demo.joints(*joints);
        benchmark::DoNotOptimize(joints->joints().size());
    }
}
BENCHMARK(BM_RoadJoints)->Unit(benchmark::kMillisecond);

// Every n-th hex of the map area teaches (n = 100 / the argument's percent); the roads
// of every hex of the map area are suggested.
void BM_SuggestRoads(benchmark::State& state) {
    const Demo& demo = Demo::get();
    const int every = 100 / static_cast<int>(state.range(0));
    auto joints = std::make_unique<RoadJointGrid>();
    RatioReport ratio(state);
    for (auto _ : state) {
        demo.joints(*joints);
        const HexMask all = roadAreaMask(*joints);
        std::vector<RoadExample> examples;
        addRoadExamples(demo.world->document, *joints, everyNth(all, every), examples);
        RoadClassifier classifier;
        classifier.train(examples);
        const RoadSuggestion suggestion =
            suggestRoads(demo.world->document, *joints, all, classifier);
        benchmark::DoNotOptimize(suggestion.roads);
        state.counters["examples"] = static_cast<double>(examples.size());
        state.counters["joints"] = static_cast<double>(joints->joints().size());
    }
}
BENCHMARK(BM_SuggestRoads)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace maporv::bench
