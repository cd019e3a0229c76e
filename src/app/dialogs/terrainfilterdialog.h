#pragma once

#include "mapdata/terraintype.h"

#include <QDialog>
#include <QPoint>
#include <array>
#include <memory>

class QCheckBox;

namespace Ui {
class TerrainFilterDialog;
}

namespace maporv {

// Which terrain types the map view marks: one flag per terrain code.
using TerrainFilter = std::array<bool, kTerrainTypeCount>;

// The Filter Terrain command's dialog: chooses the terrain types the view marks and
// whether with text labels instead of icons.
//
// Use: construct from the view's terrainFilter and showLabels, placeAt(), exec().
// After Accepted, terrainFilter() and showLabels() hold the choice: the caller
// copies them into the view and switches Show Terrain Types on (flag and button).
// After Rejected they are still the values the dialog was given.
class TerrainFilterDialog : public QDialog {
    Q_OBJECT

public:
    TerrainFilterDialog(const TerrainFilter& filter, bool showLabels, QWidget* parent = nullptr);
    ~TerrainFilterDialog() override;

    // Puts the dialog's top-left corner at anchor (global pixels: the main window's
    // dialog anchor), 48 pixels lower in window mode.
    void placeAt(const QPoint& anchor, bool windowMode);

    const TerrainFilter& terrainFilter() const { return filter_; }
    bool showLabels() const { return showLabels_; }

    // "Set All": every type but Clear; "Reset All": none. The label switch stays.
    void setAll();
    void resetAll();

public slots:
    // OK: the boxes become the result.
    void accept() override;

private:
    void setBoxes(const TerrainFilter& filter);

    std::unique_ptr<Ui::TerrainFilterDialog> form_;
    std::array<QCheckBox*, kTerrainTypeCount> boxes_{};
    TerrainFilter filter_{};
    bool showLabels_ = true;
};

} // namespace maporv
