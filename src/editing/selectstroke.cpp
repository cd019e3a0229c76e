#include "editing/selectstroke.h"

#include <utility>

namespace maporv {
namespace {

std::uint8_t& flagAt(Selection::Flags& flags, HexCoord hex) {
    return flags[static_cast<std::size_t>(hex.row)][static_cast<std::size_t>(hex.column)];
}

} // namespace

SelectStroke::SelectStroke(Selection& selection, const HexExtent& area, HexCoord press, Mode mode)
    : selection_(selection), area_(area), mode_(mode), press_(press), last_(press) {
    if (mode_ == Mode::Block) {
        flags_ = selection_.flags();
    } else if (mode_ == Mode::Toggle && MapDocument::inGrid(press.row, press.column)) {
        flagAt(flags_, press) = 1;
    }
}

bool SelectStroke::moveTo(HexCoord hex) {
    if (hex == last_) {
        return false;
    }
    const Selection::Flags before = selection_.flags();
    if (mode_ == Mode::Block) {
        selection_.setFlags(flags_);
        selection_.addBlock(press_, hex);
    } else {
        for (const HexCoord passed : hexLine(last_, hex, area_)) {
            if (passed == last_) {
                continue;
            }
            if (mode_ == Mode::Add) {
                selection_.add({passed});
            } else if (std::exchange(flagAt(flags_, passed), std::uint8_t{1}) == 0) {
                selection_.toggle(passed);
            }
        }
    }
    last_ = hex;
    return selection_.flags() != before;
}

} // namespace maporv
