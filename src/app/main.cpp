#include "app/maptoolapp.h"

#include <QApplication>
#include <cstdlib>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MapOrv"));
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();

    maporv::MapToolApp app;
    if (!app.start(arguments)) {
        return EXIT_FAILURE;
    }
    return QApplication::exec();
}
