// Strokes of the mouse on the demo map: a paint stroke and a road stroke of 200
// pointer samples, each sample picked as the window picks the hex under the pointer,
// walked to through the line of hexes and applied, and the stroke recorded as the
// editor records it, at its first changed hex and grown at every later one; and the
// fill of the demo's largest region. "sample" is the time per pointer sample, which
// has to fit in one frame.

#include "baseline.h"
#include "demo/demoworld.h"
#include "editing/brush.h"
#include "editing/edithistory.h"
#include "editing/paintstroke.h"
#include "editing/regionfill.h"
#include "editing/roadstroke.h"
#include "mapdata/hexgrid.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

namespace maporv::bench {
namespace {

constexpr int kSamples = 200;

// A fast figure of eight over the whole 1920 x 1920 picture, twice, as the hexes
// under the pointer at full size.
std::vector<HexCoord> strokeSamples() {
    HexGrid grid;
    grid.setConstants(kFullSizeGrid);
    grid.setMapSize(kDemoPictureSize, kDemoPictureSize);
    std::vector<HexCoord> samples;
    for (int i = 0; i < kSamples; ++i) {
        const double t = 4 * std::numbers::pi * i / kSamples;
        const HexPosition hex = grid.pixelToHex(static_cast<int>(960 + 900 * std::sin(t)),
                                                static_cast<int>(960 + 900 * std::sin(2 * t)));
        samples.push_back({hex.row, hex.column});
    }
    return samples;
}

struct Session {
    Session() : world(std::make_unique<DemoWorld>()) {
        buildDemoWorld(*world);
        world->document.loaded = true;
    }
    std::unique_ptr<DemoWorld> world;
    EditHistory history{world->document, world->names};
    HexExtent area{pictureReach({kDemoPictureSize, kDemoPictureSize})};
};

// The time per sample, and how many hexes the line between two samples steps over.
void sampleCounters(benchmark::State& state, const std::vector<HexCoord>& samples) {
    state.counters["sample"] = benchmark::Counter(
        kSamples, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    std::size_t steps = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        steps += hexLine(samples[i - 1], samples[i]).size() - 1;
    }
    state.counters["hexes_per_sample"] = static_cast<double>(steps) / (kSamples - 1);
}

// The samples as the editor takes them: a sample that changes a hex (the press too,
// when pressed says so) records the stroke so far, as a new step the first time and by
// growing that step after, so the map shows modified from the first hex on.
template <typename Stroke>
void takeSamples(EditHistory& history, Stroke& stroke, bool pressed,
                 const std::vector<HexCoord>& samples) {
    bool recorded = false;
    const auto record = [&] {
        if (!recorded) {
            recorded = history.record(stroke.finish());
        } else {
            history.amendLast(stroke.finish());
        }
    };
    if (pressed) {
        record();
    }
    for (HexCoord sample : samples) {
        if (stroke.moveTo(sample)) {
            record();
        }
    }
    benchmark::DoNotOptimize(recorded);
}

void BM_PaintStroke200Samples(benchmark::State& state) {
    Session session;
    const std::vector<HexCoord> samples = strokeSamples();
    Brush brush;
    RatioReport ratio(state);
    for (auto _ : state) {
        // Forest and Jungle by turns, so every stroke changes the hexes it passes.
        brush.terrain = brush.terrain == 3 ? 4 : 3;
        session.history.reconcile();
        PaintStroke stroke(session.world->document, session.area, brush, &session.history.handSet);
        const bool pressed = stroke.press({samples.front()}, samples.front());
        takeSamples(session.history, stroke, pressed, samples);
    }
    sampleCounters(state, samples);
}
BENCHMARK(BM_PaintStroke200Samples)->Unit(benchmark::kMicrosecond);

void BM_RoadStroke200Samples(benchmark::State& state) {
    Session session;
    const std::vector<HexCoord> samples = strokeSamples();
    bool remove = true;
    RatioReport ratio(state);
    for (auto _ : state) {
        // Drawn and taken away by turns.
        remove = !remove;
        session.history.reconcile();
        RoadStroke stroke(session.world->document, session.area, remove);
        takeSamples(session.history, stroke, false, samples);
    }
    sampleCounters(state, samples);
}
BENCHMARK(BM_RoadStroke200Samples)->Unit(benchmark::kMicrosecond);

// The demo's largest region of one terrain, filled and undone.
void BM_FillRegionLargest(benchmark::State& state) {
    Session session;
    const MapDocument& document = session.world->document;
    HexCoord start;
    std::size_t largest = 0;
    for (int row = 0; row < session.area.rows; ++row) {
        for (int column = 0; column < session.area.columns; ++column) {
            const std::size_t size = connectedRegion(document, {row, column}, session.area).size();
            if (size > largest) {
                largest = size;
                start = {row, column};
            }
        }
    }
    RatioReport ratio(state);
    for (auto _ : state) {
        const std::vector<HexCoord> region = connectedRegion(document, start, session.area);
        session.history.perform(regionFillStep(document, region, 19, 0));
        session.history.undo();
    }
    state.counters["hexes"] = static_cast<double>(largest);
}
BENCHMARK(BM_FillRegionLargest)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace maporv::bench
