#include "display/hotspotpanel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>

namespace maporv {

namespace {

void resize(std::vector<Rect>& rects, int n) {
    if (n >= 1) {
        rects.assign(static_cast<std::size_t>(n), Rect{});
    }
}

bool inRange(const std::vector<Rect>& rects, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < rects.size();
}

} // namespace

void HotSpotPanel::SetHotSpotCount(int n) {
    resize(hotSpots_, n);
}

void HotSpotPanel::SetTextBoxCount(int n) {
    resize(textBoxes_, n);
}

void HotSpotPanel::SetHotSpot(int index, int w, int h, int x, int y) {
    if (inRange(hotSpots_, index)) {
        hotSpots_[static_cast<std::size_t>(index)] = Rect::fromSize(x, y, w, h);
    }
}

void HotSpotPanel::SetHotSpotLike(int index, int model, int x, int y) {
    if (inRange(hotSpots_, model)) {
        const Rect& m = hotSpots_[static_cast<std::size_t>(model)];
        SetHotSpot(index, m.width(), m.height(), x, y);
    }
}

void HotSpotPanel::SetTextBox(int index, int left, int top, int right, int bottom) {
    if (inRange(textBoxes_, index)) {
        textBoxes_[static_cast<std::size_t>(index)] = {left, top, right, bottom};
    }
}

int HotSpotPanel::HitTest(int x, int y) const {
    for (std::size_t i = 0; i < hotSpots_.size(); ++i) {
        if (hotSpots_[i].translated(placeRect.left, placeRect.top).contains(x, y)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void HotSpotPanel::DrawBoxText(QPainter& painter, int index, const QString& text) const {
    if (!inRange(textBoxes_, index)) {
        return;
    }
    const Rect& box = textBoxes_[static_cast<std::size_t>(index)];
    const int x = placeRect.left + box.left + 1;
    const int y = placeRect.top + box.top + 1;
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

} // namespace maporv
