#include "mapdata/terraintype.h"

namespace maporv {

const char* terrainName(int code) {
    static const char* const names[kTerrainTypeCount] = {
        "Clear",  "City",   "Airfield",    "Forest",
        "Jungle", "Hill",   "Mountain",    "Sand",
        "Swamp",  "Ocean",  "River",       "Fortification",
        "Port",   "Stream", "Escarpment",  "Impassable River",
        "Rough",  "Lake",   "Rice Fields", "Lake region",
    };
    if (code < 0 || code >= kTerrainTypeCount) {
        return nullptr;
    }
    return names[code];
}

} // namespace maporv
