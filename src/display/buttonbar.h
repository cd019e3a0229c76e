#pragma once

#include "display/spritesheet.h"
#include "display/surfaceimage.h"

#include <vector>

namespace maporv {

// A row of two-state buttons. The bitmap holds every button released in its upper
// half and pressed in its lower half; strip().stepY is the offset between the two.
class ButtonBar : public SurfaceImage {
public:
    // count buttons, all released. A width of 0 or less means bitmap width / count, a
    // height of 0 or less bitmap height / 2, a step of 0 or less the cell width, an
    // offset of 0 or less the cell height.
    void SetButtons(int count, int cellWidth, int cellHeight, int stepX, int pressedOffsetY);
    // Nonzero = pressed.
    void SetState(int index, int state);
    Status DrawButton(int index);
    // Draws every button; the first failure, or 0.
    Status DrawAll();
    // Toggles the button under (x, y) and returns its index, or -1. Every edge of
    // placeRect counts as inside, and a point in the gap after a button belongs to it.
    int HitToggle(int x, int y);

    const SheetRow& strip() const { return strip_; }
    int buttonCount() const { return static_cast<int>(states_.size()); }
    int state(int index) const;

private:
    SheetRow strip_;
    std::vector<int> states_;
};

} // namespace maporv
