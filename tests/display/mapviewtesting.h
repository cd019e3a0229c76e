#pragma once

#include "display/displaysurfaces.h"
#include "display/mapview.h"
#include "display/pointerdevice.h"
#include "displaytesting.h"
#include "editing/editsession.h"
#include "mapdata/hexgrid.h"
#include "scripteduserinterface.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace maporv {

void PrintTo(const Point& point, std::ostream* out);

} // namespace maporv

namespace maporv::test {

// A mouse pointer the test puts where it wants; placements by the view are recorded
// and followed, as the real pointer follows them.
class TestPointer : public PointerDevice {
public:
    Point position() const override { return at; }
    void setPosition(Point point) override {
        placed.push_back(point);
        at = point;
    }

    Point at{-500, -500};
    std::vector<Point> placed;
};

// A map view on a real display under the offscreen platform, with the program's
// bitmaps and a generated picture instead of a scenario.
class MapViewTest : public testing::Test {
protected:
    // A display in the mode (window mode at the depth, or a full-screen mode at 16
    // bits) with the images loaded and the layout done. In window mode the client area
    // is the given rectangle of the screen.
    void start(int videoMode, Rect client = {0, 0, 640, 480}, int depth = 32);
    // A patterned picture of the size, shown as if the session had loaded it.
    void showPattern(int width, int height);
    // The session's map, names, picture or texts changed as a file or an edit would.
    void change(const std::function<void(MapWorkspace&)>& apply);
    void changeBrush(const std::function<void(Brush&)>& apply);
    // Moves the pointer to a point of the client area, then draws one frame.
    Status frameWithPointerAt(Point client);
    // A client point well off the view and away from every scrolling edge.
    Point offView() const;

    Surface& front() { return *display.frontSurface(); }
    Surface& back() { return *display.backSurface(); }
    // The pixel value of a colour 0x00BBGGRR in the display's format.
    std::uint32_t colour(std::uint32_t bgr) const { return display.ColorMatch(bgr); }
    // The pixel value of the pattern picture's pixel (x, y).
    std::uint32_t patternValue(int x, int y) const;
    // The clip rectangle of the overlay: the view.
    Rect viewClip() const;

    ScriptedUserInterface ui;
    EditSession session{ui};
    const MapWorkspace& workspace = session.workspace();
    const Brush& brush = session.brush();
    HexGrid grid;
    TestPointer pointer;
    FakeOwner owner;
    DisplaySurfaces display;
    std::unique_ptr<MapView> view;
};

// How many of a sprite cell's opaque pixels (those within clip) the surface shows at
// (x, y), and how many there are.
struct CellMatch {
    int matching = 0;
    int opaque = 0;
    bool whole() const { return opaque > 0 && matching == opaque; }
    // Fewer than half: the cell is not there, even if some pixels happen to agree.
    bool absent() const { return matching * 2 < opaque; }
};
CellMatch matchCell(const Surface& frame, const SpriteSheet& sheet, int strip, int cell, int x,
                    int y, const Rect& clip);
// As matchCell, leaving out the pixels where another cell of the strip is opaque (where
// a neighbour's copy of that cell may have been drawn later).
CellMatch matchCellExcept(const Surface& frame, const SpriteSheet& sheet, int strip, int cell,
                          int otherCell, int x, int y, const Rect& clip);
// The same for a whole image at its place.
CellMatch matchImage(const Surface& frame, const SurfaceImage& image);

// Pixels of the rectangle that differ from the value: text leaves these.
int pixelsOtherThan(const Surface& frame, const Rect& area, std::uint32_t value);

} // namespace maporv::test
