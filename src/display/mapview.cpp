#include "display/mapview.h"

#include "display/displaysurfaces.h"
#include "display/pointerdevice.h"
#include "display/surface.h"
#include "display/trace.h"
#include "editing/editsession.h"
#include "mapdata/hexgrid.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"

#include <algorithm>

namespace maporv {

namespace {

// The terrain types marked on the map until the user filters otherwise: City,
// Airfield, Ocean, River, Impassable River, Lake.
constexpr std::array<int, 6> kDefaultFilter{1, 2, 9, 10, 15, 17};

// Layout constants: the right column is 116 pixels wide, the bars 24 high.
constexpr int kRightColumnWidth = 116;
constexpr int kBarHeight = 24;
constexpr int kTitleBarHeight = 22;

QFont makeFont(const char* family, QFont::StyleHint hint) {
    QFont font(QString::fromLatin1(family));
    font.setStyleHint(hint);
    // Pixel sizes, so that frames do not depend on the screen's resolution: the name
    // box is 9 points at 96 dots per inch.
    font.setPixelSize(12);
    return font;
}

void loadKeyed(SurfaceImage& image, int bitmap) {
    if (succeeded(image.LoadFromBitmap(bitmap))) {
        image.KeyFromTopLeft();
    }
}

} // namespace

const MapWorkspace& MapView::workspace() const {
    return session_.workspace();
}

const Brush& MapView::brush() const {
    return session_.brush();
}

MapView::MapView(DisplaySurfaces& display, const EditSession& session, HexGrid& grid,
                 PointerDevice& pointer)
    : display_(display), session_(session), grid_(grid), pointer_(pointer),
      textFont_(makeFont("Liberation Sans", QFont::SansSerif)),
      nameFont_(makeFont("Courier New", QFont::TypeWriter)) {
    for (const int type : kDefaultFilter) {
        terrainFilter[static_cast<std::size_t>(type)] = true;
    }
}

Status MapView::InitDisplayMode(int desktopDepth) {
    fullScreen = videoMode != kWindowMode ? 1 : 0;
    Status status = kOk;
    if (fullScreen != 0) {
        status = display_.InitFullScreen(screenRect, screenDepth, videoMode);
    } else {
        screenDepth = desktopDepth;
        status = display_.InitWindowed(screenRect, screenDepth);
    }
    display_.SetFillColor(kBackgroundColor);
    // Full-screen modes have no clipper; the call then changes nothing.
    display_.SetClipList({Rect{0, 0, screenRect.width(), screenRect.height()}});
    return status;
}

std::array<SurfaceImage*, 8> MapView::keyedImages() {
    return {&rightMenu,   &buttonBar, &roadBox,      &bigRoadMarks,
            &hexOutlines, &roadMarks, &terrainIcons, &terrainLabels};
}

void MapView::InitImages() {
    for (SurfaceImage* image : keyedImages()) {
        image->SetDisplay(&display_, kBlitKeyed);
    }
    picture.SetDisplay(&display_, kBlitOpaque);
    ReloadImages();
}

void MapView::ReleaseImages() {
    for (SurfaceImage* image : keyedImages()) {
        image->ReleaseSurface();
    }
    picture.ReleaseSurface();
    reduced_.reset();
    reducedFrom_.reset();
}

void MapView::ReloadImages() {
    ReleaseImages();

    loadKeyed(rightMenu, 160);
    rightMenu.SetHotSpotCount(13);
    rightMenu.SetHotSpot(0, 16, 16, 5, 88);    // terrain down
    rightMenu.SetHotSpotLike(1, 0, 25, 88);    // terrain up
    rightMenu.SetHotSpotLike(2, 0, 49, 147);   // road N
    rightMenu.SetHotSpotLike(3, 0, 84, 162);   // NE
    rightMenu.SetHotSpotLike(4, 0, 84, 207);   // SE
    rightMenu.SetHotSpotLike(5, 0, 49, 222);   // S
    rightMenu.SetHotSpotLike(6, 0, 15, 207);   // SW
    rightMenu.SetHotSpotLike(7, 0, 15, 162);   // NW
    rightMenu.SetHotSpotLike(8, 0, 5, 341);    // previous name
    rightMenu.SetHotSpotLike(9, 0, 95, 341);   // next name
    rightMenu.SetHotSpot(10, 28, 18, 27, 340); // Add
    rightMenu.SetHotSpotLike(11, 10, 60, 340); // Edit
    rightMenu.SetHotSpot(12, 112, 27, 1, 1);   // the heading
    rightMenu.SetTextBoxCount(3);
    rightMenu.SetTextBox(0, 2, 59, 113, 76);   // terrain
    rightMenu.SetTextBox(1, 27, 242, 86, 258); // roads
    rightMenu.SetTextBox(2, 2, 315, 113, 332); // name

    loadKeyed(buttonBar, 153);
    buttonBar.SetButtons(kViewToggleCount, 24, 24, 27, 24);
    for (int i = 0; i < kViewToggleCount; ++i) {
        buttonBar.SetState(i, toggle(static_cast<ViewToggle>(i)));
    }

    loadKeyed(roadBox, 159);

    loadKeyed(bigRoadMarks, 142);
    bigRoadMarks.SetRowCount(1, false);
    bigRoadMarks.DefineRow(0, 8, 61, 51);

    loadKeyed(hexOutlines, 133);
    hexOutlines.SetRowCount(3, false);
    hexOutlines.DefineRow(0, 2, 61, 51);
    hexOutlines.DefineRow(1, 2, 24, 16);
    hexOutlines.DefineRow(2, 2, 18, 12);

    loadKeyed(roadMarks, 139);
    roadMarks.SetRowCount(3, false);
    roadMarks.DefineRow(0, 8, 61, 51);
    roadMarks.DefineRow(1, 8, 24, 16);
    roadMarks.DefineRow(2, 8, 18, 12);

    loadKeyed(terrainIcons, 144);
    terrainIcons.SetRowCount(1, false);
    terrainIcons.DefineRow(0, 21, 16, 11);

    loadKeyed(terrainLabels, 162);
    terrainLabels.SetRowCount(1, true);
    terrainLabels.DefineRow(0, 20, 58, 19);

    // The surfaces are new: the picture again, from the shared buffer while the map's
    // picture is there (a preview holds the buffer only while it is lent out).
    if (workspace().picture.valid) {
        picture.LoadPicture(workspace().picture);
    }

    SetLayout();
}

void MapView::SetLayout() {
    const int W = screenRect.width();
    const int H = screenRect.height();
    const int L = fullScreen != 0 ? 0 : 3;
    const int T = fullScreen != 0 ? kTitleBarHeight : 0;
    const int mapRight = W - kRightColumnWidth - 1;
    if (fullScreen != 0) {
        trace("Pasa por SetLayout en modo Exclusive\n");
    }

    regions.titleBar = fullScreen != 0 ? Rect{0, 0, W, kTitleBarHeight} : Rect{};
    regions.topBar = {L, T, mapRight, kBarHeight};
    regions.bottomBar = {L, H - kBarHeight, mapRight, H};
    regions.rightColumn = {W - kRightColumnWidth, T, W, H};
    regions.mapArea = {L, T + kBarHeight + 1, mapRight, H - kBarHeight - 1};

    PlaceWidgets();
}

void MapView::PlaceWidgets() {
    buttonBar.PlaceAt(regions.topBar.left, regions.topBar.top, true);

    rightMenu.PlaceAt(regions.rightColumn.left, regions.rightColumn.top, true);
    rightMenu.anchor = {rightMenu.placeRect.left + 26, rightMenu.placeRect.top + 168};

    const Point belowMenu = rightMenu.BottomLeft();
    roadBox.PlaceAt(belowMenu.x + 1, belowMenu.y + 2, true);
    roadBox.anchor = {roadBox.placeRect.left + 48, roadBox.placeRect.top + 3};

    bigRoadMarks.anchor = {roadBox.placeRect.left + 28, roadBox.placeRect.top + 28};
    bigRoadMarks.SetPlaceRect(roadBox.placeRect);

    SetViewGeometry();
}

void MapView::SetViewGeometry() {
    const Rect& area = regions.mapArea;
    grid_.originX = area.left;
    grid_.originY = area.top;

    int strip = 0;
    int left = area.left;
    if (strategicView != 0 && mapPictureLoaded()) {
        const bool small = videoMode == kMode800x600;
        const GridConstants& constants = small ? kStrategicGrid800x600 : kStrategicGrid;
        strip = small ? 2 : 1;
        grid_.setConstants(constants);
        // The reduced size is truncated from these double products; a picture width that
        // is a multiple of 45 can come out a pixel narrower than the exact ratio.
        grid_.viewWidth =
            static_cast<int>(constants.columnStep * 42.666666666 * picture.width / 1920.0);
        grid_.viewHeight = static_cast<int>(constants.rowStep * 38.4 * picture.height / 1920.0);
        grid_.fixedView = true;
        grid_.maxScrollX = picture.width;
        grid_.maxScrollY = picture.height;
        picture.shownWidth = picture.width;
        picture.shownHeight = picture.height;
        // Centred across the map area, at its top.
        left += (area.width() - grid_.viewWidth) / 2;
    } else {
        grid_.setConstants(kFullSizeGrid);
        grid_.viewWidth = area.width();
        grid_.viewHeight = area.height();
        grid_.maxScrollX = grid_.pictureWidth - grid_.viewWidth;
        grid_.maxScrollY = grid_.pictureHeight - grid_.viewHeight;
        grid_.fixedView = false;
        picture.shownWidth = grid_.viewWidth;
        picture.shownHeight = grid_.viewHeight;
    }
    grid_.viewRect = {left, area.top, left + grid_.viewWidth, area.top + grid_.viewHeight};
    grid_.originX = grid_.viewRect.left;
    grid_.originY = grid_.viewRect.top;

    const Rect clip{grid_.viewRect.left, grid_.viewRect.top, grid_.viewRect.right,
                    grid_.viewRect.bottom};
    for (SurfaceImage* image : std::initializer_list<SurfaceImage*>{
             &roadMarks, &terrainIcons, &picture, &hexOutlines, &terrainLabels}) {
        image->SetPlaceRect(clip);
    }
    hexOutlines.SetCurrentRow(strip);
    roadMarks.SetCurrentRow(strip);

    grid_.refreshCursor();
    if (mapPictureLoaded()) {
        grid_.keepVisible(grid_.cursor.mapX, grid_.cursor.mapY);
        grid_.refreshCursor();
        PlacePointerOnCursor();
    }
}

Status MapView::ShowLoadedPicture() {
    const Status status = picture.LoadPicture(workspace().picture);
    gridReady = true;
    grid_.setMapSize(workspace().picture.width, workspace().picture.height, kFullSizeGrid.rowStep,
                     kFullSizeGrid.columnStep);
    grid_.mapPresent = true;
    titleText = fileNameWithExtension(workspace().document.path);
    PlaceWidgets();
    return status;
}

void MapView::PlacePointerOnCursor() {
    const HexPosition& cursor = grid_.cursor;
    const ScreenPoint centre{cursor.screenX + grid_.hexWidth / 2 - 1,
                             cursor.screenY + grid_.hexHeight / 2 - 1};
    const ScreenPoint inside = grid_.pullPointIntoView(cursor, centre);
    const Point point{inside.x, inside.y};
    pointer_.setPosition(fullScreen != 0 ? point : toScreen(point));
}

Point MapView::DialogAnchor() const {
    return {screenRect.left, regions.rightColumn.top};
}

void MapView::setToggle(ViewToggle which, int value) {
    switch (which) {
    case kToggleGrid:
        showGrid = value;
        break;
    case kToggleStrategic:
        strategicView = value;
        break;
    case kToggleTerrain:
        showTerrain = value;
        break;
    case kToggleRoads:
        showRoads = value;
        break;
    case kToggleNames:
        showNames = value;
        break;
    }
    buttonBar.SetState(which, value);
}

int MapView::toggle(ViewToggle which) const {
    switch (which) {
    case kToggleGrid:
        return showGrid;
    case kToggleStrategic:
        return strategicView;
    case kToggleTerrain:
        return showTerrain;
    case kToggleRoads:
        return showRoads;
    case kToggleNames:
        return showNames;
    }
    return 0;
}

bool MapView::mapPictureLoaded() const {
    return picture.loaded && picture.surface != nullptr;
}

HexCell MapView::currentCell() const {
    if (!currentHex.exists) {
        return {};
    }
    const HexCell* cell = workspace().document.cellAt(currentHex.row, currentHex.column);
    return cell != nullptr ? *cell : HexCell{};
}

std::string MapView::terrainText(int code) {
    if (const char* name = terrainName(code)) {
        return name;
    }
    return strprintf("%02d", (code % 100 + 100) % 100);
}

Point MapView::toClient(Point screen) const {
    return {screen.x - screenRect.left, screen.y - screenRect.top};
}

Point MapView::toScreen(Point client) const {
    return {client.x + screenRect.left, client.y + screenRect.top};
}

} // namespace maporv
