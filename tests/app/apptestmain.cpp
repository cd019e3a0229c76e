#include "app/forms/editorfont.h"

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace fs = std::filesystem;

namespace {

// The offscreen platform says this for every message box, and QTest for every key the
// main window passes on after acting on it (as its keys do); neither tells anything.
void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support propagateSizeHints")) ||
        message.contains(QLatin1String("Keyboard event not accepted"))) {
        return;
    }
    qt_message_output(type, context, message);
}

} // namespace

// Widgets need an application; the settings (the file dialog's history among them), the
// recovery records and the home folder are a folder made for this run and removed after it.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    std::string home = (fs::temp_directory_path() / "maporv-app-tests-XXXXXX").string();
    if (::mkdtemp(home.data()) == nullptr) {
        return EXIT_FAILURE;
    }
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home + "/config"));
    // Whether the game's usual folder exists is then the tests' to say.
    qputenv("HOME", QByteArray::fromStdString(home));
    // The recovery records too: the tests delete them, never a user's.
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString(home + "/state"));
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(home));
    }
    qInstallMessageHandler(quietMessages);
    int result = EXIT_FAILURE;
    {
        QApplication app(argc, argv);
        // The dialogs made without the application object get the editor's font too.
        maporv::useEditorFont();
        result = RUN_ALL_TESTS();
    }
    std::error_code ec;
    fs::remove_all(home, ec);
    return result;
}
