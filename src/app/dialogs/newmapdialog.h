#pragma once

#include "app/dialogs/newmapentries.h"
#include "editing/editsession.h"
#include "picture/mappicture.h"

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <memory>
#include <string>
#include <vector>

namespace Ui {
class NewMapDialog;
}

namespace maporv {

class UserInterface;

// The New Map command's dialog: lists the map pictures of a folder (S16 tile sets,
// SHP sets of the sibling game, or BMP files), previews the selected one at reduced
// size and returns the path of its file, from which the load step starts a new map.
//
// Use: construct (the folder, parentFolder(lastOpen) + "MAP/", is listed for S16
// sets at once and the first entry previewed), placeAt(), exec(). After Accepted,
// chosenPath() is the picture to pass to EditSession::load(chosenPath(), true); it
// is empty when the folder had nothing, which the load step reads as the last opened
// file. After Rejected it is empty.
//
// The preview is a second MapPicture and shares the one pixel buffer with the map's
// picture: the dialog borrows the buffer from the session for as long as it exists,
// and the map's picture comes back when the last lease ends (a caller that loads the
// chosen picture holds one across the load).
//
// The folder edit is read at the next radio click or browse; typing alone does not
// list the folder again.
class NewMapDialog : public QDialog {
    Q_OBJECT

public:
    NewMapDialog(EditSession& session, UserInterface& ui, QWidget* parent = nullptr);
    ~NewMapDialog() override;

    // Puts the dialog's top-left corner at anchor (global pixels: the main window's
    // dialog anchor), 48 pixels lower in window mode. The size stays.
    void placeAt(const QPoint& anchor, bool windowMode);

    // The result: the picture file of the entry chosen by LOAD; between times the
    // file of the entry being previewed.
    const std::string& chosenPath() const { return chosenPath_; }

    // The fields as last read from the controls.
    const std::string& folder() const { return folder_; }
    // NewMapKind of the radio buttons.
    int kind() const { return kind_; }
    bool fitToFrame() const { return fitToFrame_; }

    // The entries of the last listing, in list order.
    const std::vector<NewMapEntry>& entries() const { return entries_; }
    const MapPicture& preview() const { return preview_; }
    // The preview is drawn at previewOrigin() (the frame's top-left corner plus 3
    // pixels each way, in the dialog's pixels) with previewSize().
    QSize previewSize() const { return previewSize_; }
    QPoint previewOrigin() const;

    // Lists the folder for the kind again, selects the first entry and previews it.
    void fillList();

public slots:
    // Cancel: no path, and the dialog closes.
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void alignTicks();
    void readControls();
    void showFolder();
    int selectedEntry() const;
    std::string selectedPath() const;
    void loadPreview();
    void resizePreview();
    void browse();
    void load();

    std::unique_ptr<Ui::NewMapDialog> form_;
    UserInterface& ui_;
    const EditSession::PictureLease lease_;
    MapPicture preview_;

    std::string folder_;
    int kind_ = NewMapKind::S16;
    bool fitToFrame_ = false;
    // The folder and kind the entries were listed for: a folder typed since then
    // counts only once it has been listed, so a name never joins a folder it is not in.
    std::string listedFolder_;
    int listedKind_ = NewMapKind::S16;
    std::vector<NewMapEntry> entries_;

    std::string chosenPath_;
    QSize previewSize_{330, 330};
};

} // namespace maporv
