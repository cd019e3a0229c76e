#include "mapviewtesting.h"

#include "display/surface.h"
#include "picturefiles.h"
#include "sessiontesting.h"

namespace maporv {

void PrintTo(const Point& point, std::ostream* out) {
    *out << "(" << point.x << ", " << point.y << ")";
}

} // namespace maporv

namespace maporv::test {

void MapViewTest::start(int videoMode, Rect client, int depth) {
    owner.client = client;
    ASSERT_EQ(display.Create(owner), kOk);
    view = std::make_unique<MapView>(display, session, grid, pointer);
    view->videoMode = videoMode;
    view->screenRect = client;
    view->workArea = {0, 0, 1920, 1080};
    ASSERT_EQ(view->InitDisplayMode(depth), kOk);
    view->InitImages();
    ASSERT_TRUE(view->rightMenu.loaded) << "the bitmaps are not among the resources";
}

void MapViewTest::showPattern(int width, int height) {
    change([&](MapWorkspace& changed) { makePatternPicture(changed.picture, width, height); });
    ASSERT_TRUE(workspace.picture.valid);
    view->ShowLoadedPicture();
}

void MapViewTest::change(const std::function<void(MapWorkspace&)>& apply) {
    test::change(session, apply);
}

void MapViewTest::changeBrush(const std::function<void(Brush&)>& apply) {
    test::changeBrush(session, apply);
}

Status MapViewTest::frameWithPointerAt(Point client) {
    pointer.at = view->fullScreen != 0 ? client : view->toScreen(client);
    return view->RenderFrame();
}

Point MapViewTest::offView() const {
    const Rect& bar = view->regions.bottomBar;
    return {bar.left + 5, bar.top + bar.height() / 2};
}

std::uint32_t MapViewTest::patternValue(int x, int y) const {
    const Rgb c = patternAt(x, y);
    return colour((static_cast<std::uint32_t>(c.blue) << 16) |
                  (static_cast<std::uint32_t>(c.green) << 8) | static_cast<std::uint32_t>(c.red));
}

Rect MapViewTest::viewClip() const {
    return {grid.viewRect.left, grid.viewRect.top, grid.viewRect.right, grid.viewRect.bottom};
}

namespace {

Rect cellSource(const SpriteSheet& sheet, int strip, int cell) {
    const SheetRow& row = sheet.row(strip);
    const Rect first = Rect::fromSize(row.originX, row.originY, row.cellWidth, row.cellHeight);
    return sheet.vertical() ? first.translated(0, cell * row.stepY)
                            : first.translated(cell * row.stepX, 0);
}

// other: pixels of the image at this offset from the source that, when opaque, take
// the pixel out of the count.
CellMatch match(const Surface& frame, const SurfaceImage& image, const Rect& source, int x, int y,
                const Rect& clip, const Point* other = nullptr) {
    CellMatch result;
    const std::optional<std::uint32_t> key = image.surface->colorKey();
    for (int sy = source.top; sy < source.bottom; ++sy) {
        for (int sx = source.left; sx < source.right; ++sx) {
            if (other != nullptr) {
                std::uint32_t pixel = 0;
                image.surface->readPixel(sx + other->x, sy + other->y, pixel);
                if (!key || pixel != *key) {
                    continue;
                }
            }
            const int fx = x + sx - source.left;
            const int fy = y + sy - source.top;
            if (!clip.contains(fx, fy) || !frame.rect().contains(fx, fy)) {
                continue;
            }
            std::uint32_t pixel = 0;
            image.surface->readPixel(sx, sy, pixel);
            if (key && pixel == *key) {
                continue;
            }
            ++result.opaque;
            std::uint32_t shown = 0;
            frame.readPixel(fx, fy, shown);
            result.matching += shown == pixel ? 1 : 0;
        }
    }
    return result;
}

} // namespace

CellMatch matchCell(const Surface& frame, const SpriteSheet& sheet, int strip, int cell, int x,
                    int y, const Rect& clip) {
    return match(frame, sheet, cellSource(sheet, strip, cell), x, y, clip);
}

CellMatch matchCellExcept(const Surface& frame, const SpriteSheet& sheet, int strip, int cell,
                          int otherCell, int x, int y, const Rect& clip) {
    const Rect source = cellSource(sheet, strip, cell);
    const Rect skip = cellSource(sheet, strip, otherCell);
    const Point offset{skip.left - source.left, skip.top - source.top};
    return match(frame, sheet, source, x, y, clip, &offset);
}

CellMatch matchImage(const Surface& frame, const SurfaceImage& image) {
    return match(frame, image, {0, 0, image.width, image.height}, image.placeRect.left,
                 image.placeRect.top, frame.rect());
}

int pixelsOtherThan(const Surface& frame, const Rect& area, std::uint32_t value) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            std::uint32_t pixel = 0;
            frame.readPixel(x, y, pixel);
            count += pixel != value ? 1 : 0;
        }
    }
    return count;
}

} // namespace maporv::test
