#pragma once

#include "display/buttonbar.h"
#include "display/hotspotpanel.h"
#include "display/pictureimage.h"
#include "display/rect.h"
#include "display/spritesheet.h"
#include "display/status.h"
#include "display/surfaceimage.h"
#include "mapdata/hexcell.h"
#include "mapdata/hexdirection.h"
#include "mapdata/terraintype.h"

#include <QFont>
#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QPainter;
class QString;

namespace maporv {

class DisplaySurfaces;
class EditSession;
class HexGrid;
class MapWorkspace;
class PointerDevice;
class Surface;
struct Brush;

// Colours of the frame (0x00BBGGRR).
inline constexpr std::uint32_t kBackgroundColor = 0x00DCEDEF;
inline constexpr std::uint32_t kTitleBarColor = 0x00F25700;
inline constexpr std::uint32_t kTitleTextColor = 0x00FAFAFA;
inline constexpr std::uint32_t kTextColor = 0x00464646;

// Values of videoMode.
inline constexpr int kWindowMode = 0;
inline constexpr int kMode800x600 = 2;
inline constexpr int kMode1024x768 = 3;

// The buttons of the button bar, in the order of the view toggles they mirror.
enum ViewToggle { kToggleGrid, kToggleStrategic, kToggleTerrain, kToggleRoads, kToggleNames };
inline constexpr int kViewToggleCount = 5;

// Where the parts of the frame go, in client coordinates.
struct ViewRegions {
    Rect titleBar; // full-screen modes only
    Rect topBar;   // its bottom field holds the bar's height, 24
    Rect bottomBar;
    Rect rightColumn; // the panel, the road box and the Caps Lock warning
    Rect mapArea;     // what the view may use
};

// The hex under the mouse pointer, once the pointer has been over the view; from then
// on it always names a hex. Hexes outside the cell grid read as an empty cell.
struct CurrentHex {
    bool exists = false;
    int row = 0;
    int column = 0;
    bool operator==(const CurrentHex&) const = default;
};

// The map view of the main window: its nine images, the layout of the screen, the
// view geometry of the hex grid and the frame drawn from scratch every idle cycle.
//
// Everything the frame shows is read straight from its inputs each time, so a change
// anywhere shows in the next frame. The inputs that belong to the window are plain
// members here or references given at construction; the map, its names, picture and
// texts, the brush and the selection are the editing session's.
class MapView {
public:
    MapView(DisplaySurfaces& display, const EditSession& session, HexGrid& grid,
            PointerDevice& pointer);
    MapView(const MapView&) = delete;
    MapView& operator=(const MapView&) = delete;

    // The images.
    HotSpotPanel rightMenu;    // the panel that edits the brush
    ButtonBar buttonBar;       // the view toggles
    SurfaceImage roadBox;      // the roads of the hex under the pointer
    SpriteSheet bigRoadMarks;  // road marks of the panel and the road box
    SpriteSheet hexOutlines;   // cell 0 selected hex, cell 1 grid hex
    SpriteSheet roadMarks;     // cell k = road bit k, over the map
    SpriteSheet terrainIcons;  // cell t = terrain t, cell 20 = named hex
    SpriteSheet terrainLabels; // cell t = terrain t
    PictureImage picture;      // the map picture

    // View toggles, each mirrored by one button of the bar (setToggle keeps both).
    int showGrid = 0;
    int strategicView = 1;
    int showTerrain = 0;
    int showRoads = 0;
    int showNames = 1;

    // Inputs of the frame that the window owns.
    std::array<bool, kTerrainTypeCount> terrainFilter{}; // which terrain types get marks
    bool showLabels = true; // text labels instead of icons at full size
    bool capsLockOn = false;
    bool setDataDialogOpen = false; // hides the panel and its texts
    bool drawRoadsOn = false;       // the left button draws roads; the status line says so
    int vsyncOn = 1;
    int fullScreen = 0;
    int videoMode = kWindowMode;
    int screenDepth = 16;
    // The %s of the full-screen title; the map's file name once one is loaded.
    std::string titleText;
    // The display area: the full-screen mode's rectangle, or the client area in screen
    // coordinates.
    Rect screenRect;
    // The desktop work area read at start-up: the edges that scroll in window mode.
    Rect workArea;
    // Set once a picture was loaded and the grid sized for it; selecting needs it.
    bool gridReady = false;
    CurrentHex currentHex;

    // Texts kept between frames.
    std::string statusText;
    std::string roadsText;

    // A command's outcome, shown in the status line in place of the hex under the
    // pointer until the notice's time is up, or until the pointer goes to another hex
    // or off the view from where the first frame of the notice found it.
    static constexpr std::chrono::milliseconds kNoticeTime{5000};
    void showNotice(std::string text);
    // The notice while it shows, else empty.
    const std::string& notice() const;

    ViewRegions regions;

    // The display part of a mode initialisation for videoMode: full-screen (2, 3) or
    // window mode at the desktop's depth; then the background colour and a clip list
    // of the whole display area. Sets fullScreen, screenRect and screenDepth. The
    // window wraps it with its pause bits and the keyboard focus.
    Status InitDisplayMode(int desktopDepth);

    // Gives every image the display and its blit mode, then ReloadImages.
    void InitImages();
    // Loads every bitmap again, the picture again from the shared buffer (while the
    // map's picture is in it), and lays out the screen.
    void ReloadImages();
    void ReleaseImages();
    // Screen regions from screenRect, then PlaceWidgets.
    void SetLayout();
    // Places the images in the regions, then SetViewGeometry.
    void PlaceWidgets();
    // The hex grid's view for the current mode, toggle and picture.
    void SetViewGeometry();

    // After the workspace loaded a picture: shows it, sizes the grid for it and lays
    // out the view again. Returns what LoadPicture returned.
    Status ShowLoadedPicture();

    // Draws and presents one frame: 0, or the failure of the present. The pointer is
    // read once per frame; a caller that has just read it passes it on.
    Status RenderFrame();
    Status RenderFrame(Point pointer);

    // The last frame met a lost image: it shows what it could, and the images are
    // loaded again for the next one.
    bool imagesLostInFrame() const { return imagesLostInFrame_; }

    // A digest of everything RenderFrame reads, with the pointer at a given place (screen
    // pixels): while it stays the same, a new frame would show what the last one showed.
    // The session's parts come in as their revisions; whatever else a frame comes to
    // read (the window's own inputs, the images, the display) has to be folded in here.
    std::uint64_t InputFingerprint(Point pointer) const;

    // The steps of a frame.
    // From the pointer's position in screen pixels.
    void UpdateCursorStatus(Point pointer);
    Status DrawPicture();
    Status DrawRightMenu();
    Status DrawRoadBox();
    Status DrawMapOverlay();
    void DrawTexts(Surface& target);

    // While a stroke of the mouse runs (a button held on the map), with the pointer in
    // screen pixels as RenderFrame takes it. The hex it points at, pulled into the view
    // when it is beyond it:
    HexCoord StrokeHex(Point screen) const;
    // At full size, the pointer within kStrokeEdge pixels of the view's edge or beyond
    // it scrolls the map 5 pixels a frame towards that edge, as the screen's edge does
    // (where both would, once), so a stroke goes on beyond what the view shows.
    static constexpr int kStrokeEdge = 8;
    void StrokeScroll(Point screen);
    // Whether StrokeScroll would scroll.
    bool atStrokeEdge(Point screen) const;

    // Puts the mouse pointer on the cursor hex's centre (pulled into the view when the
    // hex is partly hidden).
    void PlacePointerOnCursor();

    // Where tool dialogs put their top-left corner.
    Point DialogAnchor() const;

    // Sets a view toggle and its button together.
    void setToggle(ViewToggle toggle, int value);
    int toggle(ViewToggle toggle) const;

    // The picture image holds a picture to show.
    bool mapPictureLoaded() const;
    // The cell of currentHex; an empty cell before the pointer was over the view and
    // for hexes outside the cell grid.
    HexCell currentCell() const;

    // Terrain codes 0..19 by name, others by their last two digits ("05" for 105).
    static std::string terrainText(int code);

    Point toClient(Point screen) const;
    Point toScreen(Point client) const;
    // Whether the pointer (screen pixels) rests where the map scrolls every frame: at
    // the screen's edges in full screen, the work area's in window mode.
    bool atScrollEdge(Point screen) const;

private:
    // The part of the present after the frame is drawn.
    Status presentFullScreen();
    Status presentWindowed();
    // The bitmaps drawn with their key colour transparent (all but the picture).
    std::array<SurfaceImage*, 8> keyedImages();
    // The map scrolls kEdgeStep pixels a frame while the pointer rests within
    // kEdgeMargin pixels of the screen's (or work area's) edge or beyond it.
    static constexpr int kEdgeMargin = 2;
    static constexpr int kEdgeStep = 5;
    const Rect& scrollEdgeArea() const;
    // -1, 0 or 1: whether a coordinate lies within margin of the low or the high edge.
    static int edgeSide(int value, int low, int high, int margin);
    // The marks of the roads word at (x, y), one cell of the sheet per direction.
    static Status drawRoadMarks(SpriteSheet& marks, std::uint16_t roads, int x, int y);
    void edgeScroll(Point screen);
    // StrokeScroll's move applied to a grid.
    void strokeScroll(Point screen, HexGrid& grid) const;
    // The notice gives way once the pointer is no longer where it was.
    void followNotice(bool onHex);
    // The strategic view's picture, reduced once and copied every frame after.
    Status drawReducedPicture(const Rect& source);
    void drawText(QPainter& painter, int x, int y, const QString& text) const;

    const MapWorkspace& workspace() const;
    const Brush& brush() const;

    DisplaySurfaces& display_;
    const EditSession& session_;
    HexGrid& grid_;
    PointerDevice& pointer_;

    QFont textFont_;
    QFont nameFont_;

    // The reduced picture, with the surface and the part it was reduced from; made
    // again when either changes or the view's size does.
    std::shared_ptr<Surface> reduced_;
    std::shared_ptr<Surface> reducedFrom_;
    Rect reducedSource_;

    std::string notice_;
    std::chrono::steady_clock::time_point noticeUntil_{};
    // The hex under the pointer when the notice met its first frame; one that does not
    // exist off the view.
    std::optional<CurrentHex> noticePlace_;
    bool imagesLostInFrame_ = false;
};

} // namespace maporv
