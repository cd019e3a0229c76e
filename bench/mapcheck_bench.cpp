// The map check, which the Check Map window runs again every 200 ms while it is
// open: the demo map (clean) and a map with a mistake of some kind on every hex.

#include "baseline.h"
#include "demo/demoworld.h"
#include "editing/mapcheck.h"

#include <benchmark/benchmark.h>

namespace maporv::bench {
namespace {

void checkBenchmark(benchmark::State& state, const DemoWorld& world) {
    const PictureSize picture{kDemoPictureSize, kDemoPictureSize};
    RatioReport ratio(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(checkMap(world.document, world.names, picture));
    }
}

void BM_CheckMapDemo(benchmark::State& state) {
    static DemoWorld world;
    if (world.document.width == 0) {
        buildDemoWorld(world);
    }
    checkBenchmark(state, world);
}
BENCHMARK(BM_CheckMapDemo)->Unit(benchmark::kMicrosecond);

void BM_CheckMapEveryHexWrong(benchmark::State& state) {
    static DemoWorld world;
    world.document.width = 45;
    world.document.height = 40;
    // Every other hex has roads every way and stray bits, and no hex has a terrain
    // name: some 3,700 lines.
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            world.document.cells[row][column] =
                (row + column) % 2 == 0 ? HexCell{99, 0xFFFF, 0, 0, 0} : HexCell{98, 0, 0, 0, 0};
        }
    }
    checkBenchmark(state, world);
}
BENCHMARK(BM_CheckMapEveryHexWrong)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace maporv::bench
