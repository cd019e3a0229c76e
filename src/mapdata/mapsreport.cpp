#include "mapdata/mapsreport.h"

#include "mapdata/filereplacement.h"
#include "mapdata/maplistorder.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

namespace maporv {
namespace {

constexpr std::size_t kReportNameWidth = 31;
constexpr std::size_t kReportNumberWidth = 4;
constexpr const char* kRuleLine = "=======================================\n";

bool usesNameForm(int mode) {
    return mode == ReportMode::ByName;
}

std::string byNameSection(const std::vector<MapFileEntry>& entries) {
    std::string text = "Mapname                       Mapnumber\n";
    text += kRuleLine;
    for (const MapListItem& item : buildMapList(entries, ReportMode::ByName, true)) {
        text += item.text;
        text += '\n';
    }
    text += '\n';
    return text;
}

// One line per map number with the names of all its files. The file names come
// from the items themselves, not from cutting the list text, so numbers of any
// width keep their names whole.
std::string byNumberSection(const std::vector<MapFileEntry>& entries) {
    std::string text = "Mapno     Mapname\n";
    text += kRuleLine;
    const std::vector<MapListItem> items = buildMapList(entries, ReportMode::ByNumber, true);
    std::size_t i = 0;
    while (i < items.size()) {
        const int number = items[i].number;
        std::string names = items[i].fileName;
        for (++i; i < items.size() && items[i].number == number; ++i) {
            names += " ; ";
            names += items[i].fileName;
        }
        text += strprintf("%5d     %s\n", number, names.c_str());
    }
    text += '\n';
    return text;
}

} // namespace

bool scanMapFolder(const std::string& folder, std::vector<MapFileEntry>& entries,
                   UserInterface& ui) {
    entries.clear();
    if (folder.empty()) {
        return true;
    }
    std::string unreadable;
    {
        WaitCursor wait(ui);
        for (const std::string& name : listFiles(folder, "*.map")) {
            const std::string path = strprintf("%s%s", folder.c_str(), name.c_str());
            std::int16_t number = 0;
            if (!readMapNumber(path, number)) {
                unreadable = path;
                break;
            }
            entries.push_back({name, number});
        }
    }
    // Reported once the wait cursor is gone.
    if (!unreadable.empty()) {
        ui.error(strprintf("[%s] Not found", unreadable.c_str()));
        return false;
    }
    return true;
}

std::string mapListText(const MapFileEntry& entry, int mode, bool forReport) {
    const char* name = entry.fileName.c_str();
    const int number = entry.number;
    if (!forReport) {
        return usesNameForm(mode) ? strprintf("%s   #%d", name, number)
                                  : strprintf("%4s   %s", strprintf("%d", number).c_str(), name);
    }
    if (!usesNameForm(mode)) {
        return strprintf("%4d.%s", number, name);
    }
    const std::string paddedName = dotPadded(entry.fileName, kReportNameWidth);
    std::string paddedNumber = strprintf("%d", number);
    if (paddedNumber.size() < kReportNumberWidth) {
        paddedNumber.insert(0, kReportNumberWidth - paddedNumber.size(), '.');
    }
    return strprintf("%31s%4s", paddedName.c_str(), paddedNumber.c_str());
}

std::vector<MapListItem> buildMapList(const std::vector<MapFileEntry>& entries, int mode,
                                      bool forReport) {
    std::vector<MapListItem> items;
    items.reserve(entries.size());
    for (const MapFileEntry& entry : entries) {
        items.push_back({mapListText(entry, mode, forReport), entry.fileName, entry.number});
    }
    orderMapListLines(items, !usesNameForm(mode));
    return items;
}

std::string mapsReportText(const std::string& folder, const std::vector<MapFileEntry>& entries,
                           int mode) {
    std::string text = strprintf("Map files on folder: %s\n\n", folder.c_str());
    if (mode == ReportMode::ByName || mode == ReportMode::Both) {
        text += byNameSection(entries);
    }
    if (mode != ReportMode::ByName) {
        text += byNumberSection(entries);
    }
    return text;
}

bool writeMapsReport(const std::string& reportFile, const std::string& folder,
                     const std::vector<MapFileEntry>& entries, int mode, UserInterface& ui) {
    if (entries.empty()) {
        ui.error("There is nothing to do !");
        return false;
    }
    if (!saveFile(reportFile, mapsReportText(folder, entries, mode), ui,
                  strprintf("Error on creating [%s]", reportFile.c_str()))) {
        return false;
    }
    ui.launchEditor(reportFile);
    return true;
}

} // namespace maporv
