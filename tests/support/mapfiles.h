#pragma once

// MAP files for the tests, made by the map core itself.

#include "mapdata/mapdocument.h"

#include <cstdint>
#include <string>

namespace maporv::test {

// An empty map of the given number, as its MAP file holds it.
inline std::string numberedMapFile(std::uint16_t number) {
    MapDocument document;
    document.mapNumber = number;
    return document.toBytes();
}

// A map of the given number with the header's 45 x 40 and one Hill at row 2, column 3.
inline std::string sampleMapFile(std::uint16_t number) {
    MapDocument document;
    document.mapNumber = number;
    document.width = 45;
    document.height = 40;
    document.cells[2][3].terrain = 5;
    return document.toBytes();
}

} // namespace maporv::test
