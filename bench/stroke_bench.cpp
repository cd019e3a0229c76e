// Strokes of the mouse in the editor's view of the demo map, handled as the window
// handles them: each pointer sample goes to the editing session, whose notice its
// followers answer, and the render loop's turn draws the frame.

#include "baseline.h"
#include "demoview.h"
#include "editing/mapcheck.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <numbers>
#include <vector>

namespace maporv::bench {
namespace {

// The CPU time this thread has used, in milliseconds.
double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// A stroke of the mouse at full size in window mode, every overlay on: 200 pointer
// samples in a fast figure of eight over the view, twice, each handled as the window
// handles it. The move goes to the session, whose notice a follower answers with the
// map check, as the Check Map window does; then the render loop's turn: the fingerprint
// compared, the stroke's step of the frame, the frame drawn and its fingerprint taken.
// "frame_max_ms" is the slowest sample of all strokes, "frame_mean_ms" their mean,
// "frame_max_cpu_ms" the slowest in the thread's CPU time (which other programs on a
// shared machine do not stretch), "hexes" what one stroke changed. A road stroke (the middle
// button) on the scene of BM_RenderFrameWindowFullSize, every hex selected; a paint stroke (the
// right button) with no selection, which the right button would paint at the press.
void runStroke(benchmark::State& state, bool road) {
    ensureGuiApplication("maporv_bench");
    DemoView scene(kWindowMode, false);
    EditSession& session = scene.session();
    MapView& view = scene.view();
    if (!road) {
        session.clearSelection();
    }
    const EditSession::Following checkWindow = session.follow([&session](SessionChanges what) {
        if ((what & ~(kBrushChanged | kSelectionChanged)) != 0) {
            const MapWorkspace& workspace = session.workspace();
            benchmark::DoNotOptimize(
                checkMap(workspace.document, workspace.names,
                         PictureSize{workspace.picture.width, workspace.picture.height}));
        }
    });
    const Rect area = view.regions.mapArea;
    std::vector<Point> samples;
    constexpr int kSamples = 200;
    for (int i = 0; i < kSamples; ++i) {
        const double t = 4 * std::numbers::pi * i / kSamples;
        const Point client{
            static_cast<int>(area.left + area.width() * (0.5 + 0.45 * std::sin(t))),
            static_cast<int>(area.top + area.height() * (0.5 + 0.45 * std::sin(2 * t)))};
        samples.push_back(view.toScreen(client));
    }
    scene.frame();
    std::uint64_t drawn = scene.inputs();
    double slowest = 0;
    double slowestCpu = 0;
    double total = 0;
    std::size_t hexes = 0;
    bool remove = true;
    std::uint16_t terrain = 3;
    RatioReport ratio(state);
    for (auto _ : state) {
        remove = !remove;
        terrain = terrain == 3 ? 4 : 3;
        const HexCoord press = view.StrokeHex(samples.front());
        if (road) {
            session.beginRoadStroke(press, remove);
        } else {
            session.setBrush({terrain, 0x12, 0});
            session.beginPaintStroke({press.row, press.column, true, press.row, press.column});
        }
        for (const Point sample : samples) {
            const auto start = std::chrono::steady_clock::now();
            const double startCpu = threadCpuMs();
            scene.pointer().moveTo(sample);
            session.strokeTo(view.StrokeHex(sample));
            if (scene.inputs() != drawn) {
                view.StrokeScroll(sample);
                session.strokeTo(view.StrokeHex(sample));
                scene.frame();
                drawn = scene.inputs();
            }
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            slowest = std::max(slowest, ms);
            slowestCpu = std::max(slowestCpu, threadCpuMs() - startCpu);
            total += ms;
        }
        session.endStroke();
        // "Draw Road (96 hexes)".
        std::sscanf(session.history().undoName().c_str(), "%*[^(](%zu", &hexes);
    }
    state.counters["frame_max_ms"] = slowest;
    state.counters["frame_max_cpu_ms"] = slowestCpu;
    state.counters["frame_mean_ms"] = total / (static_cast<double>(state.iterations()) * kSamples);
    state.counters["hexes"] = static_cast<double>(hexes);
}

void BM_StrokeFramesRoad(benchmark::State& state) {
    runStroke(state, true);
}
BENCHMARK(BM_StrokeFramesRoad)->Unit(benchmark::kMillisecond);

void BM_StrokeFramesPaint(benchmark::State& state) {
    runStroke(state, false);
}
BENCHMARK(BM_StrokeFramesPaint)->Unit(benchmark::kMillisecond);

// The longest of the shortest ways along the map's roads between two of its hexes,
// from one end to the other: the road a modder would draw in one go.
std::vector<HexCoord> longestRoad(const MapDocument& document) {
    const auto joined = [&document](HexCoord hex, int direction) {
        const HexCoord next = neighbour(hex, direction);
        const HexCell* from = document.cellAt(hex.row, hex.column);
        const HexCell* to = document.cellAt(next.row, next.column);
        return from != nullptr && to != nullptr && (from->roads & directionBit(direction)) != 0 &&
               (to->roads & directionBit(oppositeDirection(direction))) != 0;
    };
    std::vector<HexCoord> longest;
    for (int start = 0; start < kMapRows * kMapColumns; ++start) {
        const HexCoord first{start / kMapColumns, start % kMapColumns};
        if (document.cellAt(first.row, first.column)->roads == 0) {
            continue;
        }
        // Breadth first, each hex with the one it was reached from.
        std::map<std::pair<int, int>, HexCoord> from{{{first.row, first.column}, first}};
        std::vector<HexCoord> queue{first};
        for (std::size_t i = 0; i < queue.size(); ++i) {
            for (int direction = 0; direction < kHexDirections; ++direction) {
                const HexCoord next = neighbour(queue[i], direction);
                if (joined(queue[i], direction) &&
                    from.emplace(std::pair{next.row, next.column}, queue[i]).second) {
                    queue.push_back(next);
                }
            }
        }
        std::vector<HexCoord> road{queue.back()};
        while (!(road.back() == first)) {
            road.push_back(from.at({road.back().row, road.back().column}));
        }
        if (road.size() > longest.size()) {
            longest = road;
        }
    }
    return longest;
}

// The demo's longest road taken away and drawn again with the middle button held,
// through the hex centres, in one stroke. At full size the road leaves the view: where
// the next hex is not inside it the pointer waits at the view's edge (on the hex it is
// on or the next one), where the map scrolls, until the next hex shows. Reported:
// "road_hexes", the frames drawn, "strokes" (1: one stroke did it; 2: the pointer would
// have had to leave the road, so the user would have needed another one), "restored"
// (1 when every road word is the demo's again) and the one-sided roads "check" finds.
void runLongestRoad(benchmark::State& state, bool strategic) {
    ensureGuiApplication("maporv_bench");
    DemoView scene(kWindowMode, strategic);
    EditSession& session = scene.session();
    MapView& view = scene.view();
    HexGrid& grid = scene.grid();
    const MapDocument demo = session.workspace().document;
    const std::vector<HexCoord> road = longestRoad(demo);
    const auto centre = [&grid](HexCoord hex) {
        const HexPosition at = grid.hexToPixel(hex.row, hex.column);
        return Point{at.screenX + grid.hexWidth / 2, at.screenY + grid.hexHeight / 2};
    };
    int frames = 0;
    int strokes = 1;
    for (auto _ : state) {
        session.change(kMapChanged, [&road](MapWorkspace& workspace) {
            for (std::size_t i = 1; i < road.size(); ++i) {
                const int direction = neighbourDirection(road[i - 1], road[i]);
                workspace.document.cellAt(road[i - 1].row, road[i - 1].column)->roads &=
                    static_cast<std::uint16_t>(~directionBit(direction));
                workspace.document.cellAt(road[i].row, road[i].column)->roads &=
                    static_cast<std::uint16_t>(~directionBit(oppositeDirection(direction)));
            }
        });
        grid.centreOn(grid.hexToPixel(road.front().row, road.front().column));
        const auto sample = [&](Point client) {
            const Point screen = view.toScreen(client);
            scene.pointer().moveTo(screen);
            session.strokeTo(view.StrokeHex(screen));
            view.StrokeScroll(screen);
            session.strokeTo(view.StrokeHex(screen));
            scene.frame();
            ++frames;
            return view.StrokeHex(screen);
        };
        session.beginRoadStroke(road.front(), false);
        const ViewRect& v = grid.viewRect;
        const int margin = MapView::kStrokeEdge + 1;
        for (std::size_t i = 1; i < road.size() && strokes == 1; ++i) {
            for (;;) {
                const Point c = centre(road[i]);
                if (c.x >= v.left + margin && c.x <= v.right - margin && c.y >= v.top + margin &&
                    c.y <= v.bottom - margin) {
                    sample(c);
                    break;
                }
                const HexCoord at =
                    sample({std::clamp(c.x, v.left, v.right), std::clamp(c.y, v.top, v.bottom)});
                if (!(at == road[i]) && !(at == road[i - 1])) {
                    strokes = 2;
                    break;
                }
            }
        }
        session.endStroke();
    }
    const MapDocument& drawn = session.workspace().document;
    bool restored = true;
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            restored =
                restored && drawn.cellAt(row, column)->roads == demo.cellAt(row, column)->roads;
        }
    }
    const MapPicture& picture = session.workspace().picture;
    int oneSided = 0;
    for (const MapProblem& problem :
         checkMap(drawn, session.workspace().names, PictureSize{picture.width, picture.height})) {
        oneSided += problem.kind == MapProblemKind::OneSidedRoad ? 1 : 0;
    }
    state.counters["road_hexes"] = static_cast<double>(road.size());
    state.counters["frames"] = frames;
    state.counters["strokes"] = strokes;
    state.counters["restored"] = restored ? 1 : 0;
    state.counters["one_sided"] = oneSided;
}

void BM_StrokeDemoLongestRoadFullSize(benchmark::State& state) {
    runLongestRoad(state, false);
}
BENCHMARK(BM_StrokeDemoLongestRoadFullSize)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_StrokeDemoLongestRoadStrategic(benchmark::State& state) {
    runLongestRoad(state, true);
}
BENCHMARK(BM_StrokeDemoLongestRoadStrategic)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace maporv::bench
