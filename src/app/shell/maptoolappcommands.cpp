// The application's file, names and picture commands.

#include "app/dialogs/misctoolsdialog.h"
#include "app/dialogs/newmapdialog.h"
#include "app/dialogs/openmapdialog.h"
#include "app/dialogs/savemapdialog.h"
#include "app/shell/maptoolapp.h"
#include "app/window/mapframe.h"
#include "editing/namescommands.h"
#include "editing/savemap.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "picture/pictureexport.h"

#include <optional>

namespace maporv {
namespace {

// The file a successful load read, for the recent-file list: the MAP file as found
// on disk (a pattern or a moved file was picked anew), or the picture given.
std::string loadedFile(const MapWorkspace& workspace, const std::string& path) {
    if (toUpperAscii(extensionPart(path)) == ".MAP") {
        return workspace.document.path;
    }
    return path;
}

} // namespace

void MapToolApp::newMap() {
    if (!saveAllModified()) {
        return;
    }
    std::optional<std::string> path;
    frame_->flipToDesktop();
    {
        NewMapDialog dialog(workspace_, ui_, frame_.get());
        dialog.placeAt(frame_->dialogAnchor(), frame_->windowMode());
        if (dialog.exec() == QDialog::Accepted) {
            path = dialog.chosenPath();
        }
    }
    // An empty path is the last opened file. Without a new map the previews' pixels
    // give way to the current map's picture again.
    if (!path || !load(*path, true)) {
        frame_->restorePicture();
    }
}

void MapToolApp::fileOpen() {
    if (!saveAllModified()) {
        return;
    }
    std::string path;
    std::string chosenPicture;
    frame_->flipToDesktop();
    {
        OpenMapDialog dialog(workspace_, ui_, frame_.get());
        dialog.placeAt(frame_->dialogAnchor(), frame_->windowMode());
        if (dialog.exec() == QDialog::Accepted) {
            path = dialog.selectedPath();
            chosenPicture = dialog.chosenPicture();
        }
    }
    // The load step takes a replacement picture from the document; a load that reads
    // nothing leaves the open map as it was, its own picture included.
    const std::string ownPicture = workspace_.document.picturePath;
    if (!chosenPicture.empty()) {
        workspace_.document.picturePath = chosenPicture;
    }
    if (!path.empty() && load(path, !chosenPicture.empty())) {
        addRecent(loadedFile(workspace_, path));
        return;
    }
    workspace_.document.picturePath = ownPicture;
    // The previews borrowed the shared pixel buffer: the current map's picture goes
    // back into it and into the view.
    frame_->restorePicture();
}

void MapToolApp::openLast() {
    if (workspace_.lastOpen.empty() || !saveAllModified()) {
        return;
    }
    const std::string path = workspace_.lastOpen;
    if (load(path, false)) {
        addRecent(loadedFile(workspace_, path));
    }
}

void MapToolApp::openRecent(std::size_t index) {
    if (index >= recent_.size()) {
        return;
    }
    const std::string path = recent_.entries()[index];
    if (!saveAllModified()) {
        return;
    }
    load(path, false);
}

bool MapToolApp::fileSave() {
    if (!workspace_.document.loaded) {
        return false;
    }
    std::optional<SaveMapChoice> choice;
    frame_->flipToDesktop();
    {
        SaveMapDialog dialog(workspace_.document, workspace_.lastOpen, ui_, frame_.get());
        dialog.placeAt(frame_->dialogAnchor(), frame_->windowMode());
        if (dialog.exec() == QDialog::Accepted) {
            choice = dialog.choice();
        }
    }
    if (!choice) {
        return false;
    }
    const SaveMapResult result = saveMap(workspace_, *choice, ui_);
    if (!result.saved) {
        return false;
    }
    addRecent(result.path);
    frame_->history().markMapSaved();
    frame_->showDocumentName();
    return true;
}

void MapToolApp::loadNames() {
    if (loadMapNames(workspace_.names, workspace_.document, ui_)) {
        frame_->history().namesReplaced();
    }
    frame_->refreshSetDataDialog();
}

bool MapToolApp::saveNames() {
    if (!saveMapNames(workspace_.names, workspace_.document, ui_)) {
        return false;
    }
    frame_->history().markNamesSaved();
    return true;
}

void MapToolApp::browseNames() {
    browseMapNames(workspace_.names, workspace_.document, ui_);
}

void MapToolApp::miscTools() {
    frame_->flipToDesktop();
    MapEditor& editor = frame_->editor();
    MiscToolsDialog::TerrainChange change;
    if (editor.canEdit()) {
        change = [&editor](int from, int to) { return editor.changeTerrain(from, to); };
    }
    MiscToolsDialog dialog(workspace_.lastOpen, ui_, change, frame_.get());
    dialog.placeAt(frame_->dialogAnchor(), frame_->windowMode());
    dialog.exec();
    // The change was a step of the history, which raised the flag already; a flag
    // only rises here.
    if (dialog.terrainChanged()) {
        workspace_.document.modified = true;
    }
}

void MapToolApp::saveImageAsBmp() {
    maporv::saveImageAsBmp(workspace_.picture, ui_);
}

void MapToolApp::saveImageAsBmpTiles() {
    maporv::saveImageAsBmpTiles(workspace_.picture, ui_);
}

void MapToolApp::saveImageAsS16Tiles() {
    maporv::saveImageAsS16Tiles(workspace_.picture, ui_, workspace_.document.loaded,
                                workspace_.document.mapNumber);
}

} // namespace maporv
