#pragma once

#include "editing/editcursor.h"
#include "mapdata/hexcell.h"

#include <functional>

namespace maporv {

struct Brush;
class EditHistory;
class MapDocument;
class MapNames;
class Selection;
class UserInterface;

// Hot spots of the on-screen panel, as its hit test numbers them.
enum RightMenuAction {
    kMenuTerrainDown = 0,
    kMenuTerrainUp = 1,
    kMenuRoadN = 2,
    kMenuRoadNE = 3,
    kMenuRoadSE = 4,
    kMenuRoadS = 5,
    kMenuRoadSW = 6,
    kMenuRoadNW = 7,
    kMenuNamePrevious = 8,
    kMenuNameNext = 9,
    kMenuAddName = 10,
    kMenuEditName = 11,
    kMenuSetDataDialog = 12,
};

// The editing commands of the main window over the one map, its names, the brush
// and the selection. Every change of map or names data is one step of the history,
// however many hexes it touched; a command that changes nothing records nothing and
// raises no modified flag. Brush and selection changes are no steps.
//
// Set commands write the brush into the targets (the cursor hex, or the selection
// while one is active). Get and Clear act on the single hex under the cursor: the
// terrain and roads variants read it through the current hex, the name variants
// through the cursor. Clear copies the old value into the brush first, so setting
// again at once puts it back. Hexes beyond the 40 x 45 cells read as empty and are
// never written.
//
// Set Terrain, Set Data and Clear Terrain mark their hexes as set by hand in the
// history, also when nothing changed: Suggest Terrain learns from them.
class MapEditor {
public:
    MapEditor(MapDocument& document, MapNames& names, Brush& brush, Selection& selection,
              EditHistory& history, UserInterface& ui);
    MapEditor(const MapEditor&) = delete;
    MapEditor& operator=(const MapEditor&) = delete;

    // While no map is loaded there is nothing to edit: the commands that would change
    // a map or its names do nothing (no prompt, no modified flag), so the save
    // questions never offer a save that cannot run.
    bool canEdit() const;

    // Panel action 12; the window opens or closes its Set data dialog.
    std::function<void()> openSetDataDialog;

    // "T", "R", "D" (and the right button), "N". Nothing while there is no current
    // hex. Return the number of hexes changed. Set Name writes the whole entry and
    // refuses an entry that holds no name, so no hex ever points at nothing.
    int setTerrain(const EditCursor& at);
    int setRoads(const EditCursor& at);
    int setData(const EditCursor& at);
    int setName(const EditCursor& at);

    // Ctrl+T, Ctrl+R, Ctrl+C / TAB: need a current hex; false without one.
    bool getTerrain(const EditCursor& at);
    bool getRoads(const EditCursor& at);
    bool getData(const EditCursor& at);
    // Ctrl+N: the cursor hex's name entry; works before there is a current hex.
    void getName(const EditCursor& at);

    // Ctrl+Shift+T, Ctrl+Shift+R: need a current hex; false without one.
    bool clearTerrain(const EditCursor& at);
    bool clearRoads(const EditCursor& at);
    // Ctrl+Shift+N: the cursor hex; works before there is a current hex.
    void clearName(const EditCursor& at);

    // "+" / "-" while the Set data dialog is closed (an open dialog steps its own
    // list, see brushsteps.h). Need a current hex; false without one.
    bool stepTerrainUp(const EditCursor& at);
    bool stepTerrainDown(const EditCursor& at);

    // A click on panel hot spot index (RightMenuAction); negative does nothing. The
    // window calls it only while the Set data dialog is closed.
    void rightMenuAction(int index);

    // Add name (panel, Set data dialog): prompts for a name and adds it to the list
    // unattached; an undoable step that raises names-modified. Returns its entry
    // (also for a name already in the list, which is no step), 0 when none.
    int addName();
    // Edit name for entry: prompts with its text and renames it; an undoable step
    // that raises names-modified. "No name to edit !" when entry holds no name. True
    // when the text changed.
    bool editName(int entry);

    // Global terrain change (with its "Done !" message) as one undoable step.
    // Returns the number of hexes changed.
    int changeTerrain(int from, int to);

private:
    enum CellFields { kTerrain = 1, kRoads = 2 };

    int setCells(const EditCursor& at, int fields, const char* action);
    // Clear Terrain and Clear Roads: one field of the current hex into the brush, then 0.
    bool clearField(const EditCursor& at, CellFields field, const char* action);
    // The current hex as the view shows it: an empty cell beyond the cell grid.
    HexCell currentCell(const EditCursor& at) const;

    MapDocument& document_;
    MapNames& names_;
    Brush& brush_;
    Selection& selection_;
    EditHistory& history_;
    UserInterface& ui_;
};

} // namespace maporv
