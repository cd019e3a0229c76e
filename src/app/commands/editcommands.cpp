#include "app/commands/editcommands.h"

#include "app/commands/windowcommands.h"
#include "editing/editsession.h"
#include "editing/roadsuggestion.h"
#include "editing/terrainsuggestion.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

namespace maporv {

EditCommands::EditCommands(EditSession& session, WindowCommands& window, UserInterface& ui)
    : session_(session), window_(window), ui_(ui) {}

EditCursor EditCommands::cursor() const {
    return window_.editCursor();
}

void EditCommands::clearSelection() {
    session_.clearSelection();
}

void EditCommands::undo() {
    session_.undo();
}

void EditCommands::redo() {
    session_.redo();
}

void EditCommands::suggestTerrain() {
    const SuggestTerrainOutcome outcome = session_.suggestTerrain();
    if (!outcome.enoughTerrains) {
        ui_.message("Fewer than two terrains to learn from.\n"
                    "Set a few hexes of each terrain by hand first.");
        return;
    }
    window_.showNotice(strprintf("Suggest Terrain: %d hexes set, %d left as they were", outcome.set,
                                 outcome.left));
}

void EditCommands::suggestRoads() {
    const SuggestRoadsOutcome outcome = session_.suggestRoads();
    if (!outcome.enoughExamples) {
        ui_.message(
            tooFewRoadExamples(outcome.roadsTaught) +
            (outcome.roadsTaught == 0 ? "\nSet the roads of a few hexes by hand first." : ""));
        return;
    }
    window_.showNotice(strprintf("Suggest Roads: %d joints with a road, %d changed", outcome.roads,
                                 outcome.changed));
}

void EditCommands::fillRegion() {
    if (const int changed = session_.fillRegion(window_.editCursor()); changed > 0) {
        window_.showNotice(strprintf("Fill Region: %d hexes set", changed));
    }
}

void EditCommands::selectRegion() {
    if (const int selected = session_.selectRegion(window_.editCursor()); selected > 0) {
        window_.showNotice(strprintf("Select Region: %d hexes selected", selected));
    }
}

} // namespace maporv
