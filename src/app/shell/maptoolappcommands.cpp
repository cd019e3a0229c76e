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
    // Until the load is done: without a new map the previews' pixels give way to the
    // current map's picture again.
    const EditSession::PictureLease lease = session_.lendPictureBuffer();
    std::optional<std::string> path;
    frame_->flipToDesktop();
    {
        NewMapDialog dialog(session_, ui_, frame_.get());
        dialog.placeAt(frame_->dialogAnchor(), frame_->windowMode());
        if (dialog.exec() == QDialog::Accepted) {
            path = dialog.chosenPath();
        }
    }
    // An empty path is the last opened file.
    if (path) {
        load(*path, true);
    }
}

void MapToolApp::fileOpen() {
    if (!saveAllModified()) {
        return;
    }
    // The previews borrow the shared pixel buffer until the load is done: without a
    // new map the current map's picture goes back into it.
    const EditSession::PictureLease lease = session_.lendPictureBuffer();
    std::string path;
    std::string chosenPicture;
    frame_->flipToDesktop();
    {
        OpenMapDialog dialog(session_, ui_, frame_.get());
        dialog.placeAt(frame_->dialogAnchor(), frame_->windowMode());
        if (dialog.exec() == QDialog::Accepted) {
            path = dialog.selectedPath();
            chosenPicture = dialog.chosenPicture();
        }
    }
    // A load that reads nothing leaves the open map as it was, its own picture included.
    if (!path.empty() && session_.loadWithPicture(path, chosenPicture).mapReplaced) {
        addRecent(loadedFile(session_.workspace(), path));
    }
}

void MapToolApp::openLast() {
    if (session_.workspace().lastOpen.empty() || !saveAllModified()) {
        return;
    }
    const std::string path = session_.workspace().lastOpen;
    if (load(path, false)) {
        addRecent(loadedFile(session_.workspace(), path));
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
    const MapWorkspace& workspace = session_.workspace();
    if (!workspace.document.loaded) {
        return false;
    }
    std::optional<SaveMapChoice> choice;
    frame_->flipToDesktop();
    {
        SaveMapDialog dialog(workspace.document, workspace.lastOpen, ui_, frame_.get());
        dialog.placeAt(frame_->dialogAnchor(), frame_->windowMode());
        if (dialog.exec() == QDialog::Accepted) {
            choice = dialog.choice();
        }
    }
    if (!choice) {
        return false;
    }
    const SaveMapResult result = session_.saveMap(*choice);
    if (!result.saved) {
        return false;
    }
    addRecent(result.path);
    return true;
}

void MapToolApp::loadNames() {
    session_.loadNames();
}

bool MapToolApp::saveNames() {
    return session_.saveNames();
}

void MapToolApp::browseNames() {
    browseMapNames(session_.workspace().names, session_.workspace().document, ui_);
}

void MapToolApp::miscTools() {
    frame_->flipToDesktop();
    // The change is one step of the history, which raises the map's modified flag.
    MiscToolsDialog::TerrainChange change;
    if (session_.editor().canEdit()) {
        change = [this](int from, int to) {
            return session_.edit(&MapEditor::changeTerrain, from, to);
        };
    }
    MiscToolsDialog dialog(session_.workspace().lastOpen, ui_, change, frame_.get());
    dialog.placeAt(frame_->dialogAnchor(), frame_->windowMode());
    dialog.exec();
}

void MapToolApp::saveImageAsBmp() {
    maporv::saveImageAsBmp(session_.workspace().picture, ui_);
}

void MapToolApp::saveImageAsBmpTiles() {
    maporv::saveImageAsBmpTiles(session_.workspace().picture, ui_);
}

void MapToolApp::saveImageAsS16Tiles() {
    const MapWorkspace& workspace = session_.workspace();
    maporv::saveImageAsS16Tiles(workspace.picture, ui_, workspace.document.loaded,
                                workspace.document.mapNumber);
}

} // namespace maporv
