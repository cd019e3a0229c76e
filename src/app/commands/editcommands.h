#pragma once

#include "editing/editcursor.h"
#include "editing/editsession.h"

namespace maporv {

class UserInterface;
class WindowCommands;

// The bodies of the editing commands that no key of the map binds by itself: Get and
// Clear at the cursor, the selection cleared, Undo, Redo, Suggest Terrain and Roads,
// Fill and Select Region, each one operation of the editing session.
class EditCommands {
public:
    EditCommands(EditSession& session, WindowCommands& window, UserInterface& ui);
    EditCommands(const EditCommands&) = delete;
    EditCommands& operator=(const EditCommands&) = delete;

    // Get and Clear at the cursor: atCursor(&MapEditor::getData). The editor's
    // operations decide themselves whether there is a hex to read.
    template <typename Command>
    void atCursor(Command command) {
        session_.edit(command, cursor());
    }
    void clearSelection();
    void undo();
    void redo();
    // Edit > Suggest Terrain (F8): the selected hexes, or with none every Clear hex,
    // get the terrain the picture shows there, learnt from the other hexes of the map;
    // one undoable step. The status line tells how many hexes were set and how many
    // were left; labels of fewer than two terrains are refused with a message.
    void suggestTerrain();
    // Edit > Suggest Roads (F9): the roads of the selected hexes, or with none of the
    // hexes without roads, from what the picture shows, learnt from the other hexes;
    // one undoable step, told in the status line. Too few examples are refused with a
    // message.
    void suggestRoads();
    // Edit > Fill Region (Ctrl+F) and Select Region (Ctrl+G) at the hex under the
    // pointer; the status line tells how many hexes.
    void fillRegion();
    void selectRegion();

private:
    EditCursor cursor() const;

    EditSession& session_;
    WindowCommands& window_;
    UserInterface& ui_;
};

} // namespace maporv
