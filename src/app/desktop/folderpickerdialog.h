#pragma once

#include <QDialog>
#include <QPersistentModelIndex>
#include <QString>

class QDialogButtonBox;
class QFileSystemModel;
class QLabel;
class QTreeView;

namespace maporv {

// The folder chooser: the caller's prompt above a tree of the file system's folders,
// and a status line that shows the path of the selected folder whenever the
// selection changes. Only folders are listed.
class FolderPickerDialog : public QDialog {
    Q_OBJECT

public:
    explicit FolderPickerDialog(const QString& prompt, QWidget* parent = nullptr);

    // Selects the folder (or its nearest existing ancestor; the current directory when
    // empty), opening the tree down to it.
    void selectFolder(const QString& folder);
    // The selected folder's path without a trailing separator; empty when none.
    QString selectedFolder() const;

    QString prompt() const;
    QString statusText() const;

private:
    void selectionChanged();
    // The start folder back in view when a folder on its way has been read.
    void keepStartFolderInView(const QString& loadedFolder);

    QLabel* prompt_;
    QTreeView* tree_;
    QLabel* status_;
    QDialogButtonBox* buttons_;
    QFileSystemModel* model_;
    QPersistentModelIndex startFolder_;
};

} // namespace maporv
