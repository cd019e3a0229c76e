#pragma once

#include <cstdint>
#include <string>

namespace maporv {

class MapWorkspace;
class UserInterface;

// What the save map dialog hands over after OK.
struct SaveMapChoice {
    std::string mapFolder; // the MAP file's folder, ending in a separator
    std::string fileName;  // as typed; may lack its extension
    std::string s16Folder; // where the picture's S16 tiles go, ending in a separator
    std::int16_t mapNumber = 0;
    bool createS16 = false; // cut the map's picture into the game's S16 tiles

    // The dialog's file result: folder and name as typed, no extension added.
    std::string path() const { return mapFolder + fileName; }
};

struct SaveMapResult {
    // False when nothing was written: no file name, replacing declined, or the write
    // failed (already reported). Exit, Open and New stop then, as after Cancel.
    bool saved = false;
    // The file written, as spelled on disk: for the recent-file list.
    std::string path;
    // Every tile of the picture was written, and the map now names them as its picture.
    bool tilesWritten = false;
};

// The MAP file a choice writes: folder + name (surrounding spaces dropped), with
// ".MAP" appended to a name without extension. Empty when no name was given.
std::string saveMapTarget(const SaveMapChoice& choice);

// Applies an OK of the save map dialog to the workspace:
// 1. the target file (saveMapTarget); without a file name nothing is written and
//    an error box says so;
// 2. an existing file that is not the map's own (the file it was read from or last
//    written to: a map made from a picture has none before its first save) is
//    replaced only if the user says so;
// 3. the dialog's map number becomes the document's;
// 4. writeMapFile, through a temporary file, so a failure keeps the old file and
//    changes nothing (the number included); on success lastOpen and gameFolder follow
//    the new file and the info text is rebuilt;
// 5. with createS16 and a picture loaded, the picture is cut into the S16 folder as
//    "MAP" + the map number string (MAP0500.s16 ... for map 5); only when every tile
//    was written does the map take those tiles as its own picture: tile names derived
//    again, picturePath at the first tile written, pictureFromBmp cleared.
// The caller adds result.path to the recent files and rebuilds the view's texts.
SaveMapResult saveMap(MapWorkspace& workspace, const SaveMapChoice& choice, UserInterface& ui);

} // namespace maporv
