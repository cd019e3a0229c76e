#pragma once

#include "app/desktop/filepickersetup.h"

#include <string>

class QFileDialog;
class QWidget;

namespace maporv {

// The file picker is an open-style dialog that also accepts a name that does not
// exist yet and never asks about replacing a file. Qt's own dialog is used rather
// than the desktop's, so that filters match case-insensitively everywhere.
void configureFileDialog(QFileDialog& dialog, const FilePickerSetup& setup);

// Shows the picker; the chosen path, or empty when cancelled.
std::string runFilePicker(const FilePickerSetup& setup, QWidget* parent);

} // namespace maporv
