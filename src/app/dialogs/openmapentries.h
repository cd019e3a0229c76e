#pragma once

#include "mapdata/maplistorder.h"
#include "picture/mappicture.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace maporv {

// One MAP file of the open dialog's folder, with what its picture tiles look like in
// the picture folder.
struct OpenMapEntry {
    std::string fileName; // as found on disk, with extension
    std::int16_t mapNumber = 0;
    // "MAP05" for 5, "MAP12" for 12: the tiles' names without their two digits.
    std::string namePrefix;
    // tileExists[column][row]: namePrefix + column digit + row digit + ".S16".
    std::array<std::array<bool, kTileRows>, kTileColumns> tileExists{};
    // No first tile ("00"): nothing to preview, and opening needs another picture.
    bool pictureMissing = true;
};

// The "*.map" files of scenarioFolder in any letter case, in listing order, each with
// its tiles looked up in mapFolder ignoring case. Files that cannot be opened are
// left out. An empty folder string lists nothing.
std::vector<OpenMapEntry> scanOpenMapEntries(const std::string& scenarioFolder,
                                             const std::string& mapFolder);

// The list line of an entry. By name: the file name dot-padded to 24 characters, two
// dots, the number right-aligned in 4, two spaces, "ok" or "No Pic". By number: the
// number, two spaces, the padded name, a space, "Ok" or "No Pic" and a space.
std::string openMapListText(const OpenMapEntry& entry, bool byNumber);

// The lines of all entries, in the order the list shows them.
std::vector<MapListLine> openMapListLines(const std::vector<OpenMapEntry>& entries, bool byNumber);

} // namespace maporv
