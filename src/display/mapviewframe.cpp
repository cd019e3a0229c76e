// One frame of the map view: the drawing steps and the present.

#include "display/bgrcolor.h"
#include "display/displaysurfaces.h"
#include "display/mapview.h"
#include "display/pointerdevice.h"
#include "display/surface.h"
#include "display/textconversion.h"
#include "display/trace.h"
#include "editing/editsession.h"
#include "mapdata/hexgrid.h"
#include "mapdata/textformat.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>
#include <utility>

namespace maporv {

namespace {

// The first surface-lost answer wins, so that the frame can reload its images; other
// failures (a cell wholly outside its clip, an image that did not load) only mean
// that nothing was drawn.
void note(Status& result, Status status) {
    if (status == kSurfaceLost) {
        result = kSurfaceLost;
    } else if (result == kOk) {
        result = status;
    }
}

// The panel's road marks: bit and big road mark cell. Bits 2 and 6 are never shown here.
constexpr std::array<std::pair<std::uint16_t, int>, 6> kPanelRoads{{
    {0x01, 0},
    {0x02, 1},
    {0x08, 3},
    {0x10, 4},
    {0x20, 5},
    {0x80, 7},
}};

} // namespace

Status MapView::RenderFrame() {
    return RenderFrame(pointer_.position());
}

Status MapView::RenderFrame(Point pointer) {
    display_.Clear(0);
    if (fullScreen != 0) {
        display_.FillRect(regions.titleBar, kTitleBarColor);
    }
    UpdateCursorStatus(pointer);

    Status drawn = kOk;
    note(drawn, DrawPicture());
    if (!setDataDialogOpen) {
        note(drawn, DrawRightMenu());
    }
    note(drawn, buttonBar.DrawAll());
    note(drawn, DrawRoadBox());
    note(drawn, DrawMapOverlay());

    const Status presented = fullScreen != 0 ? presentFullScreen() : presentWindowed();
    if (failed(presented)) {
        return presented;
    }
    imagesLostInFrame_ = drawn == kSurfaceLost;
    if (imagesLostInFrame_) {
        ReloadImages();
    }
    return kOk;
}

Status MapView::presentFullScreen() {
    if (Surface* back = display_.backSurface().get()) {
        DrawTexts(*back);
    }
    if (display_.Flip() == kSurfaceLost) {
        // The back buffer belongs to the front surface's flip chain and comes back
        // with it.
        const Status restored = display_.frontSurface()->restore();
        if (failed(restored)) {
            trace("Error al restaurar la superficie de visualización\n");
            return restored;
        }
        display_.backSurface()->restore();
    }
    // The texts once more on the surface now shown.
    if (Surface* front = display_.frontSurface().get()) {
        DrawTexts(*front);
    }
    return kOk;
}

Status MapView::presentWindowed() {
    if (vsyncOn != 0) {
        display_.WaitForVerticalBlank();
    }
    if (Surface* back = display_.backSurface().get()) {
        DrawTexts(*back);
    }
    // The front surface stands for the client area, whose origin is screenRect's.
    const Status status = display_.CopyToFront(Rect{0, 0, screenRect.width(), screenRect.height()});
    if (status == kSurfaceLost) {
        if (const Status restored = display_.frontSurface()->restore(); failed(restored)) {
            trace("Error al restaurar la superficie frontal\n");
            return restored;
        }
        if (const Status restored = display_.backSurface()->restore(); failed(restored)) {
            trace("Error al restaurar la superficie posterior\n");
            return restored;
        }
    } else if (failed(status)) {
        trace("Error al copiar en la superficie posterior\n");
        return status;
    }
    return kOk;
}

const Rect& MapView::scrollEdgeArea() const {
    // In window mode the pointer has to reach the edge of the usable screen, not of
    // the window.
    return fullScreen != 0 ? screenRect : workArea;
}

int MapView::edgeSide(int value, int low, int high, int margin) {
    return value < low + margin ? -1 : value > high - margin ? 1 : 0;
}

bool MapView::atScrollEdge(Point screen) const {
    const Rect& area = scrollEdgeArea();
    return edgeSide(screen.x, area.left, area.right, kEdgeMargin) != 0 ||
           edgeSide(screen.y, area.top, area.bottom, kEdgeMargin) != 0;
}

void MapView::edgeScroll(Point screen) {
    const Rect& area = scrollEdgeArea();
    grid_.scrollX += kEdgeStep * edgeSide(screen.x, area.left, area.right, kEdgeMargin);
    grid_.scrollY += kEdgeStep * edgeSide(screen.y, area.top, area.bottom, kEdgeMargin);
    grid_.clampScroll();
}

void MapView::showNotice(std::string text) {
    notice_ = std::move(text);
    noticeUntil_ = std::chrono::steady_clock::now() + kNoticeTime;
    noticePlace_.reset();
}

void MapView::followNotice(bool onHex) {
    if (notice().empty()) {
        return;
    }
    const CurrentHex here = onHex ? currentHex : CurrentHex{};
    if (!noticePlace_) {
        noticePlace_ = here;
    } else if (here != *noticePlace_) {
        noticeUntil_ = {};
    }
}

const std::string& MapView::notice() const {
    static const std::string none;
    return std::chrono::steady_clock::now() < noticeUntil_ ? notice_ : none;
}

void MapView::UpdateCursorStatus(Point screen) {
    edgeScroll(screen);
    const Point point = fullScreen != 0 ? screen : toClient(screen);
    const bool inView = grid_.inView(point.x, point.y);
    if (inView) {
        grid_.pickHex(point.x, point.y);
        currentHex = {true, grid_.cursor.row, grid_.cursor.column};
    }
    // Without a picture the grid has no hexes: the view names none.
    const bool onHex = inView && mapPictureLoaded();
    followNotice(onHex);
    if (!onHex) {
        // Off the view the road box keeps showing the last hex.
        statusText.clear();
        if (!mapPictureLoaded()) {
            roadsText.clear();
        }
        return;
    }
    const HexCell cell = currentCell();
    const MapNames& names = workspace().names;
    roadsText = strprintf(" %d", cell.roads);
    statusText = strprintf("%s  (%d,%d) %s", terrainText(cell.terrain).c_str(), currentHex.column,
                           currentHex.row,
                           names.nameText(names.nameAt(currentHex.row, currentHex.column)).c_str());
}

Status MapView::DrawPicture() {
    if (!picture.loaded) {
        return kOk;
    }
    const int w = picture.shownWidth > 0 ? picture.shownWidth : picture.width;
    const int h = picture.shownHeight > 0 ? picture.shownHeight : picture.height;
    Rect source = Rect::fromSize(std::max(grid_.scrollX, 0), std::max(grid_.scrollY, 0), w, h);
    // Scrolled past the right or bottom edge: pull back so the picture's last column
    // or row sits at the view's edge.
    if (source.right > picture.width) {
        source = source.translated(picture.width - source.right, 0);
        grid_.scrollX = source.left;
    }
    if (source.bottom > picture.height) {
        source = source.translated(0, picture.height - source.bottom);
        grid_.scrollY = source.top;
    }

    if (strategicView != 0) {
        return drawReducedPicture(source);
    }
    // A picture smaller than the view leaves a negative scroll offset, which the hex
    // grid applies too: the picture then starts that far into the view.
    int x = grid_.viewRect.left;
    int y = grid_.viewRect.top;
    if (source.left < 0) {
        x -= source.left;
        source.left = 0;
    }
    if (source.top < 0) {
        y -= source.top;
        source.top = 0;
    }
    return picture.DrawAt(x, y, &source);
}

Status MapView::drawReducedPicture(const Rect& source) {
    // The scaling copy touches every pixel; the view keeps its result, so a frame only
    // moves memory, as at full size. The output is the same pixels either way.
    const Rect& target = picture.placeRect;
    Surface* back = display_.backSurface().get();
    if (back == nullptr) {
        return kFail;
    }
    if (!picture.surface) {
        return kPointer;
    }
    const bool stale = !reduced_ || reducedFrom_ != picture.surface || reducedSource_ != source ||
                       reduced_->width() != target.width() ||
                       reduced_->height() != target.height() ||
                       reduced_->format() != picture.surface->format();
    if (stale) {
        reduced_ = display_.CreateSurface(target.width(), target.height(),
                                          kCapsOffscreenPlain | kCapsSystemMemory);
        if (!reduced_) {
            return picture.DrawStretched(nullptr, &source);
        }
        const Status status = reduced_->stretchFrom(nullptr, *picture.surface, &source, false);
        if (failed(status)) {
            reduced_.reset();
            return status;
        }
        reducedFrom_ = picture.surface;
        reducedSource_ = source;
    }
    return back->copyFrom(target.left, target.top, *reduced_, reduced_->rect(), false);
}

Status MapView::DrawRightMenu() {
    Status result = rightMenu.Draw();
    for (const auto& [bit, cell] : kPanelRoads) {
        if ((brush().roads & bit) != 0) {
            note(result, bigRoadMarks.DrawCell(cell, rightMenu.anchor.x, rightMenu.anchor.y));
        }
    }
    return result;
}

Status MapView::DrawRoadBox() {
    Status result = roadBox.Draw();
    if (!mapPictureLoaded() || !currentHex.exists) {
        return result;
    }
    note(result, drawRoadMarks(bigRoadMarks, currentCell().roads, bigRoadMarks.anchor.x,
                               bigRoadMarks.anchor.y));
    return result;
}

Status MapView::drawRoadMarks(SpriteSheet& marks, std::uint16_t roads, int x, int y) {
    // Cell k is the road leaving in direction k; bits 8..15 are never drawn.
    Status result = kOk;
    for (int k = 0; k < 8; ++k) {
        if ((roads & (1u << k)) != 0) {
            note(result, marks.DrawCellClipped(k, x, y));
        }
    }
    return result;
}

Status MapView::DrawMapOverlay() {
    if (!grid_.mapPresent) {
        return kOk;
    }
    const ViewRect& view = grid_.viewRect;
    const MapDocument& document = workspace().document;
    const MapNames& names = workspace().names;
    const bool fullSize = strategicView == 0;
    const bool labels = fullSize && showLabels;
    // Icons sit in the hex's centre; at full size the terrain icon moves up-left and
    // the name marker down-right, so both show.
    const int iconDx = (grid_.hexWidth - 16) / 2;
    const int iconDy = (grid_.hexHeight - 11) / 2;
    const int terrainShiftX = fullSize ? -8 : 0;
    const int terrainShiftY = fullSize ? -5 : 0;
    const int markerShiftX = fullSize ? 8 : 0;
    const int markerShiftY = fullSize ? 6 : 0;

    Status result = kOk;
    const HexPosition first = grid_.pixelToHex(view.left, view.top);
    for (int row = std::max(first.row, 0); row < kMapRows; ++row) {
        for (int column = std::max(first.column, 0); column < kMapColumns; ++column) {
            const HexPosition position = grid_.hexToPixel(row, column);
            if (!grid_.hexMayShow(position)) {
                continue;
            }
            const int x = position.screenX;
            const int y = position.screenY;
            if (x > view.right && y > view.bottom) {
                break;
            }
            const HexCell& cell = document.cells[row][column];

            if (showRoads != 0) {
                note(result, drawRoadMarks(roadMarks, cell.roads, x, y));
            }
            const int ix = x + iconDx;
            const int iy = y + iconDy;
            if (showTerrain != 0 && cell.terrain < kTerrainTypeCount &&
                terrainFilter[cell.terrain]) {
                if (labels) {
                    note(result,
                         terrainLabels.DrawCellClipped(cell.terrain, x + grid_.hexWidth / 2 - 30,
                                                       y + grid_.hexHeight / 2));
                } else {
                    note(result, terrainIcons.DrawCellClipped(cell.terrain, ix + terrainShiftX,
                                                              iy + terrainShiftY));
                }
            }
            if (showNames != 0 && names.nameIndex[row][column] > 0) {
                note(result,
                     terrainIcons.DrawCellClipped(20, ix + markerShiftX, iy + markerShiftY));
            }
            if (showGrid != 0 && x < view.right && y < view.bottom) {
                note(result, hexOutlines.DrawCellClipped(1, x, y));
            }
            if (document.selected[row][column] != 0) {
                note(result, hexOutlines.DrawCellClipped(0, x, y));
            }
        }
    }
    return result;
}

void MapView::drawText(QPainter& painter, int x, int y, const QString& text) const {
    // (x, y) is the top of the text, as the layout places it.
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

void MapView::DrawTexts(Surface& target) {
    QImage* image = target.paintTarget();
    if (image == nullptr) {
        return;
    }
    QPainter painter(image);
    if (!painter.isActive()) {
        return;
    }
    painter.setFont(textFont_);
    painter.setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics metrics = painter.fontMetrics();
    const auto tw = [&metrics](const QString& text) { return metrics.horizontalAdvance(text); };
    const int W = screenRect.width();

    if (fullScreen != 0) {
        painter.setPen(colorOf(kTitleTextColor));
        drawText(painter, regions.topBar.left + 6, 2, QStringLiteral("ALT - Menu"));
        const QString winMode = QStringLiteral("F12 - WinMode");
        drawText(painter, regions.rightColumn.right - tw(winMode) - 10, 2, winMode);
        const QString title = toQString(strprintf("Orv Map Tool  *  %s", titleText.c_str()));
        drawText(painter, screenRect.left + (W - tw(title)) / 2, screenRect.top + 2, title);
    }
    painter.setPen(colorOf(kTextColor));

    const ViewRect& view = grid_.viewRect;
    std::string shown = notice().empty() ? statusText : notice();
    if (drawRoadsOn && notice().empty()) {
        shown = shown.empty() ? "Draw Roads" : "Draw Roads  -  " + shown;
    }
    const QString status = toQString(shown);
    drawText(painter, view.left + (view.right - view.left - tw(status)) / 2, regions.topBar.top + 2,
             status);
    drawText(painter, roadBox.anchor.x, roadBox.anchor.y, toQString(roadsText));

    const MapDocument& document = workspace().document;
    const MapNames& names = workspace().names;
    if (document.modified || names.modified) {
        const int x = regions.mapArea.right + 1;
        drawText(painter, x, regions.bottomBar.top - 14, QStringLiteral(" * Modified:"));
        QString which;
        if (document.modified) {
            which += QStringLiteral("<Map>");
        }
        if (names.modified) {
            which += QStringLiteral(" <Names>");
        }
        drawText(painter, x, regions.bottomBar.top + 2, which);
    }
    drawText(painter, regions.bottomBar.left + 3, regions.bottomBar.top + 2,
             toQString(workspace().infoText));

    if (capsLockOn) {
        const int y0 = roadBox.placeRect.bottom + 3;
        const int middle = W - roadBox.PlaceWidth() / 2;
        const std::array<std::pair<const char*, int>, 4> lines{{
            {"CAPS LOCK", 0},
            {"Warning", 14},
            {"R,T,N & D", 30},
            {"changes data", 45},
        }};
        for (const auto& [line, dy] : lines) {
            const QString text = QString::fromLatin1(line);
            drawText(painter, middle - tw(text) / 2 - 2, y0 + dy, text);
        }
    }

    if (!setDataDialogOpen) {
        rightMenu.DrawBoxText(painter, 0, toQString(terrainText(brush().terrain)));
        rightMenu.DrawBoxText(painter, 1, QString::number(brush().roads));
        painter.setFont(nameFont_);
        const QString name = brush().nameIndex < 1
                                 ? QStringLiteral("No name")
                                 : toQString(workspace().names.nameText(brush().nameIndex));
        rightMenu.DrawBoxText(painter, 2, name);
    }
}

} // namespace maporv
