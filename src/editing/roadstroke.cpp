#include "editing/roadstroke.h"

namespace maporv {

bool RoadStroke::setBit(HexCoord hex, std::uint16_t bit) {
    HexCell value = changes_.cell(hex);
    value.roads = static_cast<std::uint16_t>(remove_ ? value.roads & ~bit : value.roads | bit);
    return changes_.write(hex, value);
}

bool RoadStroke::join(HexCoord from, HexCoord to) {
    const int direction = neighbourDirection(from, to);
    if (direction < 0 || !inArea(area_, from) || !inArea(area_, to)) {
        return false;
    }
    const bool left = setBit(from, directionBit(direction));
    return setBit(to, directionBit(oppositeDirection(direction))) || left;
}

bool RoadStroke::moveTo(HexCoord hex) {
    // A running stroke sees the same hex at most frames.
    if (last_ && hex == *last_) {
        return false;
    }
    bool changed = false;
    if (last_) {
        const std::vector<HexCoord> line = hexLine(*last_, hex, area_);
        for (std::size_t i = 1; i < line.size(); ++i) {
            changed = join(line[i - 1], line[i]) || changed;
        }
    }
    last_ = hex;
    return changed;
}

} // namespace maporv
