#include "app/desktop/filepickerdialog.h"

#include "app/desktop/folderpickersetup.h"
#include "display/textconversion.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace maporv {

void configureFileDialog(QFileDialog& dialog, const FilePickerSetup& setup) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setWindowTitle(toQString(setup.title));

    QStringList filters;
    for (const std::string& filter : setup.nameFilters) {
        filters << toQString(filter);
    }
    dialog.setNameFilters(filters);
    if (setup.selectedFilter >= 0 && setup.selectedFilter < filters.size()) {
        dialog.selectNameFilter(filters.at(setup.selectedFilter));
    }
    dialog.setDefaultSuffix(toQString(setup.defaultSuffix));

    // The folder as the game spells it, or the nearest one that exists.
    const std::string folder =
        setup.initialFolder.empty() ? std::string() : nearestExistingFolder(setup.initialFolder);
    dialog.setDirectory(folder.empty() ? QDir::currentPath() : toQString(folder));
    if (!setup.proposedName.empty()) {
        dialog.selectFile(toQString(setup.proposedName));
    }
}

std::string runFilePicker(const FilePickerSetup& setup, QWidget* parent) {
    QFileDialog dialog(parent);
    configureFileDialog(dialog, setup);
    if (dialog.exec() != QDialog::Accepted) {
        return std::string();
    }
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? std::string() : toStdString(files.first());
}

} // namespace maporv
