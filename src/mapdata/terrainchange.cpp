#include "mapdata/terrainchange.h"

#include "mapdata/mapdocument.h"
#include "mapdata/terraintype.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

namespace maporv {

int changeTerrain(MapDocument& document, int from, int to, UserInterface& ui) {
    // Only the table's codes can be chosen; anything else has no name to show.
    if (terrainName(from) == nullptr || terrainName(to) == nullptr || from == to) {
        return 0;
    }
    int changed = 0;
    for (auto& row : document.cells) {
        for (HexCell& cell : row) {
            if (cell.terrain == from) {
                cell.terrain = static_cast<std::uint16_t>(to);
                ++changed;
            }
        }
    }
    if (changed > 0) {
        document.modified = true;
    }
    ui.message(strprintf("Done !\n%d Terrain types changed\nfrom: %s\nto %s", changed,
                         terrainName(from), terrainName(to)));
    return changed;
}

} // namespace maporv
