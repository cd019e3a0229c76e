#include "app/dialogs/openmapdialog.h"

#include "app/dialogs/maplistlines.h"
#include "app/forms/browseglyph.h"
#include "app/forms/columnfont.h"
#include "app/forms/dialogplacement.h"
#include "app/forms/dialogunits.h"
#include "app/forms/folderbrowse.h"
#include "display/picturedraw.h"
#include "display/textconversion.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"
#include "ui_openmapdialog.h"

#include <QEvent>
#include <QPainter>
#include <QSignalBlocker>

namespace maporv {
namespace {

constexpr const char* kMissingPictureQuestion =
    "Are you sure you want edit this map file\nwith a missing picture file (S16) ???.\n\n"
    "Anyway you can continue if you select a BMP/S16 file\nwhen requested";

// The preview shows the largest picture, 1920 pixels, in 300.
constexpr int kPreviewExtent = 300;

} // namespace

OpenMapDialog::OpenMapDialog(EditSession& session, UserInterface& ui, QWidget* parent)
    : QDialog(parent), form_(std::make_unique<Ui::OpenMapDialog>()), ui_(ui),
      lease_(session.lendPictureBuffer()), preview_(ui) {
    form_->setupUi(this);
    DialogUnits::convertForm(this);
    setBrowseGlyph(*form_->scenarioBrowseButton, QStringLiteral(":/bitmaps/IDB_GETFILEU.bmp"));
    setBrowseGlyph(*form_->mapBrowseButton, QStringLiteral(":/bitmaps/IDB_GETFILEU.bmp"));
    // The longest line: number, name and picture status, 38 characters.
    useColumnFont(*form_->mapList, 38);

    scenarioFolder_ = strprintf("%sSCENARIO/", parentFolder(session.workspace().lastOpen).c_str());
    mapFolder_ = strprintf("%sMAP/", parentFolder(scenarioFolder_).c_str());
    showFolders();

    form_->scenarioFolderEdit->installEventFilter(this);
    form_->mapFolderEdit->installEventFilter(this);
    connect(form_->mapList, &QListWidget::currentRowChanged, this, [this] { showSelected(); });
    connect(form_->mapList, &QListWidget::itemDoubleClicked, this, [this] { load(); });
    connect(form_->nameRadio, &QRadioButton::clicked, this, [this] { rebuildLines(); });
    connect(form_->numberRadio, &QRadioButton::clicked, this, [this] { rebuildLines(); });
    connect(form_->refreshButton, &QPushButton::clicked, this, [this] { refresh(); });
    connect(form_->scenarioBrowseButton, &QPushButton::clicked, this, [this] {
        browse(scenarioFolder_, FolderKind::Scenario, "Select SCENARIO folder (for .map files)");
    });
    connect(form_->mapBrowseButton, &QPushButton::clicked, this, [this] {
        browse(mapFolder_, FolderKind::S16, "Select MAP folder (for Orv .s16 files)");
    });
    connect(form_->loadButton, &QPushButton::clicked, this, [this] { load(); });
    connect(form_->cancelButton, &QPushButton::clicked, this, [this] { reject(); });

    refresh();
}

OpenMapDialog::~OpenMapDialog() = default;

void OpenMapDialog::placeAt(const QPoint& anchor, bool windowMode) {
    placeAtAnchor(*this, anchor, windowMode);
}

bool OpenMapDialog::sortByNumber() const {
    return form_->numberRadio->isChecked();
}

QRect OpenMapDialog::previewArea() const {
    const int inset = form_->previewFrame->frameWidth();
    return form_->previewFrame->geometry().adjusted(inset, inset, -inset, -inset);
}

void OpenMapDialog::readFolders() {
    scenarioFolder_ = withTrailingSeparator(toStdString(form_->scenarioFolderEdit->text()));
    mapFolder_ = withTrailingSeparator(toStdString(form_->mapFolderEdit->text()));
}

void OpenMapDialog::showFolders() {
    form_->scenarioFolderEdit->setText(toQString(scenarioFolder_));
    form_->mapFolderEdit->setText(toQString(mapFolder_));
}

void OpenMapDialog::refresh() {
    readFolders();
    showFolders();
    {
        WaitCursor wait(ui_);
        entries_ = scanOpenMapEntries(scenarioFolder_, mapFolder_);
    }
    listedScenarioFolder_ = scenarioFolder_;
    listedMapFolder_ = mapFolder_;
    previewPath_.clear();
    previewSize_ = QSize();
    // "Shapes" until an entry is selected, as when the dialog opened.
    form_->captionLabel->setText(QStringLiteral("Shapes"));
    {
        const QSignalBlocker quiet(form_->mapList);
        form_->mapList->clear();
    }
    rebuildLines();
    if (form_->mapList->count() > 0) {
        const QSignalBlocker quiet(form_->mapList);
        form_->mapList->setCurrentRow(0);
    }
    showSelected();
    form_->countLabel->setText(
        toQString(strprintf("%d Maps found", static_cast<int>(entries_.size()))));
    update();
}

void OpenMapDialog::rebuildLines() {
    // The selected map stays selected when only the order changes.
    showMapListLines(*form_->mapList, openMapListLines(entries_, sortByNumber()), selectedEntry());
}

int OpenMapDialog::selectedEntry() const {
    return currentMapListEntry(*form_->mapList, entries_.size());
}

void OpenMapDialog::showSelected() {
    const int index = selectedEntry();
    if (index < 0) {
        return;
    }
    const OpenMapEntry& entry = entries_[static_cast<std::size_t>(index)];
    std::string caption;
    previewPath_.clear();
    previewSize_ = QSize();
    if (entry.pictureMissing) {
        caption = strprintf("Picture for Map: %d", entry.mapNumber);
    } else {
        const std::string path =
            strprintf("%s%s00.S16", listedMapFolder_.c_str(), entry.namePrefix.c_str());
        if (preview_.load(path)) {
            previewPath_ = path;
            previewSize_ = QSize(preview_.width * kPreviewExtent / kMaxPictureWidth,
                                 preview_.height * kPreviewExtent / kMaxPictureHeight);
            caption = strprintf("Picture for Map: %d (%d x %d) ", entry.mapNumber, preview_.width,
                                preview_.height);
        } else {
            // The tile went away since the folder was listed.
            caption = strprintf("Picture for Map: %d * not FOUND", entry.mapNumber);
        }
    }
    if (!entry.tileExists[0][0]) {
        caption += " * not FOUND";
    }
    form_->captionLabel->setText(toQString(caption));
    update();
}

void OpenMapDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (previewPath_.empty() || !preview_.valid) {
        return;
    }
    QPainter painter(this);
    const QRect area = previewArea();
    painter.setClipRect(area);
    drawScaled(painter, preview_, area.x(), area.y(), previewSize_.width(), previewSize_.height(),
               0, 0);
}

bool OpenMapDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut &&
        (watched == form_->scenarioFolderEdit || watched == form_->mapFolderEdit)) {
        // Only the separator; the folder is listed again by Refresh or a browse.
        readFolders();
        showFolders();
    }
    return QDialog::eventFilter(watched, event);
}

void OpenMapDialog::browse(std::string& folder, int kind, const char* title) {
    readFolders();
    browseFolder(ui_, kind, title, folder, [this] {
        showFolders();
        refresh();
    });
}

void OpenMapDialog::load() {
    readFolders();
    showFolders();
    std::string path;
    bool missing = true;
    std::string fileName;
    int mapNumber = 0;
    const int index = selectedEntry();
    if (index >= 0) {
        const OpenMapEntry& entry = entries_[static_cast<std::size_t>(index)];
        fileName = entry.fileName;
        mapNumber = entry.mapNumber;
        path = listedScenarioFolder_ + fileName;
        missing = entry.pictureMissing;
    }
    std::string picture;
    if (!path.empty() && missing) {
        if (ui_.ask(kMissingPictureQuestion, QuestionButtons::YesNo) != Answer::Yes) {
            return;
        }
        picture = ui_.pickFile(
            FileType::Picture, mapFolder_,
            strprintf("Select a Picture file for %s - #%d", fileName.c_str(), mapNumber));
        if (picture.empty()) {
            return;
        }
    }
    selectedPath_ = path;
    chosenPicture_ = picture;
    entries_.clear();
    accept();
}

void OpenMapDialog::reject() {
    selectedPath_.clear();
    chosenPicture_.clear();
    entries_.clear();
    QDialog::reject();
}

} // namespace maporv
