#include "modalscript.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>

namespace maporv::test {

ModalScript::ModalScript() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
    timer_.start();
}

ModalScript::~ModalScript() {
    timer_.stop();
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " dialog step(s) never ran";
}

ModalScript& ModalScript::then(Step step) {
    steps_.push_back(std::move(step));
    return *this;
}

void ModalScript::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() ||
        std::find(handling_.begin(), handling_.end(), modal) != handling_.end()) {
        return;
    }
    if (steps_.empty()) {
        ADD_FAILURE() << "unexpected modal widget: " << modal->windowTitle().toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
        return;
    }
    // The step runs outside this timer's slot: Qt does not fire a timer again while its
    // slot runs, and a step may open a nested dialog that must be seen too.
    handling_.emplace_back(modal);
    Step step = std::move(steps_.front());
    steps_.pop_front();
    QTimer::singleShot(0, modal,
                       [this, target = QPointer<QWidget>(modal), step] { run(target, step); });
}

void ModalScript::run(QPointer<QWidget> modal, const Step& step) {
    ++stepsRun_;
    step(modal);
    if (modal && modal->isVisible() && modal == QApplication::activeModalWidget()) {
        ADD_FAILURE() << "a step left its dialog open";
        if (auto* dialog = qobject_cast<QDialog*>(modal.data())) {
            dialog->reject();
        }
    }
    // Only this step's widget: an outer dialog's step may still be running.
    handling_.erase(std::remove_if(handling_.begin(), handling_.end(),
                                   [&](const QPointer<QWidget>& widget) {
                                       return widget.isNull() || widget == modal;
                                   }),
                    handling_.end());
}

} // namespace maporv::test
