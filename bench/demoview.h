#pragma once

#include "display/displaysurfaces.h"
#include "display/fixedpointer.h"
#include "display/mapview.h"
#include "display/offscreendisplay.h"
#include "editing/editsession.h"
#include "mapdata/consoleuserinterface.h"
#include "mapdata/hexgrid.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace maporv::bench {

// The demo scenario, made once per run and removed with everything else in its folder
// at the run's end; in memory (/dev/shm) when the system has it, so the benchmarks
// that read it measure the code rather than the disk.
class DemoFiles {
public:
    ~DemoFiles();
    DemoFiles(const DemoFiles&) = delete;
    DemoFiles& operator=(const DemoFiles&) = delete;

    static const DemoFiles& get();
    // Ends in a separator.
    const std::string& folder() const { return folder_; }
    std::string map() const { return folder_ + "SCENARIO/DEMO.MAP"; }

private:
    DemoFiles();

    std::string folder_;
};

// The editor's view of the demo map (1920 x 1920 pixels, made once per run and removed
// at its end) in one mode, composed offscreen exactly as the editor composes it: every
// overlay on, every hex selected and the pointer over the middle of the map. Its fonts
// need the application: ensureGuiApplication first.
class DemoView {
public:
    DemoView(int videoMode, bool strategic);
    DemoView(const DemoView&) = delete;
    DemoView& operator=(const DemoView&) = delete;

    Status frame() { return view_.RenderFrame(); }
    // What the frame reads, with the pointer where it is.
    std::uint64_t inputs() const { return view_.InputFingerprint(pointer_.position()); }

    EditSession& session() { return session_; }
    MapView& view() { return view_; }
    HexGrid& grid() { return grid_; }
    FixedPointer& pointer() { return pointer_; }

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

} // namespace maporv::bench
