#include "modalscript.h"

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace maporv::test {
namespace {

// A step that opens a box of its own gets that box answered by the next step, and
// its dialog is not taken for a new one while the step goes on.
TEST(ModalScript, AnswersABoxThatAStepOpens) {
    std::vector<std::string> order;
    ModalScript script;
    script
        .then([&](QWidget* outer) {
            order.push_back("outer");
            QMessageBox box(QMessageBox::Question, QStringLiteral("nested"), QStringLiteral("?"),
                            QMessageBox::Yes | QMessageBox::No, outer);
            order.push_back(box.exec() == QMessageBox::Yes ? "yes" : "no");
            // The outer dialog is the active modal widget again meanwhile.
            QElapsedTimer waited;
            waited.start();
            while (waited.elapsed() < 50) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            }
            qobject_cast<QDialog*>(outer)->accept();
        })
        .then([&](QWidget* nested) {
            order.push_back("nested");
            qobject_cast<QMessageBox*>(nested)->done(QMessageBox::Yes);
        })
        .then([&](QWidget* second) {
            order.push_back("second");
            qobject_cast<QDialog*>(second)->reject();
        });

    QDialog outer;
    EXPECT_EQ(outer.exec(), QDialog::Accepted);
    QDialog second;
    EXPECT_EQ(second.exec(), QDialog::Rejected);
    EXPECT_EQ(order, (std::vector<std::string>{"outer", "nested", "yes", "second"}));
}

} // namespace
} // namespace maporv::test
