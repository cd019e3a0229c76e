#include "app/desktop/enterdatadialog.h"

#include "app/forms/dialogunits.h"
#include "ui_enterdatadialog.h"

namespace maporv {

EnterDataDialog::EnterDataDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::EnterDataDialog>()) {
    ui_->setupUi(this);
    DialogUnits::convertForm(this);
    // Both fields start empty; the form's "Enter data" is only a placeholder.
    ui_->promptLabel->clear();
    ui_->textEdit->setFocus();
}

EnterDataDialog::~EnterDataDialog() = default;

void EnterDataDialog::setPrompt(const QString& prompt) {
    ui_->promptLabel->setText(prompt);
}

QString EnterDataDialog::prompt() const {
    return ui_->promptLabel->text();
}

void EnterDataDialog::setText(const QString& text) {
    ui_->textEdit->setText(text);
    ui_->textEdit->selectAll();
}

QString EnterDataDialog::text() const {
    return ui_->textEdit->text();
}

} // namespace maporv
