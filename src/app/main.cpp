#include "app/shell/maptoolapp.h"
#include "mapdata/filereplacement.h"
#include "version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdlib>

int main(int argc, char** argv) {
    maporv::ignoreFileSizeSignal();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MapOrv"));
    QApplication::setApplicationVersion(QString::fromLatin1(maporv::kVersion));
    // Lets the desktop find the entry (and its icon) that belongs to the window.
    QApplication::setDesktopFileName(QString::fromLatin1(maporv::kDesktopId));

    // --help and --version print and end here, as does an unknown option; the file
    // argument loads as it always has. Qt's own options are taken out before.
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Edits the hex maps of wargame scenarios: the terrain, roads and "
                       "place names of each hex over the map's painted picture."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QStringLiteral("A MAP file to open with its picture and names, or a BMP, S16 or SHP "
                       "picture to start a new map from."),
        QStringLiteral("[file]"));
    parser.process(application);

    maporv::MapToolApp app;
    if (!app.start(parser.positionalArguments())) {
        return EXIT_FAILURE;
    }
    // SIGTERM or SIGHUP during start-up: the loop would not see it any more.
    if (app.terminated()) {
        return EXIT_SUCCESS;
    }
    return QApplication::exec();
}
