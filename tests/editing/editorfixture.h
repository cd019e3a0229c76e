#pragma once

#include "editing/brush.h"
#include "editing/edithistory.h"
#include "editing/mapeditor.h"
#include "editing/selection.h"
#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"
#include "scripteduserinterface.h"

#include <gtest/gtest.h>
#include <string>

namespace maporv::test {

// The editing state of the main window around one map, as the window wires it.
// Public, so that tables of commands can reach it.
class EditorFixture : public testing::Test {
public:
    MapDocument document;
    MapNames names;
    Brush brush;
    ScriptedUserInterface ui;
    Selection selection{document};
    EditHistory history{document, names};
    MapEditor editor{document, names, brush, selection, history, ui};

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
