#include "app/dialogs/newmapentries.h"

#include "mapdata/maplistorder.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"
#include "picture/mappicture.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace maporv {
namespace {

constexpr int kPreviewExtent = 330;

// The number part as the game's names carry it; text that is no number reads as 0.
int decimalValue(const std::string& text) {
    errno = 0;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value > INT_MAX) {
        return INT_MAX;
    }
    return value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

std::vector<NewMapEntry> pictureSets(const std::string& folder, const char* pattern) {
    std::vector<NewMapEntry> entries;
    for (const std::string& file : listFiles(folder, pattern)) {
        const std::string title = fileNamePart(file);
        if (title.size() < 2 || title.compare(title.size() - 2, 2, "00") != 0) {
            continue;
        }
        // "MAP" and two digits are the game's names; shorter titles have no digits.
        std::string digits = title.size() > 5 ? title.substr(3, title.size() - 5) : std::string();
        if (digits.size() < 3) {
            digits.insert(0, 3 - digits.size(), '0');
        }
        NewMapEntry entry{"MAP" + digits, decimalValue(digits)};
        // MAP0500.s16 and map0500.S16 side by side stand for the same set.
        const bool listed = std::any_of(entries.begin(), entries.end(), [&](const NewMapEntry& e) {
            return e.number == entry.number && equalsIgnoreCase(e.text, entry.text);
        });
        if (!listed) {
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

} // namespace

std::vector<NewMapEntry> listNewMapEntries(const std::string& folder, int kind) {
    std::vector<NewMapEntry> entries;
    if (folder.empty()) {
        return entries;
    }
    if (kind == NewMapKind::Bmp) {
        for (const std::string& file : listFiles(folder, "*.bmp")) {
            entries.push_back({file, -1});
        }
    } else {
        entries = pictureSets(folder, kind == NewMapKind::Shp ? "*.shp" : "*.s16");
    }
    std::stable_sort(
        entries.begin(), entries.end(),
        [](const NewMapEntry& a, const NewMapEntry& b) { return listTextLess(a.text, b.text); });
    return entries;
}

std::string newMapPicturePath(const std::string& folder, int kind, const NewMapEntry& entry) {
    if (kind == NewMapKind::Bmp) {
        return strprintf("%s%s", folder.c_str(), entry.text.c_str());
    }
    return strprintf("%sMAP%02d00.%s", folder.c_str(), entry.number,
                     kind == NewMapKind::Shp ? "shp" : "s16");
}

PreviewExtent newMapPreviewSize(int width, int height, bool fitToFrame) {
    if (fitToFrame) {
        return {kPreviewExtent, kPreviewExtent};
    }
    return {width * kPreviewExtent / kMaxPictureWidth, height * kPreviewExtent / kMaxPictureHeight};
}

const char* newMapFolderPrompt(int kind) {
    switch (kind) {
    case NewMapKind::Shp:
        return "Select folder for Xr2-SHP files";
    case NewMapKind::Bmp:
        return "Select folder for BMP files";
    default:
        return "Select folder for S16 files";
    }
}

int newMapFolderKind(int kind) {
    switch (kind) {
    case NewMapKind::Shp:
        return FolderKind::Shp;
    case NewMapKind::Bmp:
        return FolderKind::General;
    default:
        return FolderKind::S16;
    }
}

} // namespace maporv
