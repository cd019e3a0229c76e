// The main window's editing: selection, terrain steps, the panel's hot spots, undo
// and redo, and the two dialogs that edit the brush and the view's terrain marks.

#include "app/dialogs/terrainfilterdialog.h"
#include "app/toolwindows/setdatadialog.h"
#include "app/window/framesurface.h"
#include "app/window/mapframe.h"
#include "app/window/pauseflags.h"

#include <QDialog>

namespace maporv {

EditCursor MapFrame::editCursor() const {
    const CurrentHex& current = view_.currentHex;
    return {grid_.cursor.row, grid_.cursor.column, hasCurrentHex(), current.row, current.column};
}

void MapFrame::select(bool shift, bool ctrl) {
    session_.select(grid_.cursor.row, grid_.cursor.column, view_.gridReady, shift, ctrl);
}

void MapFrame::stepTerrain(bool up) {
    if (setDataDialog_ != nullptr) {
        if (up) {
            setDataDialog_->stepTerrainUp();
        } else {
            setDataDialog_->stepTerrainDown();
        }
    } else {
        session_.edit(up ? &MapEditor::stepTerrainUp : &MapEditor::stepTerrainDown, editCursor());
    }
}

void MapFrame::rightMenuAction(int index) {
    // Add and Edit ask for a name: no frames meanwhile.
    const bool prompts = index == kMenuAddName || index == kMenuEditName;
    if (prompts) {
        setPauseBit(kPauseNamePrompt, true);
    }
    session_.edit(&MapEditor::rightMenuAction, index);
    if (prompts) {
        setPauseBit(kPauseNamePrompt, false);
    }
}

void MapFrame::toggleSetDataDialog() {
    if (setDataDialog_ != nullptr) {
        closeSetDataDialog();
        return;
    }
    if (!windowMode()) {
        return;
    }
    auto* dialog = new SetDataDialog(session_, this);
    dialog->setPauseHook([this](bool on) { setPauseBit(kPauseNamePrompt, on); });
    connect(dialog, &SetDataDialog::dismissed, this, [this] {
        setDataDialog_ = nullptr;
        view_.setDataDialogOpen = false;
    });
    setDataDialog_ = dialog;
    view_.setDataDialogOpen = true;
    // T, R, D and N set what the dialog shows.
    showToolWindow(*dialog);
}

void MapFrame::showToolWindow(ToolWindow& window) {
    window.setFocusTarget(surface_);
    const Rect& area = view_.screenRect;
    window.placeAt(QRect(area.left, area.top, area.width(), area.height()));
    // The keys stay with the map.
    window.setAttribute(Qt::WA_ShowWithoutActivating);
    window.show();
}

bool MapFrame::setDataDialogOpen() const {
    return setDataDialog_ != nullptr;
}

SetDataDialog* MapFrame::setDataDialog() const {
    return setDataDialog_;
}

void MapFrame::closeSetDataDialog() {
    if (setDataDialog_ != nullptr) {
        setDataDialog_->close();
    }
}

void MapFrame::filterTerrain() {
    flipToDesktop();
    TerrainFilterDialog dialog(view_.terrainFilter, view_.showLabels, this);
    dialog.placeAt(dialogAnchor(), windowMode());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    view_.terrainFilter = dialog.terrainFilter();
    view_.showLabels = dialog.showLabels();
    view_.setToggle(kToggleTerrain, 1);
}

} // namespace maporv
