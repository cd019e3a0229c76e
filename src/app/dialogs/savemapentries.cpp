#include "app/dialogs/savemapentries.h"

#include "app/dialogs/folderlisting.h"
#include "mapdata/mapdocument.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"

#include <algorithm>

namespace maporv {

MapListScan scanMapListEntries(const std::string& mapFolder, const std::string& s16Folder) {
    MapListScan scan;
    if (mapFolder.empty()) {
        return scan;
    }
    const std::vector<std::string> files = listFiles(mapFolder, "*.map");
    scan.entries.resize(files.size());
    const FolderListing tiles(s16Folder);
    for (const std::string& file : files) {
        std::int16_t number = 0;
        if (!readMapNumber(strprintf("%s%s", mapFolder.c_str(), file.c_str()), number)) {
            continue;
        }
        MapListEntry& entry = scan.entries[static_cast<std::size_t>(scan.filled++)];
        entry.name = toUpperAscii(file);
        entry.number = number;
        entry.label = tileSetName(number);
        entry.pictureFound = tiles.contains(strprintf("%s00.S16", entry.label.c_str()));
    }
    return scan;
}

std::string mapListEntryText(const MapListEntry& entry, bool byNumber) {
    const char* status = entry.pictureFound ? "" : "- No Pic";
    if (byNumber) {
        return strprintf("%4s  %s %s", strprintf("%d", entry.number).c_str(), entry.name.c_str(),
                         status);
    }
    return strprintf("%s  #%d %s", entry.name.c_str(), entry.number, status);
}

std::vector<MapListLine> mapListEntryLines(const std::vector<MapListEntry>& entries,
                                           bool byNumber) {
    std::vector<MapListLine> lines;
    lines.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        lines.push_back(
            {mapListEntryText(entries[i], byNumber), static_cast<int>(i), entries[i].number});
    }
    orderMapListLines(lines, byNumber);
    return lines;
}

std::vector<std::string> pictureSetNames(const std::string& s16Folder) {
    std::vector<std::string> names;
    if (s16Folder.empty()) {
        return names;
    }
    for (const std::string& file : listFiles(s16Folder, "*.s16")) {
        const std::string title = fileNamePart(file);
        if (title.size() >= 2 && title.compare(title.size() - 2, 2, "00") == 0) {
            names.push_back(title.substr(0, title.size() - 2));
        }
    }
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return toLowerAscii(a) < toLowerAscii(b);
    });
    return names;
}

} // namespace maporv
