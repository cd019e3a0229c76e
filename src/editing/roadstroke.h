#pragma once

#include "editing/hexline.h"
#include "editing/strokechanges.h"

#include <optional>

namespace maporv {

// Drawing roads with the middle button held (or the left one while Draw Roads is on):
// each move from a hex to its neighbour joins the two, the direction's bit on the
// hex left and the opposite bit on the hex entered, so no road drawn is one-sided.
// A removing stroke (Shift at the press) clears both bits instead.
//
// Between two pointer samples the line of hexes (hexline.h) is walked and joined hex
// to hex, so a fast move draws the whole road. Two hexes that follow each other and
// are not neighbours, which happens only where the line leaves the map area, are a
// jump and are joined by nothing; no bit ever points out of the area.
//
// Like PaintStroke it writes as it goes and is recorded as one step at the end:
//     history.reconcile();  RoadStroke stroke(document, area, remove);
//     stroke.moveTo(hex) for the press and every sample;  history.record(stroke.finish());
class RoadStroke {
public:
    RoadStroke(MapDocument& document, const HexExtent& area, bool remove = false)
        : changes_(document), area_(area), remove_(remove) {}

    // The press's hex first, which joins nothing, then every pointer sample. True
    // when a hex changed.
    bool moveTo(HexCoord hex);

    // "Draw Road (7 hexes)" or "Remove Road (2 hexes)", after the hexes changed.
    EditStep finish() const { return changes_.step(remove_ ? "Remove Road" : "Draw Road"); }

private:
    bool join(HexCoord from, HexCoord to);
    bool setBit(HexCoord hex, std::uint16_t bit);

    StrokeChanges changes_;
    HexExtent area_;
    bool remove_;
    std::optional<HexCoord> last_;
};

} // namespace maporv
