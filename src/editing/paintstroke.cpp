#include "editing/paintstroke.h"

#include "editing/brush.h"
#include "editing/handsethexes.h"

namespace maporv {

PaintStroke::PaintStroke(MapDocument& document, const HexExtent& area, const Brush& brush,
                         HandSetHexes* handSet)
    : changes_(document), area_(area), terrain_(static_cast<std::uint16_t>(brush.terrain)),
      roads_(brush.roads), handSet_(handSet) {}

bool PaintStroke::paint(HexCoord hex) {
    if (!MapDocument::inGrid(hex.row, hex.column)) {
        return false;
    }
    HexCell value = changes_.cell(hex);
    value.terrain = terrain_;
    value.roads = roads_;
    if (handSet_ != nullptr) {
        handSet_->mark(hex.row, hex.column, terrain_);
    }
    return changes_.write(hex, value);
}

bool PaintStroke::press(const std::vector<HexCoord>& targets, HexCoord hex) {
    bool changed = false;
    for (HexCoord target : targets) {
        changed = paint(target) || changed;
    }
    last_ = hex;
    return changed;
}

bool PaintStroke::moveTo(HexCoord hex) {
    // A running stroke sees the same hex at most frames.
    if (last_ && hex == *last_) {
        return false;
    }
    bool changed = false;
    if (!last_) {
        changed = inArea(area_, hex) && paint(hex);
    } else {
        for (HexCoord passed : hexLine(*last_, hex, area_)) {
            if (!(passed == *last_)) {
                changed = paint(passed) || changed;
            }
        }
    }
    last_ = hex;
    return changed;
}

} // namespace maporv
