#include "display/buttonbar.h"

#include <algorithm>

namespace maporv {

void ButtonBar::SetButtons(int count, int cellWidth, int cellHeight, int stepX,
                           int pressedOffsetY) {
    states_.assign(static_cast<std::size_t>(std::max(count, 0)), 0);
    if (count <= 0) {
        strip_ = SheetRow{};
        return;
    }
    strip_.cellCount = count;
    strip_.cellWidth = cellWidth > 0 ? cellWidth : width / count;
    strip_.cellHeight = cellHeight > 0 ? cellHeight : height / 2;
    strip_.stepX = stepX > 0 ? stepX : strip_.cellWidth;
    strip_.stepY = pressedOffsetY > 0 ? pressedOffsetY : strip_.cellHeight;
}

void ButtonBar::SetState(int index, int state) {
    if (index >= 0 && index < buttonCount()) {
        states_[static_cast<std::size_t>(index)] = state;
    }
}

int ButtonBar::state(int index) const {
    return index >= 0 && index < buttonCount() ? states_[static_cast<std::size_t>(index)] : 0;
}

Status ButtonBar::DrawButton(int index) {
    const int x = index * strip_.stepX;
    const Rect source = Rect::fromSize(x, state(index) != 0 ? strip_.stepY : 0, strip_.cellWidth,
                                       strip_.cellHeight);
    return DrawAt(placeRect.left + x, placeRect.top, &source);
}

Status ButtonBar::DrawAll() {
    Status result = kOk;
    for (int i = 0; i < buttonCount(); ++i) {
        const Status status = DrawButton(i);
        if (result == kOk) {
            result = status;
        }
    }
    return result;
}

int ButtonBar::HitToggle(int x, int y) {
    if (states_.empty()) {
        return -1;
    }
    if (x < placeRect.left || x > placeRect.right || y < placeRect.top || y > placeRect.bottom) {
        return -1;
    }
    if (strip_.stepX <= 0) {
        return -1;
    }
    const int index = (x - placeRect.left) / strip_.stepX;
    if (index < 0 || index >= buttonCount()) {
        return -1;
    }
    int& state = states_[static_cast<std::size_t>(index)];
    state = state != 0 ? 0 : 1;
    return index;
}

} // namespace maporv
