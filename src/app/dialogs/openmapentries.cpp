#include "app/dialogs/openmapentries.h"

#include "app/dialogs/folderlisting.h"
#include "mapdata/mapdocument.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"

namespace maporv {
namespace {

constexpr std::size_t kNameWidth = 24;

} // namespace

std::vector<OpenMapEntry> scanOpenMapEntries(const std::string& scenarioFolder,
                                             const std::string& mapFolder) {
    std::vector<OpenMapEntry> entries;
    if (scenarioFolder.empty()) {
        return entries;
    }
    const FolderListing tiles(mapFolder);
    for (const std::string& name : listFiles(scenarioFolder, "*.map")) {
        OpenMapEntry entry;
        if (!readMapNumber(strprintf("%s%s", scenarioFolder.c_str(), name.c_str()),
                           entry.mapNumber)) {
            continue;
        }
        entry.fileName = name;
        entry.namePrefix = tileSetName(entry.mapNumber);
        for (int column = 0; column < kTileColumns; ++column) {
            for (int row = 0; row < kTileRows; ++row) {
                entry.tileExists[column][row] =
                    tiles.contains(strprintf("%s%d%d.S16", entry.namePrefix.c_str(), column, row));
            }
        }
        entry.pictureMissing = !entry.tileExists[0][0];
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string openMapListText(const OpenMapEntry& entry, bool byNumber) {
    const std::string name = dotPadded(entry.fileName, kNameWidth);
    const std::string number = strprintf("%d", entry.mapNumber);
    if (byNumber) {
        return strprintf("%4s  %24s %s ", number.c_str(), name.c_str(),
                         entry.pictureMissing ? "No Pic" : "Ok");
    }
    return strprintf("%s..%4s  %s", name.c_str(), number.c_str(),
                     entry.pictureMissing ? "No Pic" : "ok");
}

std::vector<MapListLine> openMapListLines(const std::vector<OpenMapEntry>& entries, bool byNumber) {
    std::vector<MapListLine> lines;
    lines.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        lines.push_back(
            {openMapListText(entries[i], byNumber), static_cast<int>(i), entries[i].mapNumber});
    }
    orderMapListLines(lines, byNumber);
    return lines;
}

} // namespace maporv
