#pragma once

#include "mapdata/mapdocument.h"
#include "tempfolder.h"

#include <cstdint>

namespace maporv::test {

// The first two lines of the names file of map 5, MYMAP.
inline const char* const kNamesHeader =
    "[MAP:  5] [MYMAP               ]\n--------------------------------\n";

// A document whose picture lies in <temp>/MAP/ and whose MAP file is MYMAP.MAP.
inline MapDocument documentIn(const TempFolder& temp, std::uint16_t number = 5) {
    MapDocument document;
    document.path = temp.path() + "SCENARIO/MYMAP.MAP";
    document.mapNumber = number;
    document.deriveTileNames();
    document.loaded = true;
    return document;
}

} // namespace maporv::test
