#pragma once

#include "app/toolwindows/toolwindow.h"
#include "editing/editsession.h"

#include <QRect>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>

class QCheckBox;

namespace Ui {
class SetDataDialog;
}

namespace maporv {

// The Set data tool window: shows and edits the Brush (terrain, the six road
// directions, also as a number, and the name entry) and adds or renames names. A
// modeless frameless tool window beside the map, the windowed stand-in for the
// on-screen panel. After every change it hands the keyboard focus back to the main
// window, so that T, R, D and N keep working there.
//
// Use (window mode only; the window keeps a QPointer to it, one at most):
//   auto* dialog = new SetDataDialog(session, mainWindow);
//   dialog->setFocusTarget(viewWidget);              // gets the focus back
//   dialog->setPauseHook([&](bool on) { ... });      // pause bit 0x20 while prompting
//   connect(dialog, &SetDataDialog::dismissed, ...); // panel back, menu check off
//   dialog->placeAt(displayArea);                    // the display area, global pixels
//   dialog->show();
// "+" / "-" in the main window call stepTerrainUp() / stepTerrainDown(). The Set Data
// Dialog command while it is open calls close().
//
// It follows the session: whenever the brush or the names change elsewhere (a map or
// a names file loaded, undo, redo, the Get and Clear commands) it refreshes, giving
// the focus back. Its own changes go through the session and leave it as it is.
//
// Close, ESC and close() end the window (see ToolWindow).
//
// Add and Edit go through MapEditor::addName() / editName(), so a new or renamed
// name is one undoable step and raises the names' modified flag.
class SetDataDialog : public ToolWindow {
    Q_OBJECT

public:
    explicit SetDataDialog(EditSession& session, QWidget* parent = nullptr);
    ~SetDataDialog() override;

    // Called with true before the name prompt opens and with false after it closed,
    // so that the window stops rendering meanwhile.
    void setPauseHook(std::function<void(bool)> hook) { pauseHook_ = std::move(hook); }

    // Puts the window's top-right corner at the top-right corner of displayArea
    // (global pixels: the window's client area in screen coordinates). Size unchanged.
    void placeAt(const QRect& displayArea) override;
    // The number field keeps what types and edits a number, and Enter, which takes it.
    bool keepsKey(const QKeyEvent& key) const override;

    // Fills every control from the Brush and rebuilds the name list; with moveFocus
    // the focus goes back to the main window afterwards.
    void refresh(bool moveFocus);

    // "+" / "-" typed in the main window: the terrain selection one up (above 18 it
    // wraps to 0) or one down (0 or less wraps to 19), into the Brush.
    void stepTerrainUp();
    void stepTerrainDown();

    // The controls' values: the selection indexes (-1 for none) and the roads word
    // shown in the number field.
    int terrainIndex() const;
    int nameIndex() const;
    int roadValue() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct RoadBox {
        QCheckBox* box;
        std::uint16_t bit;
    };

    void fillTerrainList();
    void rebuildNameList();
    void readCombos();
    void roadBoxClicked();
    void roadNumberLeft();
    void setRoadBoxes(int roads);
    void showRoadValue(int roads);
    void setTerrain(int code);
    void addName();
    void editName();
    void pause(bool on);
    // The brush with one part changed, through the session.
    template <typename Part>
    void setBrush(Part Brush::*part, std::type_identity_t<Part> value);

    std::unique_ptr<Ui::SetDataDialog> form_;
    EditSession& session_;
    std::function<void(bool)> pauseHook_;
    std::array<RoadBox, 6> roadBoxes_{};
    // The dialog's own change is under way: the session's notice of it changes nothing
    // here.
    bool changing_ = false;
    EditSession::Following following_;
};

} // namespace maporv
