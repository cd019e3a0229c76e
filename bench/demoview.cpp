#include "demoview.h"

#include "demo/demoscenario.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace maporv::bench {

namespace fs = std::filesystem;

DemoFiles::DemoFiles() {
    const fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    folder_ = (base / ("maporv-bench-" + std::to_string(::getpid()))).string() + "/";
    std::ostream silent(nullptr);
    ConsoleUserInterface ui(silent, silent);
    if (!makeDemoScenario(folder_, ui)) {
        std::fprintf(stderr, "maporv_bench: the demo scenario could not be written\n");
        std::exit(1);
    }
}

DemoFiles::~DemoFiles() {
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

const DemoFiles& DemoFiles::get() {
    static const DemoFiles made;
    return made;
}

DemoView::DemoView(int videoMode, bool strategic)
    : silent_(nullptr), ui_(silent_, silent_), session_(ui_),
      view_(display_, session_, grid_, pointer_) {
    if (!session_.load(DemoFiles::get().map()).pictureLoaded || failed(display_.Create(owner_))) {
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

} // namespace maporv::bench
