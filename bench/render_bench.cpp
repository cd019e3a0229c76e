// One frame of the map view on the demo map (1920 x 1920 pixels) with every overlay
// on and every hex selected: window mode at 1024 x 768 (32 bits) at full size and in
// the strategic view, and the 1024 x 768 full-screen mode (16 bits) at full size. The
// frames are composed offscreen, exactly as the editor composes them. And what a turn
// of the loop costs when nothing changed.

#include "baseline.h"
#include "demoview.h"

#include <benchmark/benchmark.h>

namespace maporv::bench {
namespace {

// Times one turn of the scene after a first frame: a frame by default.
template <typename Turn>
void runTurns(benchmark::State& state, int videoMode, bool strategic, Turn turn) {
    // Before the scene: its fonts need the application.
    ensureGuiApplication("maporv_bench");
    DemoView scene(videoMode, strategic);
    scene.frame();
    RatioReport ratio(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(turn(scene));
    }
}

void runFrames(benchmark::State& state, int videoMode, bool strategic) {
    runTurns(state, videoMode, strategic, [](DemoView& scene) { return scene.frame(); });
}

void BM_RenderFrameWindowFullSize(benchmark::State& state) {
    runFrames(state, kWindowMode, false);
}
BENCHMARK(BM_RenderFrameWindowFullSize)->Unit(benchmark::kMillisecond);

void BM_RenderFrameWindowStrategic(benchmark::State& state) {
    runFrames(state, kWindowMode, true);
}
BENCHMARK(BM_RenderFrameWindowStrategic)->Unit(benchmark::kMillisecond);

void BM_RenderFrameFullScreen1024FullSize(benchmark::State& state) {
    runFrames(state, kMode1024x768, false);
}
BENCHMARK(BM_RenderFrameFullScreen1024FullSize)->Unit(benchmark::kMillisecond);

// A turn of the render loop while nothing changes: instead of a frame, the fingerprint
// of everything the frame reads, to compare with the last frame's.
void BM_FrameInputsAtRest(benchmark::State& state) {
    runTurns(state, kWindowMode, false, [](DemoView& scene) { return scene.inputs(); });
}
BENCHMARK(BM_FrameInputsAtRest)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace maporv::bench
