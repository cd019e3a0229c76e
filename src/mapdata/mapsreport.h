#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace maporv {

class UserInterface;

// The report and list modes: sorted by name, by number, or both lists.
namespace ReportMode {
inline constexpr int ByName = 0;
inline constexpr int ByNumber = 1;
inline constexpr int Both = 2;
} // namespace ReportMode

// One MAP file of a folder: its name as found on disk and its map number, the
// file's first two bytes taken as a signed number.
struct MapFileEntry {
    std::string fileName;
    std::int16_t number = 0;
};

// One line of the map list, carrying its map number and file name.
struct MapListItem {
    std::string text;
    std::string fileName;
    int number = 0;
};

// Collects the "*.map" files of folder (any case), in listing order. "[%s] Not
// found" for a listed file that cannot be opened: the scan ends there and entries
// keeps the files read before it; false then. An empty folder string lists nothing.
bool scanMapFolder(const std::string& folder, std::vector<MapFileEntry>& entries,
                   UserInterface& ui);

// The text of one list line. Display form: "%s   #%d" by name, "%4s   %s" by
// number. Report form: the name dot-padded to 31 and the number dot-padded to 4 by
// name, "%4d.%s" by number. Mode ByName uses the name forms, every other mode the
// number forms.
std::string mapListText(const MapFileEntry& entry, int mode, bool forReport);

// The list lines of every entry, in the order the list shows them: alphabetical by
// text, ignoring case, for the name forms; by number, then alphabetical, for the
// number forms, which is the alphabetical order of the right-aligned numbers for
// 0..9999 and stays numerical outside that range.
std::vector<MapListItem> buildMapList(const std::vector<MapFileEntry>& entries, int mode,
                                      bool forReport);

// The whole report: heading, then the by-name section (modes ByName and Both) and
// the by-number section (modes ByNumber and Both), each followed by an empty line.
std::string mapsReportText(const std::string& folder, const std::vector<MapFileEntry>& entries,
                           int mode);

// Writes the report through a temporary file and opens it in the external editor.
// "There is nothing to do !" for no entries, "Error on creating [%s]" when the file
// cannot be written (the old one stays).
bool writeMapsReport(const std::string& reportFile, const std::string& folder,
                     const std::vector<MapFileEntry>& entries, int mode, UserInterface& ui);

} // namespace maporv
