#pragma once

#include "editing/editstep.h"
#include "mapdata/hexdirection.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace maporv {

class HandSetHexes;

// The step that writes the terrain and the roads word, each when given, into the
// hexes of the cell grid (others are skipped), named "action (N hexes)" after the
// hexes it changes: Set Terrain, Set Roads, Set Data and Fill Region. Not applied:
// for EditHistory::perform. handSet, when given, counts every hex given a terrain as
// set by hand, whether its value changed or not.
EditStep cellsStep(const MapDocument& document, const std::vector<HexCoord>& hexes,
                   std::optional<std::uint16_t> terrain, std::optional<std::uint16_t> roads,
                   HandSetHexes* handSet, std::string_view action);

} // namespace maporv
