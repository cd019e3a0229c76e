#pragma once

#include "editing/editstep.h"
#include "editing/hexline.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace maporv {

class HandSetHexes;

// Fill Region and Select Region: the hexes reached from a start hex through
// neighbours of the start's terrain code, without leaving the area, row by row.
// Empty when the start lies outside the area.
std::vector<HexCoord> connectedRegion(const MapDocument& document, HexCoord start,
                                      const HexExtent& area = kWholeGrid);

// The step that gives the hexes the terrain, and the roads word when one is given
// (the editor's fill writes what Set Data writes: the brush's terrain and roads; the
// tool only the terrain): cellsStep named "Fill Region (N hexes)". Not applied: for
// EditHistory::perform. handSet, when given, counts the hexes as set by hand, as Set
// Data does.
EditStep regionFillStep(const MapDocument& document, const std::vector<HexCoord>& hexes,
                        std::uint16_t terrain, std::optional<std::uint16_t> roads,
                        HandSetHexes* handSet = nullptr);

// A fill of more hexes than this asks first.
inline constexpr std::size_t kFillAskAbove = 600;
// "Fill 1,234 hexes with Forest?"; a code without a name is given as its number.
std::string fillQuestion(std::size_t hexes, int terrain);

} // namespace maporv
