#pragma once

#include "editing/brush.h"
#include "editing/edithistory.h"
#include "editing/mapeditor.h"
#include "editing/mapworkspace.h"
#include "editing/selection.h"

namespace maporv {

class UserInterface;

// The parts of an editing session, wired together: the open map with its names,
// picture and paths (the workspace), the brush, the selection with its anchor, the edit
// history of the map and its names, and the editor's commands over them all.
// EditSession owns one and changes it only through its operations; the tests of the
// parts build one alone.
struct EditState {
    explicit EditState(UserInterface& ui)
        : workspace(ui), selection(workspace.document),
          history(workspace.document, workspace.names),
          editor(workspace.document, workspace.names, brush, selection, history, ui) {}
    EditState(const EditState&) = delete;
    EditState& operator=(const EditState&) = delete;

    MapWorkspace workspace;
    Brush brush;
    Selection selection;
    EditHistory history;
    MapEditor editor;
};

} // namespace maporv
