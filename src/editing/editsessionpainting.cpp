// The editing session's painting: strokes of the mouse, region fill and selection,
// and roads suggested from the picture.

#include "editing/editsession.h"
#include "editing/regionfill.h"
#include "editing/roadsuggestion.h"
#include "mapdata/userinterface.h"

namespace maporv {

HexExtent EditSession::mapArea() const {
    const MapPicture& picture = state_.workspace.picture;
    return picture.valid ? pictureReach({picture.width, picture.height}) : kWholeGrid;
}

void EditSession::beginPaintStroke(const EditCursor& at) {
    const Operation operation(*this);
    if (!at.currentExists || !state_.editor.canEdit()) {
        return;
    }
    state_.history.reconcile();
    auto& stroke = std::get<PaintStroke>(stroke_.emplace(std::in_place_type<PaintStroke>,
                                                         state_.workspace.document, mapArea(),
                                                         state_.brush, &state_.history.handSet));
    if (stroke.press(state_.selection.targets(at.row, at.column), {at.row, at.column})) {
        recordStroke();
    }
}

void EditSession::beginRoadStroke(HexCoord hex, bool remove) {
    const Operation operation(*this);
    if (!state_.editor.canEdit()) {
        return;
    }
    state_.history.reconcile();
    std::get<RoadStroke>(stroke_.emplace(std::in_place_type<RoadStroke>, state_.workspace.document,
                                         mapArea(), remove))
        .moveTo(hex);
}

bool EditSession::beginSelectStroke(HexCoord hex, bool gridReady, bool shift, bool ctrl) {
    const Operation operation(*this);
    const bool acted = select(hex.row, hex.column, gridReady, shift, ctrl);
    // Ctrl without an anchor selects nothing at the press, yet its drag makes a block.
    if (gridReady && hex.row >= 0 && hex.column >= 0) {
        const auto mode = shift  ? SelectStroke::Mode::Toggle
                          : ctrl ? SelectStroke::Mode::Block
                                 : SelectStroke::Mode::Add;
        stroke_.emplace(std::in_place_type<SelectStroke>, state_.selection, mapArea(), hex, mode);
    }
    return acted;
}

void EditSession::strokeTo(HexCoord hex) {
    if (!stroke_) {
        return;
    }
    const Operation operation(*this, true);
    const bool changed = std::visit([hex](auto& stroke) { return stroke.moveTo(hex); }, *stroke_);
    if (!changed) {
        return;
    }
    if (std::holds_alternative<SelectStroke>(*stroke_)) {
        note(kSelectionChanged);
    } else {
        recordStroke();
    }
}

void EditSession::recordStroke() {
    EditStep step;
    if (const auto* paint = std::get_if<PaintStroke>(&*stroke_)) {
        step = paint->finish();
    } else if (const auto* road = std::get_if<RoadStroke>(&*stroke_)) {
        step = road->finish();
    }
    // The map is modified from the stroke's first hex on, as after a click, and the
    // stroke stays one step however far it goes.
    if (!strokeRecorded_) {
        strokeRecorded_ = state_.history.record(std::move(step));
    } else {
        state_.history.amendLast(std::move(step));
    }
}

void EditSession::endStroke() {
    // An operation of its own, which ends the stroke as every other one does.
    const Operation operation(*this);
}

void EditSession::finishStroke() {
    if (!stroke_) {
        return;
    }
    // Its step was recorded as it went.
    stroke_.reset();
    strokeRecorded_ = false;
}

std::vector<HexCoord> EditSession::regionAt(const EditCursor& at) const {
    if (!at.currentExists) {
        return {};
    }
    return connectedRegion(state_.workspace.document, {at.currentRow, at.currentColumn}, mapArea());
}

int EditSession::fillRegion(const EditCursor& at) {
    const Operation operation(*this);
    const std::vector<HexCoord> region = regionAt(at);
    if (region.empty() || !state_.editor.canEdit()) {
        return 0;
    }
    const Brush& brush = state_.brush;
    if (region.size() > kFillAskAbove && ui_.ask(fillQuestion(region.size(), brush.terrain),
                                                 QuestionButtons::YesNo) != Answer::Yes) {
        return 0;
    }
    EditStep step =
        regionFillStep(state_.workspace.document, region, static_cast<std::uint16_t>(brush.terrain),
                       brush.roads, &state_.history.handSet);
    const int changed = static_cast<int>(step.cells.size());
    state_.history.perform(std::move(step));
    return changed;
}

int EditSession::selectRegion(const EditCursor& at) {
    const Operation operation(*this);
    const std::vector<HexCoord> region = regionAt(at);
    if (region.empty()) {
        return 0;
    }
    state_.selection.clear();
    state_.selection.add(region);
    note(kSelectionChanged);
    return static_cast<int>(region.size());
}

SuggestRoadsOutcome EditSession::suggestRoads() {
    const Operation operation(*this);
    MapDocument& document = state_.workspace.document;
    const HexExtent area = mapArea();
    HexMask selected{};
    bool anySelected = false;
    for (int row = 0; row < area.rows; ++row) {
        for (int column = 0; column < area.columns; ++column) {
            if (state_.selection.isSelected(row, column)) {
                selected[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = 1;
                anySelected = true;
            }
        }
    }
    return suggestRoadsFromPicture(document, state_.workspace.picture, state_.history,
                                   anySelected ? selected : hexesWithoutRoads(document));
}

} // namespace maporv
