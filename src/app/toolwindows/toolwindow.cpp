#include "app/toolwindows/toolwindow.h"

#include <QApplication>

namespace maporv {

ToolWindow::ToolWindow(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {}

void ToolWindow::returnFocus() {
    if (focusTarget_ == nullptr || QApplication::activeModalWidget() != nullptr) {
        return;
    }
    focusTarget_->activateWindow();
    focusTarget_->setFocus(Qt::OtherFocusReason);
}

void ToolWindow::done(int result) {
    if (closing_) {
        return;
    }
    closing_ = true;
    QDialog::done(result);
    emit dismissed();
    returnFocus();
    deleteLater();
}

} // namespace maporv
