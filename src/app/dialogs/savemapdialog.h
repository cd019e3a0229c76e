#pragma once

#include "app/dialogs/savemapentries.h"
#include "editing/savemap.h"

#include <QDialog>
#include <QPoint>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Ui {
class SaveMapDialog;
}

namespace maporv {

class MapDocument;
class UserInterface;

// The Save command's dialog: where the map goes (the SCENARIO folder and the file
// name), under which map number, and whether its picture is cut into S16 tiles. To
// help choose a free or matching number it lists the MAP files of the folder with
// their numbers and the picture sets whose first tile is in the S16 folder.
//
// Use: construct from the document and lastOpen (the folders are listed and the
// picture checked at once), placeAt(), exec(). After OK, choice() goes to saveMap()
// (editing/savemap.h), which writes the map; Cancel writes nothing and, in the exit
// flow and before Open and New, cancels the whole action. It opens with the file name
// selected: a name typed and Enter save the map under that name.
class SaveMapDialog : public QDialog {
    Q_OBJECT

public:
    SaveMapDialog(const MapDocument& document, const std::string& lastOpen, UserInterface& ui,
                  QWidget* parent = nullptr);
    ~SaveMapDialog() override;

    // Puts the dialog's top-left corner at anchor (global pixels: the main window's
    // dialog anchor), 48 pixels lower in window mode.
    void placeAt(const QPoint& anchor, bool windowMode);

    // The fields, as last read from the controls.
    SaveMapChoice choice() const;
    // The dialog's file result: mapFolder + fileName, no extension added.
    std::string filePath() const { return mapFolder_ + fileName_; }
    std::int16_t mapNumber() const { return mapNumber_; }
    const std::string& fileName() const { return fileName_; }
    const std::string& mapFolder() const { return mapFolder_; }
    const std::string& s16Folder() const { return s16Folder_; }
    bool sortByNumber() const { return sortByNumber_; }
    bool createS16() const { return createS16_; }

    // The MAP files of the last refresh; emptied when the dialog closes.
    const std::vector<MapListEntry>& entries() const { return entries_; }
    int filledCount() const { return filled_; }

    // Lists both folders again.
    void refreshLists();
    // Whether the map's first tile is in the S16 folder already: then "Pic Ok" and
    // no tiles to create.
    void checkPicture();

public slots:
    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readFields();
    void showFields();
    void rebuildMapLines();
    int selectedEntry() const;
    void selectMatchingPicture();
    // A browse button: the fields read, the picker, a new folder listed. True when a
    // folder was chosen.
    bool browse(std::string& folder, int kind, const char* title);

    std::unique_ptr<Ui::SaveMapDialog> form_;
    UserInterface& ui_;

    std::int16_t mapNumber_ = 0;
    std::string fileName_;
    std::string s16Folder_;
    std::string mapFolder_;
    bool sortByNumber_ = true;
    bool createS16_ = false;

    std::vector<MapListEntry> entries_;
    int filled_ = 0;
    bool closed_ = false;
};

} // namespace maporv
