#include "dialogprobe.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace maporv::test {

std::vector<std::string> listLines(const QWidget& dialog, const char* list) {
    std::vector<std::string> texts;
    const auto* widget = child<QListWidget>(dialog, list);
    for (int row = 0; row < widget->count(); ++row) {
        texts.push_back(widget->item(row)->text().toStdString());
    }
    return texts;
}

void selectLineStarting(const QWidget& dialog, const char* list, const std::string& start) {
    auto* widget = child<QListWidget>(dialog, list);
    for (int row = 0; row < widget->count(); ++row) {
        if (widget->item(row)->text().startsWith(QString::fromStdString(start))) {
            widget->setCurrentRow(row);
            return;
        }
    }
    ADD_FAILURE() << "no line starts with " << start;
}

std::string fieldText(const QWidget& dialog, const char* name) {
    if (auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(name))) {
        return edit->text().toStdString();
    }
    return child<QLabel>(dialog, name)->text().toStdString();
}

void clickButton(const QWidget& dialog, const char* name) {
    child<QAbstractButton>(dialog, name)->click();
}

void leaveEdit(const QWidget& dialog, const char* edit) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(child<QLineEdit>(dialog, edit), &out);
}

bool isRed(QRgb pixel) {
    return qRed(pixel) > 200 && qGreen(pixel) < 40 && qBlue(pixel) < 40;
}

bool waitFor(const std::function<bool()>& condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < 3000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return condition();
}

} // namespace maporv::test
