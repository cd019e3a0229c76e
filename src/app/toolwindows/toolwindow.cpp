#include "app/toolwindows/toolwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

namespace maporv {

ToolWindow::ToolWindow(QWidget* parent, Qt::WindowFlags flags) : QDialog(parent, flags) {}

void ToolWindow::returnFocus() {
    if (focusTarget_ == nullptr || QApplication::activeModalWidget() != nullptr) {
        return;
    }
    focusTarget_->activateWindow();
    focusTarget_->setFocus(Qt::OtherFocusReason);
}

bool ToolWindow::keepsKey(const QKeyEvent& key) const {
    return key.key() == Qt::Key_Escape;
}

bool ToolWindow::passKeyOn(QKeyEvent& key) {
    if (focusTarget_ == nullptr) {
        return false;
    }
    returnFocus();
    QCoreApplication::sendEvent(focusTarget_, &key);
    return true;
}

QAbstractButton* ToolWindow::mnemonicButton(const QKeyEvent& key) const {
    const QKeySequence pressed(key.keyCombination());
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        if (button->isVisible() && button->isEnabled() &&
            QKeySequence::mnemonic(button->text()) == pressed) {
            return button;
        }
    }
    return nullptr;
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
