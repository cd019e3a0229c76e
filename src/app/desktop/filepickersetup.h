#pragma once

#include <string>
#include <vector>

namespace maporv {

// What the file picker shows for one request, worked out from the file type, the
// caller's initial path and title and the game folder; no widgets involved.
//
// Filters are kept as "label|pattern|" pairs, the form the file types are listed in,
// and turned into the dialog's name filters: each pattern in its upper- and lower-case
// spelling ("TXT Files (*.TXT *.txt)"), since the game's files come in either case,
// and "*.*" as "*" so that names without a dot are listed too.
//
// The initial path's file part is proposed as the file name unless it is a pattern.
// A pattern selects what is listed instead: "*.*" or "*" keeps the type's first
// filter, a pattern equal to one of the type's (such as "*.map") selects that filter,
// and any other ("MAP05*.s16") becomes a filter of its own, listed first and
// selected; the dialog matches it case-insensitively.
struct FilePickerSetup {
    std::string title;
    std::string filter; // "label|pattern|" pairs, the all-files pair last
    std::vector<std::string> nameFilters;
    int selectedFilter = 0; // index into nameFilters
    std::string initialPath;
    std::string initialFolder; // folder part of initialPath, ending in a separator
    std::string proposedName;  // empty when initialPath ends in a pattern
    std::string defaultSuffix; // without the dot; empty when none or a pattern
};

inline constexpr const char* kAllFilesFilter = "All Files (*.*)|*.*|";

// The type's own filter pairs (empty for unknown types) and its default title.
std::string fileTypeFilter(int type);
std::string fileTypeTitle(int type);

// "label (*.X)|*.x|" pairs to the dialog's name filters.
std::vector<std::string> dialogNameFilters(const std::string& filter);

// An empty initialPath becomes gameFolder + "*.*"; an empty title keeps the type's.
FilePickerSetup makeFilePickerSetup(int type, const std::string& initialPath,
                                    const std::string& title, const std::string& gameFolder);

} // namespace maporv
