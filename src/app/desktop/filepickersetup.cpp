#include "app/desktop/filepickersetup.h"

#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

#include <utility>

namespace maporv {
namespace {

struct Pair {
    std::string label;
    std::string pattern;
};

std::vector<Pair> splitPairs(const std::string& filter) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < filter.size()) {
        size_t bar = filter.find('|', start);
        if (bar == std::string::npos) {
            bar = filter.size();
        }
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<Pair> pairs;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        pairs.push_back({parts[i], parts[i + 1]});
    }
    return pairs;
}

bool hasWildcard(const std::string& text) {
    return text.find_first_of("*?") != std::string::npos;
}

bool matchesEverything(const std::string& pattern) {
    return pattern == "*.*" || pattern == "*";
}

void addOnce(std::vector<std::string>& list, std::string item) {
    for (const std::string& existing : list) {
        if (existing == item) {
            return;
        }
    }
    list.push_back(std::move(item));
}

// The patterns of one pair ("*.s16" or "*.s16;*.bmp") in the spellings to list.
std::vector<std::string> patternSpellings(const std::string& patterns) {
    std::vector<std::string> spellings;
    size_t start = 0;
    while (start <= patterns.size()) {
        size_t semicolon = patterns.find(';', start);
        if (semicolon == std::string::npos) {
            semicolon = patterns.size();
        }
        const std::string pattern = patterns.substr(start, semicolon - start);
        if (matchesEverything(pattern)) {
            addOnce(spellings, "*");
        } else if (!pattern.empty()) {
            addOnce(spellings, toUpperAscii(pattern));
            addOnce(spellings, toLowerAscii(pattern));
            addOnce(spellings, pattern);
        }
        start = semicolon + 1;
    }
    return spellings;
}

// The label without the patterns it shows in parentheses: "TXT Files (*.TXT)".
std::string bareLabel(const std::string& label) {
    const size_t open = label.rfind(" (");
    if (open != std::string::npos && !label.empty() && label.back() == ')') {
        return label.substr(0, open);
    }
    return label;
}

} // namespace

std::string fileTypeFilter(int type) {
    switch (type) {
    case FileType::Text:
        return "TXT Files (*.TXT)|*.txt|LOG Files (*.LOG)|*.log|INI Files (*.INI)|*.ini|";
    case FileType::Map:
        return "MAP Files (*.MAP)|*.map|";
    case FileType::S16:
        return "Files (*.S16)|*.s16|";
    case FileType::Bmp:
        return "Files (*.BMP)|*.bmp|";
    case FileType::Picture:
        return "Files (*.S16)|*.s16|Files (*.BMP)|*.bmp|";
    case FileType::Executable:
        return "Files (*.EXE)|*.exe|";
    default:
        return std::string();
    }
}

std::string fileTypeTitle(int type) {
    switch (type) {
    case FileType::Text:
        return "Select text File";
    case FileType::Map:
        return "Select MAP file";
    case FileType::S16:
        return "Select a ORV S16 file";
    case FileType::Bmp:
        return "Select a BMP file";
    case FileType::Picture:
        return "Select a ORV picture file";
    case FileType::Executable:
        return "Select external Editor";
    default:
        return "Select File";
    }
}

std::vector<std::string> dialogNameFilters(const std::string& filter) {
    std::vector<std::string> filters;
    for (const Pair& pair : splitPairs(filter)) {
        std::string patterns;
        for (const std::string& spelling : patternSpellings(pair.pattern)) {
            patterns += (patterns.empty() ? "" : " ") + spelling;
        }
        filters.push_back(bareLabel(pair.label) + " (" + patterns + ")");
    }
    return filters;
}

FilePickerSetup makeFilePickerSetup(int type, const std::string& initialPath,
                                    const std::string& title, const std::string& gameFolder) {
    FilePickerSetup setup;
    const std::string typeFilter = fileTypeFilter(type);
    setup.filter = typeFilter + kAllFilesFilter;
    setup.nameFilters = dialogNameFilters(setup.filter);
    setup.title = title.empty() ? fileTypeTitle(type) : title;
    setup.initialPath = initialPath.empty() ? gameFolder + "*.*" : initialPath;
    setup.initialFolder = folderPart(setup.initialPath);

    const std::string name = fileNameWithExtension(setup.initialPath);
    const std::string extension = extensionPart(setup.initialPath);
    if (!extension.empty() && !hasWildcard(extension)) {
        setup.defaultSuffix = extension.substr(1);
    }
    if (!hasWildcard(name)) {
        setup.proposedName = name;
        return setup;
    }
    if (matchesEverything(name)) {
        return setup;
    }
    const std::vector<Pair> pairs = splitPairs(typeFilter);
    for (size_t i = 0; i < pairs.size(); ++i) {
        if (equalsIgnoreCase(pairs[i].pattern, name)) {
            setup.selectedFilter = static_cast<int>(i);
            return setup;
        }
    }
    setup.nameFilters.insert(setup.nameFilters.begin(), name + " (" + name + ")");
    setup.selectedFilter = 0;
    return setup;
}

} // namespace maporv
