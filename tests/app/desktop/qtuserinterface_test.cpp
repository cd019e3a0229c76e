#include "app/desktop/enterdatadialog.h"
#include "app/desktop/qtuserinterface.h"
#include "modalscript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace maporv {

void PrintTo(Answer answer, std::ostream* out) {
    *out << (answer == Answer::Yes ? "Yes" : answer == Answer::No ? "No" : "Cancel");
}

namespace {

QMessageBox* asBox(QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    EXPECT_NE(box, nullptr);
    return box;
}

TEST(QtUserInterface, MessageBoxesCarryTheTitleAndTheIconOfTheirKind) {
    QtUserInterface ui;
    const struct {
        MessageKind kind;
        QMessageBox::Icon icon;
    } table[] = {
        {MessageKind::Plain, QMessageBox::NoIcon},
        {MessageKind::Information, QMessageBox::Information},
        {MessageKind::Warning, QMessageBox::Warning},
        {MessageKind::Error, QMessageBox::Critical},
    };
    for (const auto& row : table) {
        test::ModalScript script;
        script.then([&](QWidget* modal) {
            QMessageBox* box = asBox(modal);
            EXPECT_EQ(box->windowTitle(), "MapOrv");
            EXPECT_EQ(box->text(), "Error !\n/g/<b>.map not found");
            EXPECT_EQ(box->icon(), row.icon);
            EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
            box->button(QMessageBox::Ok)->click();
        });
        ui.showMessage(row.kind, "Error !\n/g/<b>.map not found");
    }
}

// Asks once and answers with the button, or with Escape when there is none.
Answer answer(QtUserInterface& ui, QuestionButtons buttons, QMessageBox::StandardButton button,
              QMessageBox::StandardButtons* shown = nullptr) {
    test::ModalScript script;
    script.then([&](QWidget* modal) {
        QMessageBox* box = asBox(modal);
        EXPECT_EQ(box->windowTitle(), "MapOrv");
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        // Enter answers Yes: the recovery question at start-up relies on it.
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
        if (shown != nullptr) {
            *shown = box->standardButtons();
        }
        if (button == QMessageBox::NoButton) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(box, &escape);
        } else {
            box->button(button)->click();
        }
    });
    return ui.ask("MAP05.map\nIS modified\nSave changes ?", buttons);
}

TEST(QtUserInterface, QuestionsAnswerWithTheButtonPressed) {
    QtUserInterface ui;
    QMessageBox::StandardButtons shown;
    EXPECT_EQ(answer(ui, QuestionButtons::YesNo, QMessageBox::Yes, &shown), Answer::Yes);
    EXPECT_EQ(shown, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(answer(ui, QuestionButtons::YesNo, QMessageBox::No), Answer::No);
    EXPECT_EQ(answer(ui, QuestionButtons::YesNo, QMessageBox::NoButton), Answer::No);
    EXPECT_EQ(answer(ui, QuestionButtons::YesNoCancel, QMessageBox::No, &shown), Answer::No);
    EXPECT_EQ(shown, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(answer(ui, QuestionButtons::YesNoCancel, QMessageBox::Cancel), Answer::Cancel);
    EXPECT_EQ(answer(ui, QuestionButtons::YesNoCancel, QMessageBox::NoButton), Answer::Cancel);
}

TEST(QtUserInterface, HookRunsBeforeEveryBoxDialogAndPicker) {
    QtUserInterface ui;
    std::vector<bool> modalAlreadyShown;
    ui.setBeforeModal(
        [&] { modalAlreadyShown.push_back(QApplication::activeModalWidget() != nullptr); });
    const auto closeIt = [](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); };
    test::ModalScript script;
    script.then(closeIt).then(closeIt).then(closeIt).then(closeIt).then(closeIt);
    ui.error("x");
    ui.ask("y", QuestionButtons::YesNo);
    ui.pickFile(4, "", "");
    ui.pickFolder(4, "", "");
    ui.enterText("Enter new Terrain name", "");
    EXPECT_EQ(modalAlreadyShown, std::vector<bool>(5, false));
}

TEST(QtUserInterface, WaitCursorNests) {
    QtUserInterface ui;
    ui.beginWaitCursor();
    ui.beginWaitCursor();
    ui.endWaitCursor();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    ui.endWaitCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    ui.endWaitCursor(); // one end too many changes nothing
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtUserInterface, WaitCursorGivesWayToTheArrowWhileABoxIsOpen) {
    QtUserInterface ui;
    WaitCursor wait(ui);
    Qt::CursorShape during = Qt::WaitCursor;
    test::ModalScript script;
    script.then([&](QWidget* modal) {
        during = QApplication::overrideCursor()->shape();
        asBox(modal)->button(QMessageBox::Ok)->click();
    });
    ui.error("Cannot read");
    EXPECT_EQ(during, Qt::ArrowCursor);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
}

EnterDataDialog* asPrompt(QWidget* modal) {
    auto* dialog = qobject_cast<EnterDataDialog*>(modal);
    EXPECT_NE(dialog, nullptr);
    return dialog;
}

TEST(QtUserInterface, EnterTextShowsThePromptAndReturnsTheTypedText) {
    QtUserInterface ui;
    test::ModalScript script;
    script.then([&](QWidget* modal) {
        EnterDataDialog* dialog = asPrompt(modal);
        EXPECT_EQ(dialog->prompt(), "Edit map name");
        auto* edit = dialog->findChild<QLineEdit*>("textEdit");
        EXPECT_EQ(edit->selectedText(), "Castillo"); // typing replaces the old name
        edit->insert("Río Tajo");
        dialog->findChild<QAbstractButton*>("okButton")->click();
    });
    EXPECT_EQ(ui.enterText("Edit map name", "Castillo"), "R\xc3\xado Tajo");
}

TEST(QtUserInterface, EnterTextCancelledGivesNothingAndEmptyOkGivesEmpty) {
    QtUserInterface ui;
    test::ModalScript script;
    script.then([](QWidget* modal) {
        asPrompt(modal)->findChild<QAbstractButton*>("cancelButton")->click();
    });
    script.then([](QWidget* modal) {
        asPrompt(modal)->findChild<QLineEdit*>("textEdit")->clear();
        asPrompt(modal)->findChild<QAbstractButton*>("okButton")->click();
    });
    EXPECT_EQ(ui.enterText("Enter new Terrain name", "typed"), std::nullopt);
    EXPECT_EQ(ui.enterText("Enter new Terrain name", "typed"), "");
}

} // namespace
} // namespace maporv
