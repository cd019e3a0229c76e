#pragma once

#include "mapdata/maplistorder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace maporv {

// One MAP file of the save dialog's folder. An entry stays empty (no name, number
// -1) when its file could not be opened: it still takes a line of the list.
struct MapListEntry {
    std::string name; // file name with extension, upper-cased
    std::int16_t number = -1;
    std::string label;         // "MAP05" for 5, "MAP12" for 12
    bool pictureFound = false; // the S16 folder holds label + "00.S16"
};

struct MapListScan {
    std::vector<MapListEntry> entries; // one per "*.map" file, filled ones first
    int filled = 0;                    // entries whose file could be read
};

// The "*.map" files of mapFolder in any letter case, their first tiles looked up in
// s16Folder ignoring case. An empty folder string lists nothing.
MapListScan scanMapListEntries(const std::string& mapFolder, const std::string& s16Folder);

// The list line of an entry. By number: the number right-aligned in 4, two spaces,
// the name, a space and the status; by name: the name, two spaces, "#" and the
// number, a space and the status. The status is "- No Pic" without a first tile.
std::string mapListEntryText(const MapListEntry& entry, bool byNumber);

// The lines of all entries, in the order the list shows them.
std::vector<MapListLine> mapListEntryLines(const std::vector<MapListEntry>& entries, bool byNumber);

// The picture sets of the S16 folder: every "*.s16" file whose title ends in "00",
// without those two digits (MAP0500.s16 gives MAP05), ordered ignoring case.
std::vector<std::string> pictureSetNames(const std::string& s16Folder);

} // namespace maporv
