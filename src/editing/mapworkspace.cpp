#include "editing/mapworkspace.h"

#include "editing/mapcheck.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

#include <algorithm>

namespace maporv {

MapWorkspace::MapWorkspace(UserInterface& ui) : picture(ui), ui_(ui) {}

std::uint16_t mapNumberFromName(const std::string& name) {
    std::size_t pos = 0;
    while (pos < name.size() && (name[pos] < '0' || name[pos] > '9')) {
        ++pos;
    }
    unsigned value = 0;
    while (pos < name.size() && name[pos] >= '0' && name[pos] <= '9') {
        value = (value * 10 + static_cast<unsigned>(name[pos] - '0')) & 0xFFFFu;
        ++pos;
    }
    return static_cast<std::uint16_t>(value);
}

void setHeaderToPictureReach(MapDocument& document, int pictureWidth, int pictureHeight) {
    const HexExtent reach = pictureReach({pictureWidth, pictureHeight});
    document.width = static_cast<std::uint16_t>(reach.columns);
    document.height = static_cast<std::uint16_t>(reach.rows);
}

void MapWorkspace::discardPicture() {
    picture.release();
    picture.name.clear();
    picture.path.clear();
    picture.folder.clear();
    picture.extension.clear();
    picture.width = 0;
    picture.height = 0;
    picture.tileCount = 0;
}

bool MapWorkspace::loadPicture(const std::string& path) {
    // A failed read leaves the shared buffer overwritten: bring the previous
    // picture back, so the view never shows half a picture or a stranger's one.
    const std::string previous = picture.path;
    if (picture.load(path)) {
        return true;
    }
    if (!previous.empty() && previous != path && picture.load(previous)) {
        return false;
    }
    discardPicture();
    return false;
}

bool MapWorkspace::restorePicture() {
    if (!picture.valid && !picture.path.empty()) {
        picture.load(picture.path);
    }
    return picture.valid;
}

MapWorkspace::LoadResult MapWorkspace::load(const std::string& givenPath, bool pictureChosen) {
    const std::string path = givenPath.empty() ? lastOpen : givenPath;
    const std::string extension = toUpperAscii(extensionPart(path));

    if (extension == ".MAP") {
        if (!document.readMapFile(path, pictureChosen, gameFolder, ui_,
                                  [this](const std::string& tile) { return picture.load(tile); })) {
            // Nothing could be read: the map, its picture and its names stay as they were.
            return {false, picture.valid};
        }
        // A map whose own picture is missing never shows the picture of the map before.
        if (!picture.valid || picture.path != document.picturePath ||
            !fileExists(document.picturePath)) {
            discardPicture();
        }
    } else if (extension == ".BMP" || extension == ".S16" || extension == ".SHP") {
        if (!loadPicture(path)) {
            return {false, false};
        }
        document.clearMap();
        // A new map has nothing unsaved, whatever the map before it had.
        document.modified = false;
        document.path = strprintf("%sSCENARIO/%s.map", parentFolder(picture.folder).c_str(),
                                  picture.name.c_str());
        document.pathIsOwnFile = false;
        document.loaded = true;
        document.mapNumber = mapNumberFromName(picture.name);
        // The header says how many hexes the map has: as many as the picture reaches,
        // not what the map before it had.
        setHeaderToPictureReach(document, picture.width, picture.height);
        document.pictureFromBmp = extension == ".BMP";
        // The new map's picture is the one just read, not the previous map's: its names
        // file and the Names commands look beside it.
        document.picturePath = picture.path;
        document.tileName = fileNameWithExtension(picture.path);
    } else {
        return {false, picture.valid};
    }

    // The file actually read: the SCENARIO fallback or the picker may have found
    // another than the one asked for (a "*.map" pattern, for one).
    finishLoad(extension == ".MAP" ? document.path : path);
    return {true, picture.valid};
}

MapWorkspace::LoadResult MapWorkspace::startUnsavedMap(const std::string& mapPath,
                                                       const std::string& picturePath,
                                                       std::string_view mapBytes) {
    // Never the picture of the map before: without its own the map asks for one.
    if (picturePath.empty() || !loadPicture(picturePath)) {
        discardPicture();
    }
    document.clearMap();
    document.fromBytes(mapBytes);
    document.modified = false;
    document.path = mapPath;
    document.pathIsOwnFile = false;
    document.loaded = true;
    document.picturePath = picture.valid ? picture.path : picturePath;
    document.tileName = fileNameWithExtension(document.picturePath);
    document.pictureFromBmp = picture.valid && picture.extension == ".BMP";
    finishLoad(picture.valid ? picture.path : mapPath);
    return {true, picture.valid};
}

void MapWorkspace::finishLoad(const std::string& readPath) {
    if (!picture.valid) {
        const std::string title =
            strprintf("Select a picture file for %s #%d",
                      fileNameWithExtension(document.path).c_str(), document.mapNumber);
        const std::string pattern = strprintf(
            "%sMAP/MAP%02d*.s16", parentFolder(document.path).c_str(), document.mapNumber);
        const std::string chosen = ui_.pickFile(FileType::Picture, pattern, title);
        if (!chosen.empty()) {
            loadPicture(chosen);
        }
    }
    // Game tiles cut short are said once per load, not on the view's reloads. Missing or
    // unreadable tiles and the sibling game's shapes load without a word.
    if (picture.valid && picture.extension != ".SHP") {
        if (const std::string cut = picture.faultyTilesText(true); !cut.empty()) {
            ui_.showMessage(MessageKind::Warning,
                            strprintf("The picture %s is incomplete: %s.\nWhat they lack shows "
                                      "light grey.",
                                      picture.name.c_str(), cut.c_str()));
        }
    }

    rebuildInfoText();
    lastOpen = readPath;
    gameFolder = parentFolder(readPath);
    names.loadNamesForMap(document, ui_);
}

void MapWorkspace::rebuildInfoText() {
    if (picture.name.empty()) {
        infoText = " No file loaded";
        return;
    }
    const bool fromBmp = picture.extension == ".BMP";
    const std::string source =
        fromBmp ? fileNameWithExtension(picture.path) : strprintf("%sxx.S16", picture.name.c_str());
    const std::string files =
        !fromBmp && picture.tileCount > 1 ? strprintf("%d files", picture.tileCount) : "";
    const std::string bits = fromBmp ? strprintf(" %db", picture.sourceBits) : "";
    const std::string pictureInfo = strprintf("%s  (%d x %d) - %s%s", source.c_str(), picture.width,
                                              picture.height, files.c_str(), bits.c_str());
    if (document.loaded) {
        infoText = strprintf("Map file: %s #%03d *  %s", document.path.c_str(), document.mapNumber,
                             pictureInfo.c_str());
    } else {
        infoText = pictureInfo;
    }
}

} // namespace maporv
