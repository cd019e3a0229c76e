#include "editing/savemap.h"

#include "editing/mapworkspace.h"
#include "mapdata/mapdocument.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

namespace maporv {
namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::string();
    }
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool sameFile(const std::string& a, const std::string& b) {
    return !a.empty() && !b.empty() && resolveExisting(a) == resolveExisting(b);
}

// Cuts the picture into the game's tiles of the map's number and, when every tile was
// written, makes them the map's picture: an incomplete set would show holes, so the map
// keeps its previous picture then. The S16 folder defaults to the MAP folder beside the
// map's.
bool writeOwnTiles(MapWorkspace& workspace, const std::string& s16Folder) {
    MapDocument& document = workspace.document;
    const std::string folder =
        s16Folder.empty() ? strprintf("%sMAP/", parentFolder(document.path).c_str()) : s16Folder;
    if (!workspace.picture.writeS16Tiles(folder + tileSetName(document.mapNumber))) {
        return false;
    }
    document.deriveTileNames();
    // The derived path names the MAP folder beside the map's; the tiles are where
    // they were written.
    document.picturePath = resolveForWrite(folder + document.tileName);
    document.pictureFromBmp = false;
    return true;
}

} // namespace

std::string saveMapTarget(const SaveMapChoice& choice) {
    std::string name = trimmed(choice.fileName);
    if (name.empty()) {
        return std::string();
    }
    if (extensionPart(name).empty()) {
        name += ".MAP";
    }
    return choice.mapFolder + name;
}

SaveMapResult saveMap(MapWorkspace& workspace, const SaveMapChoice& choice, UserInterface& ui) {
    SaveMapResult result;
    MapDocument& document = workspace.document;
    const std::string target = saveMapTarget(choice);
    if (target.empty()) {
        ui.error("No file name given:\nthe map has not been saved.");
        return result;
    }
    const bool ownFile = document.pathIsOwnFile && sameFile(target, document.path);
    if (fileExists(target) && !ownFile) {
        const std::string question = strprintf("%s\nalready exists.\nDo you want to replace it ?",
                                               resolveExisting(target).c_str());
        if (ui.ask(question, QuestionButtons::YesNo) != Answer::Yes) {
            return result;
        }
    }

    const std::uint16_t previousNumber = document.mapNumber;
    document.mapNumber = static_cast<std::uint16_t>(choice.mapNumber);
    // An existing file keeps its spelling, so the map is not saved twice under names
    // that differ only in case.
    const std::string written = resolveForWrite(target);
    if (!document.writeMapFile(written, ui)) {
        document.mapNumber = previousNumber;
        return result;
    }
    result.saved = true;
    result.path = written;
    workspace.lastOpen = written;
    workspace.gameFolder = parentFolder(written);

    // A preview may have borrowed the picture's pixels.
    if (choice.createS16 && workspace.restorePicture()) {
        result.tilesWritten = writeOwnTiles(workspace, choice.s16Folder);
    }
    workspace.rebuildInfoText();
    return result;
}

} // namespace maporv
