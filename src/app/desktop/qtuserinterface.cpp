#include "app/desktop/qtuserinterface.h"

#include "app/desktop/enterdatadialog.h"
#include "app/desktop/filepickerdialog.h"
#include "app/desktop/folderpickerdialog.h"
#include "app/desktop/folderpickersetup.h"
#include "display/textconversion.h"
#include "mapdata/paths.h"

#include <QApplication>
#include <QMessageBox>

namespace maporv {
namespace {

constexpr const char* kTitle = "MapOrv";

QMessageBox::Icon iconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QtUserInterface::QtUserInterface() : editor_(*this) {}

QtUserInterface::~QtUserInterface() {
    while (waitDepth_ > 0) {
        endWaitCursor();
    }
}

template <typename Show>
auto QtUserInterface::runModal(Show&& show) {
    if (beforeModal_) {
        beforeModal_();
    }
    struct ArrowWhileOpen {
        explicit ArrowWhileOpen(bool waiting) : active(waiting) {
            if (active) {
                QApplication::setOverrideCursor(Qt::ArrowCursor);
            }
        }
        ~ArrowWhileOpen() {
            if (active) {
                QApplication::restoreOverrideCursor();
            }
        }
        ArrowWhileOpen(const ArrowWhileOpen&) = delete;
        ArrowWhileOpen& operator=(const ArrowWhileOpen&) = delete;
        bool active;
    } arrow(waitDepth_ > 0);
    return show();
}

void QtUserInterface::showMessage(MessageKind kind, const std::string& text) {
    runModal([&] {
        QMessageBox box(iconOf(kind), QString::fromLatin1(kTitle), toQString(text), QMessageBox::Ok,
                        parent_);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    });
}

Answer QtUserInterface::ask(const std::string& text, QuestionButtons buttons) {
    return runModal([&] {
        const bool withCancel = buttons == QuestionButtons::YesNoCancel;
        QMessageBox box(QMessageBox::Question, QString::fromLatin1(kTitle), toQString(text),
                        withCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                                   : QMessageBox::Yes | QMessageBox::No,
                        parent_);
        box.setTextFormat(Qt::PlainText);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
        switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::Cancel:
            return withCancel ? Answer::Cancel : Answer::No;
        default:
            return Answer::No;
        }
    });
}

std::string QtUserInterface::pickFile(int type, const std::string& initialPath,
                                      const std::string& title) {
    const FilePickerSetup setup = makeFilePickerSetup(type, initialPath, title, gameFolder());
    return runModal([&] { return runFilePicker(setup, parent_); });
}

std::string QtUserInterface::pickFolder(int kind, const std::string& initialFolder,
                                        const std::string& prompt) {
    const FolderPickerSetup setup =
        makeFolderPickerSetup(kind, initialFolder, prompt, gameFolder());
    return runModal([&] {
        FolderPickerDialog dialog(toQString(setup.prompt), parent_);
        dialog.selectFolder(toQString(setup.startFolder));
        if (dialog.exec() != QDialog::Accepted) {
            return std::string();
        }
        return withTrailingSeparator(toStdString(dialog.selectedFolder()));
    });
}

std::optional<std::string> QtUserInterface::enterText(const std::string& prompt,
                                                      const std::string& initialText) {
    return runModal([&]() -> std::optional<std::string> {
        EnterDataDialog dialog(parent_);
        dialog.setPrompt(toQString(prompt));
        dialog.setText(toQString(initialText));
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        return toStdString(dialog.text());
    });
}

void QtUserInterface::launchEditor(const std::string& file) {
    editor_.launch(file);
}

void QtUserInterface::beginWaitCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++waitDepth_;
}

void QtUserInterface::endWaitCursor() {
    if (waitDepth_ == 0) {
        return;
    }
    --waitDepth_;
    QApplication::restoreOverrideCursor();
}

} // namespace maporv
