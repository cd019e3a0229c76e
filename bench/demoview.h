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

namespace maporv::bench {

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
