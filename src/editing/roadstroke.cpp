#include "editing/roadstroke.h"

namespace maporv {

void RoadStroke::setBit(HexCoord hex, std::uint16_t bit) {
    HexCell value = changes_.cell(hex);
    value.roads = static_cast<std::uint16_t>(remove_ ? value.roads & ~bit : value.roads | bit);
    changes_.write(hex, value);
}

void RoadStroke::join(HexCoord from, HexCoord to) {
    const int direction = neighbourDirection(from, to);
    if (direction < 0 || !inArea(area_, from) || !inArea(area_, to)) {
        return;
    }
    setBit(from, directionBit(direction));
    setBit(to, directionBit(oppositeDirection(direction)));
}

void RoadStroke::moveTo(HexCoord hex) {
    if (last_) {
        const std::vector<HexCoord> line = hexLine(*last_, hex, area_);
        for (std::size_t i = 1; i < line.size(); ++i) {
            join(line[i - 1], line[i]);
        }
    }
    last_ = hex;
}

} // namespace maporv
