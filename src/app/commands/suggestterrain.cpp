#include "app/commands/suggestterrain.h"

#include "app/window/mapframe.h"
#include "editing/editsession.h"
#include "editing/terrainsuggestion.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

namespace maporv {

void suggestTerrain(EditSession& session, MapFrame& frame, UserInterface& ui) {
    const SuggestTerrainOutcome outcome = session.suggestTerrain();
    if (!outcome.enoughTerrains) {
        ui.message("Fewer than two terrains to learn from.\n"
                   "Set a few hexes of each terrain by hand first.");
        return;
    }
    frame.view().showNotice(strprintf("Suggest Terrain: %d hexes set, %d left as they were",
                                      outcome.set, outcome.left));
}

} // namespace maporv
