#include "editing/mapeditor.h"

#include "editing/brush.h"
#include "editing/brushsteps.h"
#include "editing/cellsstep.h"
#include "editing/edithistory.h"
#include "editing/namescommands.h"
#include "editing/selection.h"
#include "mapdata/mapdocument.h"
#include "mapdata/mapnames.h"
#include "mapdata/terrainchange.h"
#include "mapdata/terraintype.h"

#include <utility>
#include <vector>

namespace maporv {
namespace {

// Rows and columns of the cell grid fit a byte; the steps store them so.
std::uint8_t toByte(int value) {
    return static_cast<std::uint8_t>(value);
}

} // namespace

MapEditor::MapEditor(MapDocument& document, MapNames& names, Brush& brush, Selection& selection,
                     EditHistory& history, UserInterface& ui)
    : document_(document), names_(names), brush_(brush), selection_(selection), history_(history),
      ui_(ui) {}

bool MapEditor::canEdit() const {
    return document_.loaded;
}

HexCell MapEditor::currentCell(const EditCursor& at) const {
    const HexCell* cell = document_.cellAt(at.currentRow, at.currentColumn);
    return cell != nullptr ? *cell : HexCell{};
}

int MapEditor::setCells(const EditCursor& at, int fields, const char* action) {
    if (!at.currentExists || !canEdit()) {
        return 0;
    }
    const auto brushTerrain = static_cast<std::uint16_t>(brush_.terrain);
    EditStep step = cellsStep(document_, selection_.targets(at.row, at.column),
                              (fields & kTerrain) != 0 ? std::optional(brushTerrain) : std::nullopt,
                              (fields & kRoads) != 0 ? std::optional(brush_.roads) : std::nullopt,
                              &history_.handSet, action);
    const int changed = static_cast<int>(step.cells.size());
    history_.perform(std::move(step));
    return changed;
}

int MapEditor::setTerrain(const EditCursor& at) {
    return setCells(at, kTerrain, "Set Terrain");
}

int MapEditor::setRoads(const EditCursor& at) {
    return setCells(at, kRoads, "Set Roads");
}

int MapEditor::setData(const EditCursor& at) {
    return setCells(at, kTerrain | kRoads, "Set Data");
}

int MapEditor::setName(const EditCursor& at) {
    if (!at.currentExists || !canEdit()) {
        return 0;
    }
    // An entry past the list or without text would attach a name nobody can see or
    // save; 0 detaches and is always fine.
    const int entry = brush_.nameIndex;
    if (entry != 0 && (entry >= names_.count || names_.nameText(entry).empty())) {
        return 0;
    }
    EditStep step;
    for (const HexCoord& hex : selection_.targets(at.row, at.column)) {
        const int before = names_.nameAt(hex.row, hex.column);
        if (before != entry) {
            step.nameIndexes.push_back({toByte(hex.row), toByte(hex.column),
                                        static_cast<std::uint16_t>(before),
                                        static_cast<std::uint16_t>(entry)});
        }
    }
    const int changed = static_cast<int>(step.nameIndexes.size());
    step.name = EditStep::countedName("Set Name", step.nameIndexes.size());
    history_.perform(std::move(step));
    return changed;
}

bool MapEditor::getTerrain(const EditCursor& at) {
    if (!at.currentExists) {
        return false;
    }
    brush_.terrain = currentCell(at).terrain;
    return true;
}

bool MapEditor::getRoads(const EditCursor& at) {
    if (!at.currentExists) {
        return false;
    }
    brush_.roads = currentCell(at).roads;
    return true;
}

bool MapEditor::getData(const EditCursor& at) {
    return getRoads(at) && getTerrain(at);
}

void MapEditor::getName(const EditCursor& at) {
    brush_.nameIndex = names_.nameAt(at.row, at.column);
}

bool MapEditor::clearTerrain(const EditCursor& at) {
    return clearField(at, kTerrain, "Clear Terrain");
}

bool MapEditor::clearRoads(const EditCursor& at) {
    return clearField(at, kRoads, "Clear Roads");
}

bool MapEditor::clearField(const EditCursor& at, CellFields field, const char* action) {
    if (!at.currentExists) {
        return false;
    }
    // The cleared value goes into the brush first, so it can be set again elsewhere.
    const HexCell before = currentCell(at);
    std::uint16_t HexCell::*value = field == kTerrain ? &HexCell::terrain : &HexCell::roads;
    if (field == kTerrain) {
        brush_.terrain = before.terrain;
        if (canEdit()) {
            history_.handSet.mark(at.currentRow, at.currentColumn, 0);
        }
    } else {
        brush_.roads = before.roads;
    }
    if (before.*value != 0 && MapDocument::inGrid(at.currentRow, at.currentColumn)) {
        HexCell after = before;
        after.*value = 0;
        EditStep step;
        step.name = action;
        step.cells.push_back({toByte(at.currentRow), toByte(at.currentColumn), before, after});
        history_.perform(std::move(step));
    }
    return true;
}

void MapEditor::clearName(const EditCursor& at) {
    const int before = names_.nameAt(at.row, at.column);
    brush_.nameIndex = before;
    if (before != 0) {
        EditStep step;
        step.name = "Clear Name";
        step.nameIndexes.push_back(
            {toByte(at.row), toByte(at.column), static_cast<std::uint16_t>(before), 0});
        history_.perform(std::move(step));
    }
}

bool MapEditor::stepTerrainUp(const EditCursor& at) {
    if (!at.currentExists) {
        return false;
    }
    brush_.terrain = nextTerrainCode(brush_.terrain);
    return true;
}

bool MapEditor::stepTerrainDown(const EditCursor& at) {
    if (!at.currentExists) {
        return false;
    }
    brush_.terrain = previousTerrainCode(brush_.terrain);
    return true;
}

void MapEditor::rightMenuAction(int index) {
    switch (index) {
    case kMenuTerrainDown:
        brush_.terrain = previousTerrainCode(brush_.terrain);
        break;
    case kMenuTerrainUp:
        brush_.terrain = nextTerrainCode(brush_.terrain);
        break;
    case kMenuRoadN:
        toggleBrushRoad(brush_, RoadMask::N);
        break;
    case kMenuRoadNE:
        toggleBrushRoad(brush_, RoadMask::NE);
        break;
    case kMenuRoadSE:
        toggleBrushRoad(brush_, RoadMask::SE);
        break;
    case kMenuRoadS:
        toggleBrushRoad(brush_, RoadMask::S);
        break;
    case kMenuRoadSW:
        toggleBrushRoad(brush_, RoadMask::SW);
        break;
    case kMenuRoadNW:
        toggleBrushRoad(brush_, RoadMask::NW);
        break;
    case kMenuNamePrevious:
        brush_.nameIndex = previousNameEntry(brush_.nameIndex, names_.count);
        break;
    case kMenuNameNext:
        brush_.nameIndex = nextNameEntry(brush_.nameIndex, names_.count);
        break;
    case kMenuAddName:
        addName();
        break;
    case kMenuEditName:
        editName(brush_.nameIndex);
        break;
    case kMenuSetDataDialog:
        if (openSetDataDialog) {
            openSetDataDialog();
        }
        break;
    default:
        break;
    }
}

int MapEditor::addName() {
    if (!canEdit()) {
        return 0;
    }
    history_.reconcile();
    const int countBefore = names_.count;
    const int entry = promptNewName(names_, ui_);
    if (entry > 0 && names_.count != countBefore) {
        EditStep step;
        step.name = "Add Name";
        step.nameList =
            NameListChange{entry, std::string(), names_.nameText(entry), countBefore, names_.count};
        history_.record(std::move(step));
    }
    return entry;
}

bool MapEditor::editName(int entry) {
    if (!canEdit()) {
        return false;
    }
    history_.reconcile();
    const std::string before = names_.nameText(entry);
    if (!promptEditName(names_, entry, ui_)) {
        return false;
    }
    EditStep step;
    step.name = "Rename Name";
    step.nameList =
        NameListChange{entry, before, names_.nameText(entry), names_.count, names_.count};
    history_.record(std::move(step));
    return true;
}

int MapEditor::changeTerrain(int from, int to) {
    if (!canEdit()) {
        return 0;
    }
    // The hexes that will change, read before: only they go into the step.
    std::vector<CellChange> changes;
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            const HexCell& cell =
                document_.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
            if (cell.terrain == from) {
                changes.push_back({toByte(row), toByte(column), cell, cell});
            }
        }
    }
    history_.reconcile();
    const int changed = maporv::changeTerrain(document_, from, to, ui_);
    if (changed > 0) {
        EditStep step;
        for (CellChange& change : changes) {
            change.after = *document_.cellAt(change.row, change.column);
        }
        step.cells = std::move(changes);
        step.name = EditStep::countedName("Change Terrain", step.cells.size());
        history_.record(std::move(step));
    }
    return changed;
}

} // namespace maporv
