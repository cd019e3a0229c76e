#include "editing/edithistory.h"

#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"

#include <algorithm>
#include <utility>

namespace maporv {
namespace {

const std::string& noName() {
    static const std::string empty;
    return empty;
}

} // namespace

void EditHistory::notify(bool map, bool names) const {
    if (changed) {
        changed(map, names);
    }
}

EditHistory::EditHistory(MapDocument& document, MapNames& names, std::size_t maxSteps,
                         std::size_t maxChanges)
    : document_(document), names_(names), maxSteps_(std::max<std::size_t>(maxSteps, 1)),
      maxChanges_(maxChanges) {
    clear();
}

bool EditHistory::touches(const EditStep& step, Kind kind) {
    return kind == Kind::Map ? step.touchesMap() : step.touchesNames();
}

std::optional<std::size_t>& EditHistory::cleanPoint(Kind kind) {
    return kind == Kind::Map ? mapClean_ : namesClean_;
}

bool& EditHistory::flag(Kind kind) {
    return kind == Kind::Map ? document_.modified : names_.modified;
}

bool EditHistory::untouchedBetween(std::size_t a, std::size_t b, Kind kind) const {
    for (std::size_t i = std::min(a, b); i < std::max(a, b); ++i) {
        if (touches(steps_[i], kind)) {
            return false;
        }
    }
    return true;
}

bool EditHistory::atClean(Kind kind) const {
    const std::optional<std::size_t>& clean = kind == Kind::Map ? mapClean_ : namesClean_;
    return clean && untouchedBetween(*clean, position_, kind);
}

void EditHistory::reconcile(Kind kind) {
    const bool modified = flag(kind);
    if (modified && atClean(kind)) {
        cleanPoint(kind).reset();
    } else if (!modified && !atClean(kind)) {
        cleanPoint(kind) = position_;
    }
}

void EditHistory::reconcile() {
    reconcile(Kind::Map);
    reconcile(Kind::Names);
}

void EditHistory::updateFlags() {
    document_.modified = !atClean(Kind::Map);
    names_.modified = !atClean(Kind::Names);
}

const std::string& EditHistory::undoName() const {
    return canUndo() ? steps_[position_ - 1].name : noName();
}

const std::string& EditHistory::redoName() const {
    return canRedo() ? steps_[position_].name : noName();
}

bool EditHistory::undo() {
    if (!canUndo()) {
        return false;
    }
    reconcile();
    --position_;
    steps_[position_].undo(document_, names_);
    updateFlags();
    notify(steps_[position_]);
    return true;
}

bool EditHistory::redo() {
    if (!canRedo()) {
        return false;
    }
    reconcile();
    steps_[position_].redo(document_, names_);
    ++position_;
    updateFlags();
    notify(steps_[position_ - 1]);
    return true;
}

bool EditHistory::perform(EditStep step) {
    if (step.empty()) {
        return false;
    }
    reconcile();
    step.redo(document_, names_);
    return record(std::move(step));
}

void EditHistory::discardRedo(Kind kind) {
    std::optional<std::size_t>& clean = cleanPoint(kind);
    if (!clean || *clean <= position_) {
        return;
    }
    // The clean state lies among the steps about to go: it stays reachable only if
    // it equals the current one.
    clean = untouchedBetween(position_, *clean, kind) ? std::optional<std::size_t>(position_)
                                                      : std::nullopt;
}

void EditHistory::discardRedo() {
    discardRedo(Kind::Map);
    discardRedo(Kind::Names);
    while (steps_.size() > position_) {
        weight_ -= steps_.back().weight();
        steps_.pop_back();
    }
}

void EditHistory::dropOldest() {
    for (Kind kind : {Kind::Map, Kind::Names}) {
        std::optional<std::size_t>& clean = cleanPoint(kind);
        if (!clean) {
            continue;
        }
        if (*clean > 0) {
            --*clean;
        } else if (touches(steps_.front(), kind)) {
            // The clean state was before the oldest step: out of reach from now on.
            clean.reset();
        }
    }
    weight_ -= steps_.front().weight();
    steps_.pop_front();
    --position_;
}

void EditHistory::trim() {
    // The newest step always stays, however large.
    while (steps_.size() > 1 && (steps_.size() > maxSteps_ || weight_ > maxChanges_)) {
        dropOldest();
    }
}

void EditHistory::raiseFlags(const EditStep& step) {
    if (step.touchesMap()) {
        document_.modified = true;
    }
    if (step.touchesNames()) {
        names_.modified = true;
    }
}

bool EditHistory::record(EditStep step) {
    if (step.empty()) {
        return false;
    }
    discardRedo();
    raiseFlags(step);
    weight_ += step.weight();
    steps_.push_back(std::move(step));
    ++position_;
    trim();
    // The newest step always stays.
    notify(steps_.back());
    return true;
}

bool EditHistory::amendLast(EditStep step) {
    if (step.empty() || steps_.empty() || position_ != steps_.size()) {
        return false;
    }
    raiseFlags(step);
    weight_ = weight_ - steps_.back().weight() + step.weight();
    steps_.back() = std::move(step);
    trim();
    notify(steps_.back());
    return true;
}

void EditHistory::clear() {
    steps_.clear();
    handSet.clear();
    position_ = 0;
    weight_ = 0;
    mapClean_ = document_.modified ? std::nullopt : std::optional<std::size_t>(0);
    namesClean_ = names_.modified ? std::nullopt : std::optional<std::size_t>(0);
    notify(false, false);
}

void EditHistory::markMapSaved() {
    mapClean_ = position_;
    document_.modified = false;
    notify(false, false);
}

void EditHistory::markNamesSaved() {
    namesClean_ = position_;
    names_.modified = false;
    notify(false, false);
}

void EditHistory::namesReplaced() {
    std::deque<EditStep> kept;
    std::size_t position = 0;
    std::optional<std::size_t> mapClean;
    weight_ = 0;
    for (std::size_t i = 0; i <= steps_.size(); ++i) {
        // Positions map onto the kept steps: a position between two dropped steps
        // has the same map data as the position after the last kept one.
        if (i == position_) {
            position = kept.size();
        }
        if (mapClean_ && i == *mapClean_) {
            mapClean = kept.size();
        }
        if (i == steps_.size()) {
            break;
        }
        EditStep& step = steps_[i];
        step.dropNames();
        if (!step.empty()) {
            weight_ += step.weight();
            kept.push_back(std::move(step));
        }
    }
    steps_ = std::move(kept);
    position_ = position;
    mapClean_ = mapClean;
    namesClean_ = position_;
    names_.modified = false;
    notify(false, false);
}

} // namespace maporv
