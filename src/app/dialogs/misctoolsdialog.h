#pragma once

#include "editing/misctoolsmodel.h"

#include <QDialog>
#include <QPoint>
#include <functional>
#include <memory>
#include <string>

namespace Ui {
class MiscToolsDialog;
}

namespace maporv {

class UserInterface;

// The Misc. Tools dialog: the global terrain change over the map being edited, and
// the report of the MAP files of a SCENARIO folder, sorted by name, by number or
// both. The state and the actions are the MiscToolsModel's; the dialog binds the
// controls to it.
//
// Use: construct with lastOpen (the folder defaults to the SCENARIO folder beside
// it and is scanned at once) and the change function, placeAt(), exec(). The change
// function changes every hex of terrain `from` to `to`, shows its message and
// returns the count; the application passes the session's undoable one, a step of
// the history that raises the map's modified flag itself:
//   [&session](int from, int to) { return session.edit(&MapEditor::changeTerrain, from, to); }
// With no map loaded it passes none, and "Make Changes" is disabled.
class MiscToolsDialog : public QDialog {
    Q_OBJECT

public:
    using TerrainChange = std::function<int(int from, int to)>;

    MiscToolsDialog(const std::string& lastOpen, UserInterface& ui, TerrainChange change,
                    QWidget* parent = nullptr);
    ~MiscToolsDialog() override;

    // Puts the dialog's top-left corner at anchor (global pixels: the main window's
    // dialog anchor), 48 pixels lower in window mode.
    void placeAt(const QPoint& anchor, bool windowMode);

    // A terrain change touched the map while the dialog was open.
    bool terrainChanged() const { return model_.terrainChanged; }
    // The fields as last read from the controls, and the maps found.
    const MiscToolsModel& model() const { return model_; }

public slots:
    // Close and ESC: the collection is emptied.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readFields();
    void showFields();
    void showList();
    void makeChanges();
    void browseFolder();
    void folderLeft();
    void chooseMode(int mode);
    void browseReportFile();
    void report();

    std::unique_ptr<Ui::MiscToolsDialog> form_;
    UserInterface& ui_;
    TerrainChange change_;
    MiscToolsModel model_;
    bool closing_ = false;
};

} // namespace maporv
