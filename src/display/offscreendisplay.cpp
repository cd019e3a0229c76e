#include "display/offscreendisplay.h"

#include <QGuiApplication>

namespace maporv {

void ensureGuiApplication(const char* programName) {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(programName), nullptr};
    new QGuiApplication(argc, argv);
}

} // namespace maporv
