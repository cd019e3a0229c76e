#include "app/dialogs/newmapdialog.h"

#include "app/forms/browseglyph.h"
#include "app/forms/dialogplacement.h"
#include "app/forms/dialogunits.h"
#include "app/forms/folderbrowse.h"
#include "display/picturedraw.h"
#include "display/textconversion.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"
#include "picture/mappicture.h"
#include "ui_newmapdialog.h"

#include <QPainter>
#include <QSignalBlocker>
#include <cmath>
#include <utility>

namespace maporv {
namespace {

// The preview starts this many pixels inside the frame's top-left corner.
constexpr int kPreviewInset = 3;
// The preview's side for a full-size picture shown unfitted.
constexpr int kFullPreviewSide = 330;

} // namespace

NewMapDialog::NewMapDialog(EditSession& session, UserInterface& ui, QWidget* parent)
    : QDialog(parent), form_(std::make_unique<Ui::NewMapDialog>()), ui_(ui),
      lease_(session.lendPictureBuffer()), preview_(ui) {
    form_->setupUi(this);
    DialogUnits::convertForm(this);
    setBrowseGlyph(*form_->browseButton, QStringLiteral(":/bitmaps/IDB_GETFILEU.bmp"));
    alignTicks();
    // Kept from the form but without a function.
    form_->createFromBmpCheck->setEnabled(false);
    form_->createFromBmpCheck->hide();

    folder_ = strprintf("%sMAP/", parentFolder(session.workspace().lastOpen).c_str());
    showFolder();

    connect(form_->pictureList, &QListWidget::currentRowChanged, this, [this] { loadPreview(); });
    connect(form_->pictureList, &QListWidget::itemDoubleClicked, this, [this] { load(); });
    auto relist = [this] {
        readControls();
        fillList();
    };
    connect(form_->shpRadio, &QRadioButton::clicked, this, relist);
    connect(form_->bmpRadio, &QRadioButton::clicked, this, relist);
    connect(form_->s16Radio, &QRadioButton::clicked, this, relist);
    connect(form_->fitCheck, &QCheckBox::clicked, this, [this] {
        readControls();
        resizePreview();
        update();
    });
    connect(form_->browseButton, &QPushButton::clicked, this, [this] { browse(); });
    connect(form_->loadButton, &QPushButton::clicked, this, [this] { load(); });
    connect(form_->cancelButton, &QPushButton::clicked, this, [this] { reject(); });

    readControls();
    fillList();
}

NewMapDialog::~NewMapDialog() = default;

void NewMapDialog::placeAt(const QPoint& anchor, bool windowMode) {
    placeAtAnchor(*this, anchor, windowMode);
}

void NewMapDialog::alignTicks() {
    // The ticks mark where the tile grid of a full-size picture falls in the preview (a
    // third and two thirds across, each quarter down): placed in pixels from the
    // preview's origin, they stay on those lines whatever the dialog font rounds the
    // form's units to. They sit on the frame's own edge pixels.
    const QRect frame = form_->previewFrame->geometry();
    const QPoint origin = previewOrigin();
    // The index-th of parts equal parts of the preview's side, from start.
    auto along = [](int start, int parts, int index) {
        return start + static_cast<int>(std::lround(kFullPreviewSide * index / double(parts)));
    };
    int index = 1;
    for (auto [top, bottom] : {std::pair{form_->tickTop1, form_->tickBottom1},
                               std::pair{form_->tickTop2, form_->tickBottom2}}) {
        const int x = along(origin.x(), kTileColumns, index++);
        top->move(x, frame.top());
        bottom->move(x, frame.bottom() + 1 - bottom->height());
    }
    index = 1;
    for (auto [left, right] : {std::pair{form_->tickLeft1, form_->tickRight1},
                               std::pair{form_->tickLeft2, form_->tickRight2},
                               std::pair{form_->tickLeft3, form_->tickRight3}}) {
        const int y = along(origin.y(), kTileRows, index++);
        left->move(frame.left(), y);
        right->move(frame.right() + 1 - right->width(), y);
    }
}

QPoint NewMapDialog::previewOrigin() const {
    return form_->previewFrame->geometry().topLeft() + QPoint(kPreviewInset, kPreviewInset);
}

void NewMapDialog::readControls() {
    folder_ = withTrailingSeparator(toStdString(form_->folderEdit->text()));
    kind_ = form_->shpRadio->isChecked()   ? NewMapKind::Shp
            : form_->bmpRadio->isChecked() ? NewMapKind::Bmp
                                           : NewMapKind::S16;
    fitToFrame_ = form_->fitCheck->isChecked();
    showFolder();
}

void NewMapDialog::showFolder() {
    form_->folderEdit->setText(toQString(folder_));
}

void NewMapDialog::fillList() {
    {
        WaitCursor wait(ui_);
        entries_ = listNewMapEntries(folder_, kind_);
    }
    listedFolder_ = folder_;
    listedKind_ = kind_;
    // An empty list shows no preview and LOAD then returns no path.
    chosenPath_.clear();
    {
        const QSignalBlocker quiet(form_->pictureList);
        form_->pictureList->clear();
        for (const NewMapEntry& entry : entries_) {
            form_->pictureList->addItem(toQString(entry.text));
        }
        if (!entries_.empty()) {
            form_->pictureList->setCurrentRow(0);
        }
    }
    loadPreview();
}

int NewMapDialog::selectedEntry() const {
    const int row = form_->pictureList->currentRow();
    return row >= 0 && row < static_cast<int>(entries_.size()) ? row : -1;
}

std::string NewMapDialog::selectedPath() const {
    const int index = selectedEntry();
    if (index < 0) {
        return std::string();
    }
    return newMapPicturePath(listedFolder_, listedKind_, entries_[static_cast<std::size_t>(index)]);
}

void NewMapDialog::loadPreview() {
    if (selectedEntry() < 0) {
        return;
    }
    chosenPath_ = selectedPath();
    preview_.load(chosenPath_);
    resizePreview();
    update();
}

void NewMapDialog::resizePreview() {
    const PreviewExtent size = newMapPreviewSize(preview_.width, preview_.height, fitToFrame_);
    previewSize_ = QSize(size.width, size.height);
}

void NewMapDialog::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    if (chosenPath_.empty() || !preview_.valid) {
        return;
    }
    QPainter painter(this);
    const int inset = form_->previewFrame->frameWidth();
    painter.setClipRect(form_->previewFrame->geometry().adjusted(inset, inset, -inset, -inset));
    const QPoint origin = previewOrigin();
    drawScaled(painter, preview_, origin.x(), origin.y(), previewSize_.width(),
               previewSize_.height(), 0, 0);
}

void NewMapDialog::browse() {
    readControls();
    browseFolder(ui_, newMapFolderKind(kind_), newMapFolderPrompt(kind_), folder_, [this] {
        showFolder();
        fillList();
    });
}

void NewMapDialog::load() {
    chosenPath_ = selectedPath();
    readControls();
    accept();
}

void NewMapDialog::reject() {
    chosenPath_.clear();
    QDialog::reject();
}

} // namespace maporv
