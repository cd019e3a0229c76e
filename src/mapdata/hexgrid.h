#pragma once

namespace maporv {

// A hex and where its bounding box lies, in picture and in screen pixels.
struct HexPosition {
    int mapX = 0; // picture position of the bounding box's top-left corner
    int mapY = 0;
    int row = 0;
    int column = 0;
    int screenX = 0; // screen position of the same corner
    int screenY = 0;
};

// A rectangle of screen pixels. The view rectangle includes all four edges.
struct ViewRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct ScreenPoint {
    int x = 0, y = 0;
};

// The seven numbers that scale the grid: the full-size map or one of the reduced
// strategic views.
struct GridConstants {
    int columnStep = 0;
    int rowStep = 0;
    int hexWidth = 0;
    int hexHeight = 0;
    int cornerWidth = 0;
    int halfHeight = 0;
    int edgeLimit = 0;
};

// Hexes are 60 x 50 pixels; columns overlap by 15 pixels, so they are 45 apart.
inline constexpr GridConstants kFullSizeGrid{45, 50, 60, 50, 15, 25, 75};
// The strategic overview in the 800 x 600 display mode.
inline constexpr GridConstants kStrategicGrid800x600{13, 12, 18, 12, 5, 6, 6};
// The strategic overview in every other display mode.
inline constexpr GridConstants kStrategicGrid{17, 16, 24, 16, 7, 8, 7};

// Flat-topped hexes in columns; even columns (0 included) sit half a row higher than
// their odd neighbours, and column 0 starts one column step left of the picture.
//
// Converts between screen pixels, picture pixels and hexes, holds the scroll offset of
// the view over the picture and the cursor hex. The fields are set by the view layout
// and by loading a picture; everything starts at zero.
class HexGrid {
public:
    int originX = 0; // screen position of the view's top-left corner
    int originY = 0;
    int viewWidth = 0;
    int viewHeight = 0;
    int columnStep = 0;
    int rowStep = 0;
    int hexWidth = 0;
    int hexHeight = 0;
    int cornerWidth = 0; // width of the slanted corner triangles
    int halfHeight = 0;  // y of the bounding box's left corner
    int edgeLimit = 0;   // right-hand side of the slanted-edge test
    ViewRect viewRect;
    HexPosition cursor;
    bool mapPresent = false; // a picture is loaded and the grid sized for it
    int pictureWidth = 0;
    int pictureHeight = 0;
    int maxRow = 0; // highest valid row and column, inclusive
    int maxColumn = 0;
    int scrollX = 0; // picture position shown at the view's top-left corner
    int scrollY = 0;
    int maxScrollX = 0; // negative when the picture is smaller than the view
    int maxScrollY = 0;
    bool fixedView = false; // the strategic view shows the whole picture: no scrolling

    void setConstants(const GridConstants& constants);

    // Sizes the grid for a picture. The steps are always the full-size ones, so the row
    // and column range describe the full-size grid whatever the view shows. The range is
    // not capped at the cell grid: cells are looked up with MapDocument::cellAt, which
    // turns away hexes beyond it. mapPresent is left to the caller.
    void setMapSize(int width, int height, int rowStepForSize = kFullSizeGrid.rowStep,
                    int columnStepForSize = kFullSizeGrid.columnStep);

    HexPosition hexToPixel(int row, int column) const;
    // The hex under a screen point. Its mapX / mapY are those of the column box the point
    // falls in, before a corner moves it to a neighbour; refreshCursor() fixes them.
    HexPosition pixelToHex(int screenX, int screenY) const;
    void pickHex(int screenX, int screenY);
    void refreshCursor();
    // Sets screenX / screenY from mapX / mapY.
    void toScreen(HexPosition& position) const;

    bool inView(int x, int y) const;
    // Whether any part of the hex can show in the view; the view draws only these.
    bool hexMayShow(const HexPosition& position) const;
    ViewRect hexScreenRect(const HexPosition& position) const;
    // Moves a point that lies outside the view towards the view, but no further than
    // the hex's own box, so the mouse pointer can sit on a hex that is partly hidden.
    ScreenPoint pullPointIntoView(const HexPosition& position, ScreenPoint point) const;

    // Raises negative offsets to 0 first and lowers them to the maximum last, so a
    // picture smaller than the view ends up with the (negative) maximum.
    void clampScroll();
    void scrollHome();
    void scrollEnd();
    // Each step bounds only the side it moves towards.
    void scrollUp(int n);
    void scrollDown(int n);
    void scrollLeft(int n);
    void scrollRight(int n);
    void centreOn(const HexPosition& position);
    void centreOn() { centreOn(cursor); }
    // Scrolls so that the hex whose box starts at (mapX, mapY) stays clear of the
    // view's edges.
    void keepVisible(int mapX, int mapY);

    // Moves the cursor by a numeric keypad digit ('8' up, '2' down, '7' / '9' up-left /
    // up-right, and so on), staying inside the grid, and scrolls it into view outside
    // the strategic view. False for '5' and other keys, which leave the cursor alone.
    bool moveCursor(char key);
};

} // namespace maporv
