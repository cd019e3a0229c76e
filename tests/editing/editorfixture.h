#pragma once

#include "editing/editstate.h"
#include "scripteduserinterface.h"

#include <gtest/gtest.h>
#include <string>

namespace maporv::test {

// The editing state of a session around one map, its parts at hand. Public, so that
// tables of commands can reach it.
class EditorFixture : public testing::Test {
public:
    ScriptedUserInterface ui;
    EditState state{ui};
    MapDocument& document = state.workspace.document;
    MapNames& names = state.workspace.names;
    Brush& brush = state.brush;
    Selection& selection = state.selection;
    EditHistory& history = state.history;
    MapEditor& editor = state.editor;

    // A map is loaded: without one there is nothing to edit.
    EditorFixture() { document.loaded = true; }

    // The pointer rests on (row, column): cursor and current hex agree.
    static EditCursor at(int row, int column) { return {row, column, true, row, column}; }
    // Before the pointer has been over the view.
    static EditCursor nowhere() { return {0, 0, false, 0, 0}; }

    HexCell& cell(int row, int column) {
        return document.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    }
    void click(int row, int column, bool shift = false, bool ctrl = false) {
        selection.select(row, column, true, shift, ctrl);
    }
    void addNames(int howMany) {
        for (int i = 1; i <= howMany; ++i) {
            names.addName("Place " + std::to_string(i));
        }
    }
};

} // namespace maporv::test
