// One frame of the map view on the demo map (1920 x 1920 pixels) with every overlay
// on and every hex selected: window mode at 1024 x 768 (32 bits) at full size and in
// the strategic view, and the 1024 x 768 full-screen mode (16 bits) at full size. The
// frames are composed offscreen, exactly as the editor composes them. And what a turn
// of the loop costs when nothing changed.

#include "baseline.h"
#include "demo/demoscenario.h"
#include "display/displaysurfaces.h"
#include "display/fixedpointer.h"
#include "display/mapview.h"
#include "display/offscreendisplay.h"
#include "editing/editsession.h"
#include "mapdata/consoleuserinterface.h"
#include "mapdata/hexgrid.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <unistd.h>

namespace maporv::bench {
namespace {

namespace fs = std::filesystem;

// The demo scenario, made once per run and removed at its end.
class DemoFiles {
public:
    DemoFiles() {
        const fs::path base =
            fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        folder_ = (base / ("maporv-render-bench-" + std::to_string(::getpid()))).string() + "/";
        std::ostream silent(nullptr);
        ConsoleUserInterface ui(silent, silent);
        if (!makeDemoScenario(folder_, ui)) {
            std::fprintf(stderr, "maporv_bench: the demo scenario could not be written\n");
            std::exit(1);
        }
    }
    ~DemoFiles() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    DemoFiles(const DemoFiles&) = delete;
    DemoFiles& operator=(const DemoFiles&) = delete;

    std::string map() const { return folder_ + "SCENARIO/DEMO.MAP"; }

    static const DemoFiles& get() {
        static const DemoFiles made;
        return made;
    }

private:
    std::string folder_;
};

// The editor's view of the demo map in one mode, every overlay on, every hex selected
// and the pointer over the map.
class Scene {
public:
    Scene(int videoMode, bool strategic)
        : silent_(nullptr), ui_(silent_, silent_), session_(ui_),
          view_(display_, session_, grid_, pointer_) {
        if (!session_.load(DemoFiles::get().map()).pictureLoaded ||
            failed(display_.Create(owner_))) {
            std::fprintf(stderr, "maporv_bench: the demo map could not be shown\n");
            std::exit(1);
        }
        view_.videoMode = videoMode;
        view_.screenRect = owner_.clientRect();
        view_.InitDisplayMode(32);
        view_.workArea = view_.screenRect;
        view_.strategicView = strategic ? 1 : 0;
        view_.showGrid = 1;
        view_.showTerrain = 1;
        view_.showRoads = 1;
        view_.showNames = 1;
        view_.showLabels = false;
        view_.InitImages();
        view_.ShowLoadedPicture();
        session_.change(kSelectionChanged, [](MapWorkspace& workspace) {
            for (auto& row : workspace.document.selected) {
                row.fill(1);
            }
            workspace.document.selectionActive = true;
        });
        grid_.scrollX = 600;
        grid_.scrollY = 500;
        grid_.clampScroll();
        const ViewRect& v = grid_.viewRect;
        pointer_.moveTo(view_.toScreen({(v.left + v.right) / 2, (v.top + v.bottom) / 2}));
    }

    Status frame() { return view_.RenderFrame(); }
    std::uint64_t inputs() const { return view_.InputFingerprint(pointer_.position()); }

private:
    std::ostream silent_;
    ConsoleUserInterface ui_;
    EditSession session_;
    OffscreenOwner owner_{{0, 0, 1024, 768}};
    DisplaySurfaces display_;
    HexGrid grid_;
    FixedPointer pointer_;
    MapView view_;
};

// Times one turn of the scene after a first frame: a frame by default.
template <typename Turn>
void runTurns(benchmark::State& state, int videoMode, bool strategic, Turn turn) {
    // Before the scene: its fonts need the application.
    ensureGuiApplication("maporv_bench");
    Scene scene(videoMode, strategic);
    scene.frame();
    RatioReport ratio(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(turn(scene));
    }
}

void runFrames(benchmark::State& state, int videoMode, bool strategic) {
    runTurns(state, videoMode, strategic, [](Scene& scene) { return scene.frame(); });
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
    runTurns(state, kWindowMode, false, [](Scene& scene) { return scene.inputs(); });
}
BENCHMARK(BM_FrameInputsAtRest)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace maporv::bench
