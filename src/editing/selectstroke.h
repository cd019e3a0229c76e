#pragma once

#include "editing/hexline.h"
#include "editing/selection.h"

namespace maporv {

// Painting the selection with the left button held. The press selects as a click
// does (Selection::select); then, as the pointer enters hexes:
//   - Add (a plain press): every hex entered is added, the hexes a fast move skips
//     included (the line between two samples, hexline.h);
//   - Toggle (Shift): every hex entered is inverted, as Shift+click inverts it, but
//     each once a stroke (the press's hex included), so that moving back and forth
//     over a hex does not flip it on and off;
//   - Block (Ctrl): the block from the press's hex to the hex entered, both corners
//     included, drawn anew at every move over the flags the press left, as Ctrl+click
//     selects a block from the anchor.
// The lines keep to the map area; the block, like Ctrl+click's, to the cell grid. The
// anchor stays where the press put it.
class SelectStroke {
public:
    enum class Mode { Add, Toggle, Block };

    // After the press's own selection, at hex.
    SelectStroke(Selection& selection, const HexExtent& area, HexCoord press, Mode mode);

    // A later pointer sample; true when the flags changed.
    bool moveTo(HexCoord hex);

private:
    Selection& selection_;
    HexExtent area_;
    Mode mode_;
    HexCoord press_;
    HexCoord last_;
    // Block: the flags the press left. Toggle: the hexes inverted so far.
    Selection::Flags flags_{};
};

} // namespace maporv
