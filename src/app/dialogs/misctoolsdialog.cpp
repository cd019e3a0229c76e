#include "app/dialogs/misctoolsdialog.h"

#include "app/forms/columnfont.h"
#include "app/forms/dialogplacement.h"
#include "app/forms/dialogunits.h"
#include "display/textconversion.h"
#include "mapdata/terraintype.h"
#include "mapdata/userinterface.h"
#include "ui_misctoolsdialog.h"

#include <QFocusEvent>

namespace maporv {

MiscToolsDialog::MiscToolsDialog(const std::string& lastOpen, UserInterface& ui,
                                 TerrainChange change, QWidget* parent)
    : QDialog(parent), form_(std::make_unique<Ui::MiscToolsDialog>()), ui_(ui),
      change_(std::move(change)) {
    form_->setupUi(this);
    DialogUnits::convertForm(this);
    // The longest line, a report line by name: 31 characters of name, 4 of number.
    useColumnFont(*form_->mapList, 35);
    // In code order, so that a selection index is a terrain code.
    for (int code = 0; code < kTerrainTypeCount; ++code) {
        form_->fromCombo->addItem(QString::fromLatin1(terrainName(code)));
        form_->toCombo->addItem(QString::fromLatin1(terrainName(code)));
    }

    // Without a map (an empty change function) there is nothing to change.
    form_->changeButton->setEnabled(static_cast<bool>(change_));
    form_->folderEdit->installEventFilter(this);
    connect(form_->changeButton, &QPushButton::clicked, this, [this] { makeChanges(); });
    connect(form_->folderBrowseButton, &QPushButton::clicked, this, [this] { browseFolder(); });
    connect(form_->folderEdit, &QLineEdit::returnPressed, this, [this] { folderLeft(); });
    connect(form_->nameRadio, &QRadioButton::clicked, this,
            [this] { chooseMode(ReportMode::ByName); });
    connect(form_->numberRadio, &QRadioButton::clicked, this,
            [this] { chooseMode(ReportMode::ByNumber); });
    connect(form_->bothRadio, &QRadioButton::clicked, this,
            [this] { chooseMode(ReportMode::Both); });
    connect(form_->reportFileBrowseButton, &QPushButton::clicked, this,
            [this] { browseReportFile(); });
    connect(form_->reportButton, &QPushButton::clicked, this, [this] { report(); });
    connect(form_->closeButton, &QPushButton::clicked, this, [this] { reject(); });

    model_.open(lastOpen, ui_);
    showFields();
    showList();
}

MiscToolsDialog::~MiscToolsDialog() = default;

void MiscToolsDialog::placeAt(const QPoint& anchor, bool windowMode) {
    placeAtAnchor(*this, anchor, windowMode);
}

// The folder is not read here: it is taken when its edit is left or browsed, so
// the report always names the folder its maps come from.
void MiscToolsDialog::readFields() {
    model_.fromTerrain = form_->fromCombo->currentIndex();
    model_.toTerrain = form_->toCombo->currentIndex();
    model_.reportMode = form_->nameRadio->isChecked()   ? ReportMode::ByName
                        : form_->bothRadio->isChecked() ? ReportMode::Both
                                                        : ReportMode::ByNumber;
    model_.reportFile = toStdString(form_->reportFileEdit->text());
}

void MiscToolsDialog::showFields() {
    form_->fromCombo->setCurrentIndex(model_.fromTerrain);
    form_->toCombo->setCurrentIndex(model_.toTerrain);
    form_->folderEdit->setText(toQString(model_.scenarioFolder));
    form_->nameRadio->setChecked(model_.reportMode == ReportMode::ByName);
    form_->numberRadio->setChecked(model_.reportMode == ReportMode::ByNumber);
    form_->bothRadio->setChecked(model_.reportMode == ReportMode::Both);
    form_->reportFileEdit->setText(toQString(model_.reportFile));
}

void MiscToolsDialog::showList() {
    QListWidget& list = *form_->mapList;
    list.clear();
    for (const MapListItem& item : model_.listItems()) {
        auto* line = new QListWidgetItem(toQString(item.text));
        line->setData(Qt::UserRole, item.number);
        list.addItem(line);
    }
    if (list.count() > 0) {
        list.setCurrentRow(0);
    }
    form_->listTitle->setText(toQString(model_.listTitle()));
}

void MiscToolsDialog::makeChanges() {
    readFields();
    if (change_) {
        model_.makeChanges(change_);
    }
    showFields();
}

void MiscToolsDialog::browseFolder() {
    readFields();
    if (model_.browseFolder(ui_)) {
        showFields();
        showList();
    }
}

void MiscToolsDialog::folderLeft() {
    const std::string text = toStdString(form_->folderEdit->text());
    if (text.empty()) {
        return;
    }
    model_.folderEdited(text, ui_);
    form_->folderEdit->setText(toQString(model_.scenarioFolder));
    showList();
}

void MiscToolsDialog::chooseMode(int mode) {
    model_.setReportMode(mode);
    showList();
}

void MiscToolsDialog::browseReportFile() {
    readFields();
    if (model_.browseReportFile(ui_)) {
        showFields();
    }
}

void MiscToolsDialog::report() {
    readFields();
    model_.writeReport(ui_);
    showList();
}

bool MiscToolsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == form_->folderEdit && event->type() == QEvent::FocusOut && !closing_) {
        // Switching to another window or opening a list is no leaving of the field.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            folderLeft();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void MiscToolsDialog::done(int result) {
    closing_ = true;
    model_.close();
    QDialog::done(result);
}

} // namespace maporv
