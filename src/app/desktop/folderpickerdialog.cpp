#include "app/desktop/folderpickerdialog.h"

#include "app/desktop/folderpickersetup.h"
#include "display/textconversion.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace maporv {

FolderPickerDialog::FolderPickerDialog(const QString& prompt, QWidget* parent)
    : QDialog(parent), prompt_(new QLabel(prompt, this)), tree_(new QTreeView(this)),
      status_(new QLabel(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)),
      model_(new QFileSystemModel(this)) {
    setWindowTitle(QStringLiteral("MapOrv"));
    setModal(true);

    prompt_->setObjectName(QStringLiteral("promptLabel"));
    prompt_->setWordWrap(true);
    prompt_->setTextFormat(Qt::PlainText);
    status_->setObjectName(QStringLiteral("statusLabel"));
    status_->setTextFormat(Qt::PlainText);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setReadOnly(true);
    model_->setRootPath(QDir::rootPath());
    tree_->setObjectName(QStringLiteral("folderTree"));
    tree_->setModel(model_);
    tree_->setHeaderHidden(true);
    for (int column = 1; column < model_->columnCount(); ++column) {
        tree_->hideColumn(column);
    }
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { selectionChanged(); });
    // The model reads folders in the background: each folder on the way to the start
    // folder that comes in adds rows above it, so the view goes back to it.
    connect(model_, &QFileSystemModel::directoryLoaded, this,
            [this](const QString& folder) { keepStartFolderInView(folder); });
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt_);
    layout->addWidget(tree_, 1);
    layout->addWidget(status_);
    layout->addWidget(buttons_);
    resize(420, 460);
    selectionChanged();
}

void FolderPickerDialog::selectFolder(const QString& folder) {
    QString absolute =
        folder.isEmpty() ? QDir::currentPath() : QDir::current().absoluteFilePath(folder);
    const std::string existing = nearestExistingFolder(toStdString(absolute));
    if (!existing.empty()) {
        absolute = toQString(existing);
    }
    const QModelIndex index = model_->index(QDir::cleanPath(absolute));
    if (!index.isValid()) {
        return;
    }
    for (QModelIndex above = index.parent(); above.isValid(); above = above.parent()) {
        tree_->expand(above);
    }
    tree_->setCurrentIndex(index);
    startFolder_ = QPersistentModelIndex(index);
    tree_->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void FolderPickerDialog::keepStartFolderInView(const QString& loadedFolder) {
    // Only while the start folder is still the one selected and the folder that came
    // in lies on its way: the user's own browsing is left alone.
    if (!startFolder_.isValid() || tree_->currentIndex() != startFolder_) {
        return;
    }
    const QString start = model_->filePath(startFolder_);
    const QString above =
        loadedFolder.endsWith(QLatin1Char('/')) ? loadedFolder : loadedFolder + QLatin1Char('/');
    if (start == loadedFolder || start.startsWith(above)) {
        tree_->scrollTo(startFolder_, QAbstractItemView::PositionAtCenter);
    }
}

QString FolderPickerDialog::selectedFolder() const {
    const QModelIndex current = tree_->currentIndex();
    return current.isValid() ? model_->filePath(current) : QString();
}

QString FolderPickerDialog::prompt() const {
    return prompt_->text();
}

QString FolderPickerDialog::statusText() const {
    return status_->text();
}

void FolderPickerDialog::selectionChanged() {
    const QString folder = selectedFolder();
    status_->setText(folder);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!folder.isEmpty());
}

} // namespace maporv
