#pragma once

#include <string>
#include <vector>

namespace maporv {

// What the New map dialog lists: S16 or SHP picture sets, or single BMP files. The
// values are the positions of the dialog's three radio buttons.
namespace NewMapKind {
inline constexpr int Shp = 0;
inline constexpr int Bmp = 1;
inline constexpr int S16 = 2;
} // namespace NewMapKind

// One line of the New map dialog's list.
struct NewMapEntry {
    // BMP: the file name as found on disk. Sets: "MAP" and the set's number in at
    // least three digits (MAP005).
    std::string text;
    // The set's number (5 for MAP0500.s16); -1 for a BMP file.
    int number = -1;
};

// The entries of folder for kind, in the order the list shows them (alphabetical,
// ignoring case). BMP: every "*.bmp" file. Sets: one entry per "*.s16" or "*.shp"
// file whose title ends in "00", the first tile of a set: the part of the title from
// its fourth character up to those two digits (MAP0500 gives 05), padded with "0"
// on the left to three characters, is the entry's number and follows "MAP" in its
// text. Listing ignores case; an empty folder string lists nothing.
std::vector<NewMapEntry> listNewMapEntries(const std::string& folder, int kind);

// The picture file an entry stands for. BMP: folder + the file name. Sets: folder +
// "MAP" + the number in two digits + "00." + "s16" or "shp", the game's name of the
// set's first tile, whatever the listed tile was called.
std::string newMapPicturePath(const std::string& folder, int kind, const NewMapEntry& entry);

// The preview's size for a picture of width x height: the whole frame (330 x 330)
// when fitting, else 330 / 1920 of the picture, so a picture of the largest size
// fills the frame and smaller ones keep their proportions.
struct PreviewExtent {
    int width = 0;
    int height = 0;
    bool operator==(const PreviewExtent&) const = default;
};
PreviewExtent newMapPreviewSize(int width, int height, bool fitToFrame);

// The folder picker's prompt and folder kind (userinterface.h) for a kind.
const char* newMapFolderPrompt(int kind);
int newMapFolderKind(int kind);

} // namespace maporv
