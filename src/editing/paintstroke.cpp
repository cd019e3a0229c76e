#include "editing/paintstroke.h"

#include "editing/brush.h"
#include "editing/handsethexes.h"

namespace maporv {

PaintStroke::PaintStroke(MapDocument& document, const HexExtent& area, const Brush& brush,
                         HandSetHexes* handSet)
    : changes_(document), area_(area), terrain_(static_cast<std::uint16_t>(brush.terrain)),
      roads_(brush.roads), handSet_(handSet) {}

void PaintStroke::paint(HexCoord hex) {
    if (!inArea(area_, hex)) {
        return;
    }
    HexCell value = changes_.cell(hex);
    value.terrain = terrain_;
    value.roads = roads_;
    changes_.write(hex, value);
    if (handSet_ != nullptr) {
        handSet_->mark(hex.row, hex.column, terrain_);
    }
}

void PaintStroke::press(const std::vector<HexCoord>& targets, HexCoord hex) {
    for (HexCoord target : targets) {
        paint(target);
    }
    last_ = hex;
}

void PaintStroke::moveTo(HexCoord hex) {
    if (!last_) {
        paint(hex);
    } else {
        const std::vector<HexCoord> line = hexLine(*last_, hex, area_);
        for (HexCoord passed : line) {
            if (!(passed == *last_)) {
                paint(passed);
            }
        }
    }
    last_ = hex;
}

} // namespace maporv
