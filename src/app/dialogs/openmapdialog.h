#pragma once

#include "app/dialogs/openmapentries.h"
#include "editing/editsession.h"
#include "picture/mappicture.h"

#include <QDialog>
#include <QPoint>
#include <QSize>
#include <memory>
#include <string>
#include <vector>

namespace Ui {
class OpenMapDialog;
}

namespace maporv {

class UserInterface;

// The Open command's dialog: lists the MAP files of a SCENARIO folder with their map
// numbers and whether their first picture tile is in the MAP folder, by name or by
// number, and previews the selected map's picture. A map without its picture may
// still be opened once the user confirms and picks another picture file.
//
// Use: construct (the folders come from the session's lastOpen and the folder is
// listed at once), placeAt(), exec(). After OK, selectedPath() is the MAP file to
// load, empty when the folder had none, and chosenPicture() is the replacement
// picture the user picked (empty for none), for EditSession::loadWithPicture. The
// dialog leaves the open map alone.
//
// The preview shares the pixel buffer with the map's picture (every MapPicture does):
// the dialog borrows the buffer from the session for as long as it exists, and the
// map's picture comes back when the last lease ends. A caller that loads the chosen
// map holds a lease of its own across the load, so the old picture is not read again
// only to be replaced.
class OpenMapDialog : public QDialog {
    Q_OBJECT

public:
    OpenMapDialog(EditSession& session, UserInterface& ui, QWidget* parent = nullptr);
    ~OpenMapDialog() override;

    // Puts the dialog's top-left corner at anchor (global pixels: the display area's
    // left edge, the top of the editing panel), 48 pixels lower in window mode.
    void placeAt(const QPoint& anchor, bool windowMode);

    // Results.
    const std::string& selectedPath() const { return selectedPath_; }
    bool pictureChosen() const { return !chosenPicture_.empty(); }
    const std::string& chosenPicture() const { return chosenPicture_; }

    // The folders as last read from their edits, ending in a separator.
    const std::string& scenarioFolder() const { return scenarioFolder_; }
    const std::string& mapFolder() const { return mapFolder_; }
    bool sortByNumber() const;
    // The MAP files of the last refresh; emptied when the dialog closes.
    const std::vector<OpenMapEntry>& entries() const { return entries_; }
    // The picture path of the selected map while it is previewed, else empty.
    const std::string& previewPath() const { return previewPath_; }
    // The previewed picture is drawn at this size: 300 / 1920 of the picture's.
    QSize previewSize() const { return previewSize_; }
    const MapPicture& preview() const { return preview_; }
    // Where the preview is drawn, in the dialog's pixels.
    QRect previewArea() const;

    // Lists the folder again and selects the first line.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

public slots:
    // Cancel: no path, and the dialog closes.
    void reject() override;

private:
    void readFolders();
    void showFolders();
    void rebuildLines();
    int selectedEntry() const;
    void showSelected();
    // A browse button: the folders read, the picker, a new folder listed.
    void browse(std::string& folder, int kind, const char* title);
    void load();

    std::unique_ptr<Ui::OpenMapDialog> form_;
    UserInterface& ui_;
    const EditSession::PictureLease lease_;
    MapPicture preview_;

    std::string scenarioFolder_;
    std::string mapFolder_;
    // The folders the entries were found in: an edited folder counts only once it
    // has been listed, so a file name is never joined to a folder it is not in.
    std::string listedScenarioFolder_;
    std::string listedMapFolder_;
    std::vector<OpenMapEntry> entries_;

    std::string previewPath_;
    QSize previewSize_;
    std::string selectedPath_;
    std::string chosenPicture_;
};

} // namespace maporv
