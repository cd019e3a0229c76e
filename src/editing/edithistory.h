#pragma once

#include "editing/editstep.h"
#include "editing/handsethexes.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>

namespace maporv {

class MapDocument;
class MapNames;

// Undo and redo of the editing commands: a linear list of steps and the position
// between the applied ones and those that can be redone. A new step discards what
// could be redone.
//
// The map-modified flag of the MapDocument and the modified flag of the MapNames
// follow the history: each flag has a clean point, the position where its data
// equals the file last read or written. Undoing or redoing onto a position with no
// step of that kind between it and the clean point clears the flag; anywhere else
// raises it. A name step therefore never touches the map's flag and vice versa.
//
// The flags stay the truth: a flag cleared outside the history (a write that did
// not call markMapSaved) moves the clean point to where the history stands, and a
// flag raised outside it (an unrecorded change) makes the clean point unreachable,
// so the flag is never cleared by mistake.
class EditHistory {
public:
    static constexpr std::size_t kDefaultMaxSteps = 1000;
    // About 3 MB of hex changes.
    static constexpr std::size_t kDefaultMaxChanges = 200000;

    EditHistory(MapDocument& document, MapNames& names, std::size_t maxSteps = kDefaultMaxSteps,
                std::size_t maxChanges = kDefaultMaxChanges);
    EditHistory(const EditHistory&) = delete;
    EditHistory& operator=(const EditHistory&) = delete;

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }
    // The name of the step Undo / Redo would take back or bring back; empty when none.
    const std::string& undoName() const;
    const std::string& redoName() const;
    // False when there is nothing to undo / redo.
    bool undo();
    bool redo();

    // Number of steps kept, applied or not.
    std::size_t size() const { return steps_.size(); }

    // Applies a step and records it, raising the flags of what it touches. An empty
    // step is neither applied nor recorded: false then.
    bool perform(EditStep step);

    // For a change another module makes itself (and possibly flags itself): call
    // reconcile() before it, then record() the already applied step.
    void reconcile();
    bool record(EditStep step);
    // A change that goes on after its step was recorded (a stroke of the mouse): the
    // grown step takes the place of the newest one, so the change stays one step. False
    // (nothing changes) for an empty step or when the newest step is not the last one
    // applied.
    bool amendLast(EditStep step);

    // After loading or creating a map: no steps; the clean points are here when the
    // flags are clear.
    void clear();
    // After the map / the names were written: the current position is clean and the
    // flag is cleared.
    void markMapSaved();
    void markNamesSaved();
    // After a names file was read in place of the list: steps can no longer apply
    // to the names, so their name changes are dropped (map changes stay undoable),
    // and the names are clean here.
    void namesReplaced();

    // The hexes set by hand in this history's time; cleared with it.
    HandSetHexes handSet;

    // Runs after every call above that may have changed the map, the names or their
    // modified flags (a step done, undone or redone, a clear, a save or names mark),
    // told whether the map's data and the names' data changed (a step's kinds; neither
    // for the others). The editing session is its one listener.
    std::function<void(bool map, bool names)> changed;

private:
    void notify(bool map, bool names) const;
    void notify(const EditStep& step) const { notify(step.touchesMap(), step.touchesNames()); }
    enum class Kind { Map, Names };

    static bool touches(const EditStep& step, Kind kind);
    // No step between the two positions (either order) changes that kind.
    bool untouchedBetween(std::size_t a, std::size_t b, Kind kind) const;
    std::optional<std::size_t>& cleanPoint(Kind kind);
    bool& flag(Kind kind);
    // True when the data of kind is the same here as at the clean point.
    bool atClean(Kind kind) const;
    void reconcile(Kind kind);
    void discardRedo();
    void discardRedo(Kind kind);
    void trim();
    void dropOldest();
    void updateFlags();
    // A new or grown step raises the modified flag of what it touches.
    void raiseFlags(const EditStep& step);

    MapDocument& document_;
    MapNames& names_;
    std::size_t maxSteps_;
    std::size_t maxChanges_;
    std::deque<EditStep> steps_;
    std::size_t position_ = 0;
    std::size_t weight_ = 0;
    std::optional<std::size_t> mapClean_ = 0;
    std::optional<std::size_t> namesClean_ = 0;
};

} // namespace maporv
