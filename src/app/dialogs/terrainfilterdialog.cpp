#include "app/dialogs/terrainfilterdialog.h"

#include "app/forms/dialogplacement.h"
#include "app/forms/dialogunits.h"
#include "ui_terrainfilterdialog.h"

#include <QCheckBox>
#include <QPixmap>

namespace maporv {

TerrainFilterDialog::TerrainFilterDialog(const TerrainFilter& filter, bool showLabels,
                                         QWidget* parent)
    : QDialog(parent), form_(std::make_unique<Ui::TerrainFilterDialog>()), filter_(filter),
      showLabels_(showLabels) {
    form_->setupUi(this);
    DialogUnits::convertForm(this);
    // The column of codes, names and icons, one row beside each box; the label
    // scales it into its rectangle.
    form_->terrainColumn->setPixmap(QPixmap(QStringLiteral(":/bitmaps/151.bmp")));
    boxes_ = {
        form_->terrainCheck0,  form_->terrainCheck1,  form_->terrainCheck2,  form_->terrainCheck3,
        form_->terrainCheck4,  form_->terrainCheck5,  form_->terrainCheck6,  form_->terrainCheck7,
        form_->terrainCheck8,  form_->terrainCheck9,  form_->terrainCheck10, form_->terrainCheck11,
        form_->terrainCheck12, form_->terrainCheck13, form_->terrainCheck14, form_->terrainCheck15,
        form_->terrainCheck16, form_->terrainCheck17, form_->terrainCheck18, form_->terrainCheck19};

    connect(form_->setAllButton, &QPushButton::clicked, this, [this] { setAll(); });
    connect(form_->resetAllButton, &QPushButton::clicked, this, [this] { resetAll(); });
    connect(form_->okButton, &QPushButton::clicked, this, [this] { accept(); });
    connect(form_->cancelButton, &QPushButton::clicked, this, [this] { reject(); });

    setBoxes(filter_);
    form_->labelsCheck->setChecked(showLabels_);
}

TerrainFilterDialog::~TerrainFilterDialog() = default;

void TerrainFilterDialog::placeAt(const QPoint& anchor, bool windowMode) {
    placeAtAnchor(*this, anchor, windowMode);
}

void TerrainFilterDialog::setBoxes(const TerrainFilter& filter) {
    for (std::size_t code = 0; code < boxes_.size(); ++code) {
        boxes_[code]->setChecked(filter[code]);
    }
}

void TerrainFilterDialog::setAll() {
    TerrainFilter all;
    all.fill(true);
    // Every type but Clear, the plain ground most hexes have.
    all[0] = false;
    setBoxes(all);
}

void TerrainFilterDialog::resetAll() {
    setBoxes(TerrainFilter{});
}

void TerrainFilterDialog::accept() {
    for (std::size_t code = 0; code < boxes_.size(); ++code) {
        filter_[code] = boxes_[code]->isChecked();
    }
    showLabels_ = form_->labelsCheck->isChecked();
    QDialog::accept();
}

} // namespace maporv
