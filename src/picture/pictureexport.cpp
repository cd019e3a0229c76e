#include "picture/pictureexport.h"

#include "mapdata/mapdocument.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"
#include "picture/mappicture.h"

namespace maporv {
namespace {

// The picture's name without folder and extension, for the default file names.
std::string pictureTitle(const MapPicture& picture) {
    return fileNamePart(picture.name);
}

} // namespace

std::string tilePrefixFromPath(const std::string& pickedPath) {
    std::string prefix = removeExtension(pickedPath);
    while (!prefix.empty() &&
           (prefix.back() == '?' || prefix.back() == '*' || prefix.back() == ' ')) {
        prefix.pop_back();
    }
    return prefix;
}

void saveImageAsBmp(const MapPicture& picture, UserInterface& ui) {
    if (!picture.valid) {
        return;
    }
    const std::string initial =
        strprintf("%s%s.bmp", picture.folder.c_str(), pictureTitle(picture).c_str());
    const std::string chosen = ui.pickFile(FileType::Bmp, initial, "Select a filename to save as");
    if (!chosen.empty()) {
        picture.saveBmp(chosen);
    }
}

void saveImageAsBmpTiles(const MapPicture& picture, UserInterface& ui) {
    if (!picture.valid) {
        return;
    }
    const std::string initial =
        strprintf("%s%s??.bmp", picture.folder.c_str(), pictureTitle(picture).c_str());
    const std::string chosen =
        ui.pickFile(FileType::Bmp, initial, "Select folder and base filename to split");
    if (!chosen.empty()) {
        picture.writeBmpTiles(tilePrefixFromPath(chosen));
    }
}

void saveImageAsS16Tiles(const MapPicture& picture, UserInterface& ui, bool mapLoaded,
                         int mapNumber) {
    if (!picture.valid) {
        return;
    }
    const std::string initial =
        mapLoaded ? picture.folder + tileSetName(mapNumber) + "??.s16"
                  : strprintf("%s%s??.s16", picture.folder.c_str(), pictureTitle(picture).c_str());
    const std::string chosen =
        ui.pickFile(FileType::S16, initial, "Select folder and base filename to map tiles");
    if (!chosen.empty()) {
        picture.writeS16Tiles(tilePrefixFromPath(chosen));
    }
}

} // namespace maporv
