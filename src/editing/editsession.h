#pragma once

#include "editing/editstate.h"
#include "editing/paintstroke.h"
#include "editing/roadstroke.h"
#include "editing/selectstroke.h"
#include "editing/sessionchange.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace maporv {

class UserInterface;
struct RecoveryRecord;
struct SaveMapChoice;
struct SaveMapResult;
struct SuggestRoadsOutcome;
struct SuggestTerrainOutcome;

// The open map's editing session: the one owner of the workspace (document, names,
// picture, paths), the brush, the selection and its anchor, the edit history and the
// editor's commands. Everyone reads them through the session; every change goes
// through one of its operations which, once it is complete, raises the revisions of
// what it changed and tells the followers in one notice what that was. So the main
// window, the tool windows and the recovery record follow the map without anyone
// calling them after a change.
//
// Strokes of the mouse change the map or the selection as the pointer moves and tell
// the followers at every move; every other operation ends a running stroke first.
//
// The shared picture buffer is lent out (lendPictureBuffer) to whatever previews a
// picture: when the last lease ends the map's own picture is back in it.
class EditSession {
public:
    explicit EditSession(UserInterface& ui);
    EditSession(const EditSession&) = delete;
    EditSession& operator=(const EditSession&) = delete;

    const MapWorkspace& workspace() const { return state_.workspace; }
    const Brush& brush() const { return state_.brush; }
    const Selection& selection() const { return state_.selection; }
    const EditHistory& history() const { return state_.history; }
    const MapEditor& editor() const { return state_.editor; }
    const SessionRevisions& revisions() const { return revisions_; }

    // Followers hear of every change once it is complete, in the order they came. A
    // follower may come, go or change the session meanwhile; those there when the change
    // was complete hear of it. The session outlives its followers.
    using Follower = std::function<void(SessionChanges)>;
    class Following {
    public:
        Following() = default;
        Following(Following&& other) noexcept;
        Following& operator=(Following&& other) noexcept;
        // Stops following.
        ~Following();

    private:
        friend class EditSession;
        Following(const EditSession& session, std::uint64_t id) : session_(&session), id_(id) {}

        const EditSession* session_ = nullptr;
        std::uint64_t id_ = 0;
    };
    [[nodiscard]] Following follow(Follower follower) const;

    // The shared pixel buffer lent to a preview. When the last lease ends, the map's
    // picture is read again from its path if another picture took the buffer meanwhile
    // (a picture change); a map loaded meanwhile keeps its own.
    class PictureLease {
    public:
        PictureLease(PictureLease&& other) noexcept : session_(std::exchange(other.session_, {})) {}
        PictureLease& operator=(PictureLease&&) = delete;
        ~PictureLease();

    private:
        friend class EditSession;
        explicit PictureLease(EditSession& session);

        EditSession* session_;
    };
    [[nodiscard]] PictureLease lendPictureBuffer();

    // The load step of every opening command (MapWorkspace::load). A map read or begun
    // starts a new edit history and is a kMapReplaced change; a load that read nothing
    // changes nothing.
    MapWorkspace::LoadResult load(const std::string& path, bool pictureChosen = false);
    // Open: a MAP file with the picture the user picked in place of its own (none: its
    // own). The document keeps that picture only when the map loads.
    MapWorkspace::LoadResult loadWithPicture(const std::string& path,
                                             const std::string& chosenPicture);
    // A recovery record's work (recoverWork), with a new history from there.
    MapWorkspace::LoadResult recover(const RecoveryRecord& record);
    // The last loaded file or folder pattern; the game folder follows it.
    void setLastOpen(const std::string& path);
    void rebuildInfoText();

    // Selection::select and Selection::clear. select is true when it acted.
    bool select(int row, int column, bool gridReady, bool shift, bool ctrl);
    void clearSelection();

    // The brush as the on-screen panel or the Set data dialog set it.
    void setBrush(const Brush& brush);
    // The panel's heading (its action 12) opens the Set data dialog through this.
    void setSetDataDialogOpener(std::function<void()> open);

    // One of the editor's commands, with its arguments: edit(&MapEditor::setTerrain, at).
    template <typename Command, typename... Arguments>
    decltype(auto) edit(Command&& command, Arguments&&... arguments) {
        const Operation operation(*this);
        return std::invoke(std::forward<Command>(command), state_.editor,
                           std::forward<Arguments>(arguments)...);
    }

    // The edit history: undo, redo, and a step made elsewhere (map check mends).
    bool undo();
    bool redo();
    bool perform(EditStep step);
    // Suggest Terrain (suggestTerrainFromPicture) as one step.
    SuggestTerrainOutcome suggestTerrain();
    // Suggest Roads (suggestRoadsFromPicture) as one step: the roads of the selected
    // hexes of the map area or, with none selected, of the hexes without roads.
    SuggestRoadsOutcome suggestRoads();

    // The hexes strokes, fills and region selections keep to: what the picture
    // reaches, the whole cell grid without a picture.
    HexExtent mapArea() const;

    // Strokes of the mouse: a button held on the map while the pointer moves. The
    // press does what a click does; every hex the pointer enters after it goes to
    // strokeTo, which changes the map or the selection at once and tells the
    // followers, so each frame shows the stroke so far. A stroke of the map is one
    // step of the history from its first changed hex on, when map-modified rises, and
    // grows there as it goes; endStroke ends it. A stroke that changed nothing
    // records nothing. Any other operation ends a running stroke first, so nothing
    // else touches the history while one runs.
    //
    // The right button: Set Data where a right click sets it (on the selection, else
    // at the cursor), then on every hex entered (PaintStroke); nothing without a
    // current hex or a map.
    void beginPaintStroke(const EditCursor& at);
    // The middle button (or the left one while Draw Roads is on): every hex entered
    // joined to the one before, or with remove their joint taken away (RoadStroke);
    // nothing without a map.
    void beginRoadStroke(HexCoord hex, bool remove);
    // The left button: select as a click does (select), then paint the selection
    // (SelectStroke); nothing before the grid is ready or off the grid. True when the
    // press's selection acted.
    bool beginSelectStroke(HexCoord hex, bool gridReady, bool shift, bool ctrl);
    void strokeTo(HexCoord hex);
    void endStroke();
    bool strokeRunning() const { return stroke_.has_value(); }

    // Fill Region: the brush's terrain and roads word, as Set Data writes them, onto
    // the current hex and the hexes joined to it through its terrain in the map area
    // (connectedRegion), as one step. More than kFillAskAbove hexes ask first ("Fill
    // 1,234 hexes with Forest?"). The number of hexes changed.
    int fillRegion(const EditCursor& at);
    // Select Region: the same hexes become the selection; their number.
    int selectRegion(const EditCursor& at);

    // The save map dialog's choice applied (saveMap); the map is clean where it stands.
    SaveMapResult saveMap(const SaveMapChoice& choice);
    // Load MapNames and Save MapNames (namescommands.h), with the history following.
    bool loadNames();
    bool saveNames();

    // A change no operation above makes (a tool's or a test's own): apply changes the
    // workspace, what names the parts it touches.
    void change(SessionChanges what, const std::function<void(MapWorkspace&)>& apply);

private:
    // Every operation is one; the outermost tells the followers what they all changed.
    // It ends a running stroke first, unless it goes on with it.
    class Operation {
    public:
        explicit Operation(EditSession& session, bool strokeGoesOn = false);
        ~Operation();
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

    private:
        EditSession& session_;
    };

    // What the operation changed: once it ends, its revisions are raised and the
    // followers told.
    void note(SessionChanges what);
    void finishOperation();
    // The running stroke's changes so far as the newest step of the history.
    void recordStroke();
    // The running stroke ends; what it changed is one step already.
    void finishStroke();
    // The connected hexes of the current hex's terrain; none without a current hex.
    std::vector<HexCoord> regionAt(const EditCursor& at) const;
    void unfollow(std::uint64_t id) const;
    void returnPictureBuffer();
    MapWorkspace::LoadResult replaced(MapWorkspace::LoadResult result);

    UserInterface& ui_;
    EditState state_;
    SessionRevisions revisions_;
    int operations_ = 0;
    SessionChanges pending_ = 0;
    Brush brushBefore_;
    int leases_ = 0;
    std::optional<std::variant<PaintStroke, RoadStroke, SelectStroke>> stroke_;
    // The running stroke's step is in the history.
    bool strokeRecorded_ = false;

    struct Entry {
        std::uint64_t id;
        Follower follower;
    };
    mutable std::vector<Entry> followers_;
    mutable std::uint64_t lastFollowerId_ = 0;
};

} // namespace maporv
