#pragma once

// Reaching into a dialog's form by object name, as the tests of the dialogs do.

#include <QRgb>
#include <QString>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace maporv::test {

// The named child of the dialog; a test failure when there is none.
template <typename T>
T* child(const QWidget& dialog, const char* name) {
    T* widget = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// The lines of a list box, top to bottom.
std::vector<std::string> listLines(const QWidget& dialog, const char* list);
// Makes the first line of the list that starts with start the current one; a test
// failure when no line does.
void selectLineStarting(const QWidget& dialog, const char* list, const std::string& start);
// The text of a line edit or of a label.
std::string fieldText(const QWidget& dialog, const char* name);
void clickButton(const QWidget& dialog, const char* name);
// The edit loses the keyboard focus, as when the user tabs away.
void leaveEdit(const QWidget& dialog, const char* edit);
bool isRed(QRgb pixel);
// Runs the event loop until the condition holds, at most 3 seconds; the condition's
// value at the end.
bool waitFor(const std::function<bool()>& condition);

} // namespace maporv::test
