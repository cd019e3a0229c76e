#include "mapdata/mapsreport.h"

#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

#include <algorithm>
#include <fstream>

namespace maporv {
namespace {

constexpr std::size_t kReportNameWidth = 31;
constexpr std::size_t kReportNumberWidth = 4;
constexpr const char* kRuleLine = "=======================================\n";

bool usesNameForm(int mode) {
    return mode == ReportMode::ByName;
}

bool textLess(const std::string& a, const std::string& b) {
    const std::string la = toLowerAscii(a);
    const std::string lb = toLowerAscii(b);
    return la != lb ? la < lb : a < b;
}

// Reads the map number from the first two bytes; a shorter file reads as zeros.
bool readMapNumber(const std::string& path, std::int16_t& number) {
    if (isFolder(path)) {
        return false;
    }
    std::ifstream in(resolveExisting(path), std::ios::binary);
    if (!in) {
        return false;
    }
    unsigned char bytes[2] = {0, 0};
    in.read(reinterpret_cast<char*>(bytes), 2);
    number = static_cast<std::int16_t>(static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8)));
    return true;
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
    std::string paddedName = entry.fileName.substr(0, kReportNameWidth);
    paddedName.resize(kReportNameWidth, '.');
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
    if (usesNameForm(mode)) {
        std::stable_sort(
            items.begin(), items.end(),
            [](const MapListItem& a, const MapListItem& b) { return textLess(a.text, b.text); });
    } else {
        std::stable_sort(
            items.begin(), items.end(), [](const MapListItem& a, const MapListItem& b) {
                return a.number != b.number ? a.number < b.number : textLess(a.text, b.text);
            });
    }
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
    if (!writeFileAtomically(reportFile, mapsReportText(folder, entries, mode))) {
        ui.error(strprintf("Error on creating [%s]", reportFile.c_str()));
        return false;
    }
    ui.launchEditor(reportFile);
    return true;
}

} // namespace maporv
