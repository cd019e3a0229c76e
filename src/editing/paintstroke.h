#pragma once

#include "editing/hexline.h"
#include "editing/strokechanges.h"

#include <optional>
#include <vector>

namespace maporv {

struct Brush;
class HandSetHexes;

// Painting with the right button held: Set Data of the brush (its terrain and its
// whole roads word) on every hex the pointer enters, the hexes a fast move skips
// included (the line between two samples, hexline.h), within the map area. The press
// sets what a right click sets, wherever in the cell grid that is.
//
// The stroke writes into the document as it goes, so each frame shows it, and hands
// over one step at its end. It leaves the modified flag and the history alone while
// it runs; the caller brackets it:
//     history.reconcile();                  // at the press
//     PaintStroke stroke(document, area, brush, &history.handSet);
//     stroke.press(targets, hex);           // what the press sets today
//     stroke.moveTo(hex);                   // every pointer sample while held
//     history.record(stroke.finish());      // at the release: one step, one raise
// Nothing else may change the map in between; a stroke that changed nothing
// records nothing. (The editor records the step at the first change instead, so the
// map shows modified at once, and amends it as it grows: EditHistory::amendLast.)
class PaintStroke {
public:
    // handSet, when given, counts every hex painted as set by hand, as Set Data does.
    PaintStroke(MapDocument& document, const HexExtent& area, const Brush& brush,
                HandSetHexes* handSet = nullptr);

    // The press: Set Data on the targets a click sets (the hex under the pointer, or
    // the selection while one is active); the stroke goes on from hex, which it does
    // not paint unless it is a target. True when a hex changed.
    bool press(const std::vector<HexCoord>& targets, HexCoord hex);
    // A later pointer sample: paints every hex from the previous sample's (left out)
    // to this one. Without a press before, the first sample is painted itself. True
    // when a hex changed.
    bool moveTo(HexCoord hex);

    // "Set Data (12 hexes)", after the hexes whose value changed.
    EditStep finish() const { return changes_.step("Set Data"); }

private:
    bool paint(HexCoord hex);

    StrokeChanges changes_;
    HexExtent area_;
    std::uint16_t terrain_;
    std::uint16_t roads_;
    HandSetHexes* handSet_;
    std::optional<HexCoord> last_;
};

} // namespace maporv
