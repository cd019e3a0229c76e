#include "app/dialogs/savemapdialog.h"

#include "app/dialogs/maplistlines.h"
#include "app/forms/browseglyph.h"
#include "app/forms/columnfont.h"
#include "app/forms/dialogplacement.h"
#include "app/forms/dialogunits.h"
#include "app/forms/folderbrowse.h"
#include "display/textconversion.h"
#include "mapdata/mapdocument.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"
#include "ui_savemapdialog.h"

#include <QEvent>
#include <QIntValidator>
#include <QSignalBlocker>
#include <limits>

namespace maporv {

SaveMapDialog::SaveMapDialog(const MapDocument& document, const std::string& lastOpen,
                             UserInterface& ui, QWidget* parent)
    : QDialog(parent), form_(std::make_unique<Ui::SaveMapDialog>()), ui_(ui) {
    form_->setupUi(this);
    DialogUnits::convertForm(this);
    setBrowseGlyph(*form_->mapFolderBrowseButton, QStringLiteral(":/bitmaps/IDB_GETFILE.bmp"));
    setBrowseGlyph(*form_->s16FolderBrowseButton, QStringLiteral(":/bitmaps/IDB_GETFILE.bmp"));
    // A line of an 8.3 file name with its number and picture status.
    useColumnFont(*form_->mapList, 30);
    form_->pictureList->setFont(form_->mapList->font());
    form_->numberEdit->setValidator(new QIntValidator(std::numeric_limits<std::int16_t>::min(),
                                                      std::numeric_limits<std::int16_t>::max(),
                                                      form_->numberEdit));

    // The number is kept as the 16 bits the file stores, shown signed.
    mapNumber_ = static_cast<std::int16_t>(document.mapNumber);
    fileName_ = fileNamePart(document.path);
    createS16_ = document.pictureFromBmp;
    mapFolder_ = strprintf("%sSCENARIO/", parentFolder(lastOpen).c_str());
    s16Folder_ = strprintf("%sMAP/", parentFolder(mapFolder_).c_str());
    showFields();

    form_->mapFolderEdit->installEventFilter(this);
    form_->s16FolderEdit->installEventFilter(this);
    form_->numberEdit->installEventFilter(this);
    connect(form_->mapList, &QListWidget::currentRowChanged, this,
            [this] { selectMatchingPicture(); });
    connect(form_->mapList, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    auto resort = [this] {
        readFields();
        rebuildMapLines();
    };
    connect(form_->nameRadio, &QRadioButton::clicked, this, resort);
    connect(form_->numberRadio, &QRadioButton::clicked, this, resort);
    connect(form_->refreshButton, &QPushButton::clicked, this, [this] { refreshLists(); });
    connect(form_->mapFolderBrowseButton, &QPushButton::clicked, this, [this] {
        browse(mapFolder_, FolderKind::Scenario, "Select SCENARIO folder (for .map files)");
    });
    connect(form_->s16FolderBrowseButton, &QPushButton::clicked, this, [this] {
        if (browse(s16Folder_, FolderKind::S16, "Select MAP folder (for Orv .s16 files)")) {
            checkPicture();
        }
    });
    connect(form_->okButton, &QPushButton::clicked, this, [this] { accept(); });
    connect(form_->cancelButton, &QPushButton::clicked, this, [this] { reject(); });

    refreshLists();
    checkPicture();
    // The name is what a save most often changes: typed over at once, Enter saves.
    form_->fileNameEdit->setFocus();
    form_->fileNameEdit->selectAll();
}

SaveMapDialog::~SaveMapDialog() = default;

void SaveMapDialog::placeAt(const QPoint& anchor, bool windowMode) {
    placeAtAnchor(*this, anchor, windowMode);
}

SaveMapChoice SaveMapDialog::choice() const {
    SaveMapChoice result;
    result.mapFolder = mapFolder_;
    result.fileName = fileName_;
    result.s16Folder = s16Folder_;
    result.mapNumber = mapNumber_;
    result.createS16 = createS16_;
    return result;
}

void SaveMapDialog::readFields() {
    bool ok = false;
    const int number = form_->numberEdit->text().trimmed().toInt(&ok);
    // Text that is no number leaves the last one, which showFields() puts back.
    if (ok && number >= std::numeric_limits<std::int16_t>::min() &&
        number <= std::numeric_limits<std::int16_t>::max()) {
        mapNumber_ = static_cast<std::int16_t>(number);
    }
    fileName_ = toStdString(form_->fileNameEdit->text());
    mapFolder_ = withTrailingSeparator(toStdString(form_->mapFolderEdit->text()));
    s16Folder_ = withTrailingSeparator(toStdString(form_->s16FolderEdit->text()));
    sortByNumber_ = form_->numberRadio->isChecked();
    createS16_ = form_->createS16Check->isChecked();
}

void SaveMapDialog::showFields() {
    form_->numberEdit->setText(QString::number(mapNumber_));
    form_->fileNameEdit->setText(toQString(fileName_));
    form_->mapFolderEdit->setText(toQString(mapFolder_));
    form_->s16FolderEdit->setText(toQString(s16Folder_));
    form_->numberRadio->setChecked(sortByNumber_);
    form_->nameRadio->setChecked(!sortByNumber_);
    form_->createS16Check->setChecked(createS16_);
}

void SaveMapDialog::refreshLists() {
    readFields();
    showFields();
    {
        const QSignalBlocker quietMaps(form_->mapList);
        const QSignalBlocker quietPictures(form_->pictureList);
        form_->mapList->clear();
        form_->pictureList->clear();
    }
    std::vector<std::string> pictureSets;
    {
        WaitCursor wait(ui_);
        MapListScan scan = scanMapListEntries(mapFolder_, s16Folder_);
        entries_ = std::move(scan.entries);
        filled_ = scan.filled;
        pictureSets = pictureSetNames(s16Folder_);
    }
    rebuildMapLines();
    if (form_->mapList->count() > 0) {
        const QSignalBlocker quiet(form_->mapList);
        form_->mapList->setCurrentRow(0);
    }
    for (const std::string& name : pictureSets) {
        form_->pictureList->addItem(toQString(name));
    }
    selectMatchingPicture();
    form_->mapListTitle->setText(toQString(strprintf("%d Maps found", filled_)));
}

void SaveMapDialog::rebuildMapLines() {
    // The selected map stays selected when only the order changes.
    showMapListLines(*form_->mapList, mapListEntryLines(entries_, sortByNumber_), selectedEntry());
}

int SaveMapDialog::selectedEntry() const {
    return currentMapListEntry(*form_->mapList, entries_.size());
}

void SaveMapDialog::selectMatchingPicture() {
    const int index = selectedEntry();
    if (filled_ == 0 || index < 0) {
        return;
    }
    const MapListEntry& entry = entries_[static_cast<std::size_t>(index)];
    if (!entry.pictureFound) {
        return;
    }
    const QString prefix = toQString(strprintf("MAP%02d", entry.number));
    for (int row = 0; row < form_->pictureList->count(); ++row) {
        if (form_->pictureList->item(row)->text().startsWith(prefix, Qt::CaseInsensitive)) {
            form_->pictureList->setCurrentRow(row);
            return;
        }
    }
}

void SaveMapDialog::checkPicture() {
    readFields();
    const std::string firstTile =
        strprintf("%sMAP%s00.s16", s16Folder_.c_str(), mapNumberString(mapNumber_).c_str());
    if (!s16Folder_.empty() && fileExists(firstTile)) {
        // The map's tiles are there already.
        form_->pictureStatus->setText(QStringLiteral("Pic Ok"));
        form_->createS16Check->setEnabled(false);
        createS16_ = false;
    } else {
        form_->pictureStatus->setText(QStringLiteral("Pic Not FOUND"));
        form_->createS16Check->setEnabled(true);
    }
    showFields();
}

bool SaveMapDialog::eventFilter(QObject* watched, QEvent* event) {
    // An edit also loses the focus when the dialog closes: the result stays as read.
    if (event->type() == QEvent::FocusOut && !closed_) {
        if (watched == form_->mapFolderEdit) {
            readFields();
            showFields();
        } else if (watched == form_->s16FolderEdit) {
            readFields();
            showFields();
            checkPicture();
        } else if (watched == form_->numberEdit) {
            checkPicture();
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool SaveMapDialog::browse(std::string& folder, int kind, const char* title) {
    readFields();
    return browseFolder(ui_, kind, title, folder, [this] {
        showFields();
        refreshLists();
    });
}

void SaveMapDialog::accept() {
    closed_ = true;
    readFields();
    showFields();
    entries_.clear();
    filled_ = 0;
    QDialog::accept();
}

void SaveMapDialog::reject() {
    closed_ = true;
    readFields();
    entries_.clear();
    filled_ = 0;
    QDialog::reject();
}

} // namespace maporv
