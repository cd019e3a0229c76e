#include "editing/editsession.h"

#include "editing/namescommands.h"
#include "editing/savemap.h"
#include "editing/terrainsuggestion.h"
#include "editing/workrecovery.h"
#include "mapdata/paths.h"

#include <algorithm>

namespace maporv {
namespace {

// What a map read or begun changes: every part but the brush.
constexpr SessionChanges kEverythingLoaded = kMapChanged | kNamesChanged | kSelectionChanged |
                                             kPictureChanged | kDocumentChanged | kMapReplaced;

} // namespace

EditSession::EditSession(UserInterface& ui) : ui_(ui), state_(ui) {
    // The history tells of every step done, undone or redone, and of its clean points.
    state_.history.changed = [this](bool map, bool names) {
        note(kDocumentChanged | (map ? kMapChanged : 0u) | (names ? kNamesChanged : 0u));
    };
}

EditSession::Operation::Operation(EditSession& session, bool strokeGoesOn) : session_(session) {
    if (session_.operations_++ == 0) {
        session_.brushBefore_ = session_.state_.brush;
        if (!strokeGoesOn) {
            session_.finishStroke();
        }
    }
}

EditSession::Operation::~Operation() {
    if (--session_.operations_ == 0) {
        session_.finishOperation();
    }
}

void EditSession::note(SessionChanges what) {
    pending_ |= what;
}

void EditSession::finishOperation() {
    // The editor's commands change the brush in many ways; one look tells them all.
    if (state_.brush != brushBefore_) {
        note(kBrushChanged);
    }
    const SessionChanges what = std::exchange(pending_, 0u);
    if (what == 0) {
        return;
    }
    revisions_.raise(what);
    std::vector<std::uint64_t> told;
    for (const Entry& entry : followers_) {
        told.push_back(entry.id);
    }
    for (const std::uint64_t id : told) {
        const auto it = std::find_if(followers_.begin(), followers_.end(),
                                     [id](const Entry& entry) { return entry.id == id; });
        if (it != followers_.end()) {
            // A copy: the follower may come and go while it runs.
            const Follower follower = it->follower;
            follower(what);
        }
    }
}

EditSession::Following EditSession::follow(Follower follower) const {
    followers_.push_back({++lastFollowerId_, std::move(follower)});
    return Following(*this, lastFollowerId_);
}

void EditSession::unfollow(std::uint64_t id) const {
    std::erase_if(followers_, [id](const Entry& entry) { return entry.id == id; });
}

EditSession::Following::Following(Following&& other) noexcept
    : session_(std::exchange(other.session_, nullptr)), id_(other.id_) {}

EditSession::Following& EditSession::Following::operator=(Following&& other) noexcept {
    if (this != &other) {
        if (session_ != nullptr) {
            session_->unfollow(id_);
        }
        session_ = std::exchange(other.session_, nullptr);
        id_ = other.id_;
    }
    return *this;
}

EditSession::Following::~Following() {
    if (session_ != nullptr) {
        session_->unfollow(id_);
    }
}

EditSession::PictureLease::PictureLease(EditSession& session) : session_(&session) {
    ++session_->leases_;
}

EditSession::PictureLease::~PictureLease() {
    if (session_ != nullptr) {
        session_->returnPictureBuffer();
    }
}

EditSession::PictureLease EditSession::lendPictureBuffer() {
    return PictureLease(*this);
}

void EditSession::returnPictureBuffer() {
    if (--leases_ > 0) {
        return;
    }
    const MapPicture& picture = state_.workspace.picture;
    if (!picture.valid && !picture.path.empty()) {
        const Operation operation(*this);
        if (state_.workspace.restorePicture()) {
            note(kPictureChanged);
        }
    }
}

MapWorkspace::LoadResult EditSession::replaced(MapWorkspace::LoadResult result) {
    if (result.mapReplaced) {
        state_.history.clear();
        note(kEverythingLoaded);
    }
    return result;
}

MapWorkspace::LoadResult EditSession::load(const std::string& path, bool pictureChosen) {
    const Operation operation(*this);
    // A load that reads nothing may still have overwritten the buffer.
    const PictureLease lease = lendPictureBuffer();
    return replaced(state_.workspace.load(path, pictureChosen));
}

MapWorkspace::LoadResult EditSession::loadWithPicture(const std::string& path,
                                                      const std::string& chosenPicture) {
    const Operation operation(*this);
    MapDocument& document = state_.workspace.document;
    const std::string ownPicture = document.picturePath;
    // The load step takes a replacement picture from the document.
    if (!chosenPicture.empty()) {
        document.picturePath = chosenPicture;
    }
    const MapWorkspace::LoadResult result = load(path, !chosenPicture.empty());
    if (!result.mapReplaced) {
        document.picturePath = ownPicture;
    }
    return result;
}

MapWorkspace::LoadResult EditSession::recover(const RecoveryRecord& record) {
    const Operation operation(*this);
    const PictureLease lease = lendPictureBuffer();
    return replaced(recoverWork(state_.workspace, record, ui_));
}

void EditSession::setLastOpen(const std::string& path) {
    const Operation operation(*this);
    state_.workspace.lastOpen = path;
    state_.workspace.gameFolder = parentFolder(path);
    note(kDocumentChanged);
}

void EditSession::rebuildInfoText() {
    const Operation operation(*this);
    state_.workspace.rebuildInfoText();
    note(kDocumentChanged);
}

bool EditSession::select(int row, int column, bool gridReady, bool shift, bool ctrl) {
    const Operation operation(*this);
    const bool acted = state_.selection.select(row, column, gridReady, shift, ctrl);
    if (acted) {
        note(kSelectionChanged);
    }
    return acted;
}

void EditSession::clearSelection() {
    const Operation operation(*this);
    state_.selection.clear();
    note(kSelectionChanged);
}

void EditSession::setBrush(const Brush& brush) {
    const Operation operation(*this);
    state_.brush = brush;
}

void EditSession::setSetDataDialogOpener(std::function<void()> open) {
    state_.editor.openSetDataDialog = std::move(open);
}

bool EditSession::undo() {
    const Operation operation(*this);
    return state_.history.undo();
}

bool EditSession::redo() {
    const Operation operation(*this);
    return state_.history.redo();
}

bool EditSession::perform(EditStep step) {
    const Operation operation(*this);
    return state_.history.perform(std::move(step));
}

SuggestTerrainOutcome EditSession::suggestTerrain() {
    const Operation operation(*this);
    MapWorkspace& workspace = state_.workspace;
    return suggestTerrainFromPicture(workspace.document, workspace.picture, state_.history);
}

SaveMapResult EditSession::saveMap(const SaveMapChoice& choice) {
    const Operation operation(*this);
    MapWorkspace& workspace = state_.workspace;
    const bool pictureBefore = workspace.picture.valid;
    const SaveMapResult result = maporv::saveMap(workspace, choice, ui_);
    // Cutting the tiles brings a borrowed picture back first.
    if (workspace.picture.valid != pictureBefore) {
        note(kPictureChanged);
    }
    if (result.saved) {
        state_.history.markMapSaved();
        // The number, the paths and the info text follow the file written.
        note(kMapChanged | kDocumentChanged);
    }
    return result;
}

bool EditSession::loadNames() {
    const Operation operation(*this);
    MapWorkspace& workspace = state_.workspace;
    if (!loadMapNames(workspace.names, workspace.document, ui_)) {
        return false;
    }
    state_.history.namesReplaced();
    note(kNamesChanged | kDocumentChanged);
    return true;
}

bool EditSession::saveNames() {
    const Operation operation(*this);
    MapWorkspace& workspace = state_.workspace;
    if (!saveMapNames(workspace.names, workspace.document, ui_)) {
        return false;
    }
    state_.history.markNamesSaved();
    return true;
}

void EditSession::change(SessionChanges what, const std::function<void(MapWorkspace&)>& apply) {
    const Operation operation(*this);
    apply(state_.workspace);
    note(what);
}

} // namespace maporv
