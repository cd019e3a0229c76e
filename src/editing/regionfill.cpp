#include "editing/regionfill.h"

#include "editing/cellsstep.h"
#include "mapdata/terraintype.h"

#include <algorithm>

namespace maporv {
namespace {

// 1234567 as "1,234,567".
std::string withThousands(std::size_t number) {
    std::string digits = std::to_string(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3) {
        digits.insert(at - 3, 1, ',');
    }
    return digits;
}

} // namespace

std::vector<HexCoord> connectedRegion(const MapDocument& document, HexCoord start,
                                      const HexExtent& area) {
    if (!inArea(area, start)) {
        return {};
    }
    const std::uint16_t terrain = document.cellAt(start.row, start.column)->terrain;
    MapDocument::Grid<std::uint8_t> reached{};
    std::vector<HexCoord> region{start};
    reached[static_cast<std::size_t>(start.row)][static_cast<std::size_t>(start.column)] = 1;
    // The region doubles as the queue of hexes whose neighbours are still to look at.
    for (std::size_t next = 0; next < region.size(); ++next) {
        for (int direction = 0; direction < kHexDirections; ++direction) {
            const HexCoord hex = neighbour(region[next], direction);
            if (!inArea(area, hex)) {
                continue;
            }
            std::uint8_t& seen =
                reached[static_cast<std::size_t>(hex.row)][static_cast<std::size_t>(hex.column)];
            if (seen == 0 && document.cellAt(hex.row, hex.column)->terrain == terrain) {
                seen = 1;
                region.push_back(hex);
            }
        }
    }
    std::sort(region.begin(), region.end(), [](HexCoord a, HexCoord b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    return region;
}

EditStep regionFillStep(const MapDocument& document, const std::vector<HexCoord>& hexes,
                        std::uint16_t terrain, std::optional<std::uint16_t> roads,
                        HandSetHexes* handSet) {
    return cellsStep(document, hexes, terrain, roads, handSet, "Fill Region");
}

std::string fillQuestion(std::size_t hexes, int terrain) {
    const char* name = terrainName(terrain);
    return "Fill " + withThousands(hexes) + (hexes == 1 ? " hex" : " hexes") + " with " +
           (name != nullptr ? std::string(name) : "terrain " + std::to_string(terrain)) + "?";
}

} // namespace maporv
