#include "app/shell/maptoolapp.h"
#include "mapdata/filereplacement.h"
#include "version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdlib>

namespace {

void describeCommandLine(QCommandLineParser& parser) {
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
}

// --help and --version print and end here, before anything needs a display: a package's
// post-install check or a manual's generator runs them without one. --help-all also
// lists the options of Qt's window system, which only a GUI application knows: that
// one is left to the application, on the offscreen platform. Any other command line,
// Qt's own options (such as -platform) included, goes on to the editor.
void answerWithoutDisplay(int& argc, char** argv) {
    QStringList arguments;
    for (int index = 0; index < argc; ++index) {
        arguments << QString::fromLocal8Bit(argv[index]);
    }
    QCommandLineParser probe;
    describeCommandLine(probe);
    if (!probe.parse(arguments)) {
        return;
    }
    if (probe.isSet(QStringLiteral("help-all"))) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else if (probe.isSet(QStringLiteral("help")) || probe.isSet(QStringLiteral("version"))) {
        const QCoreApplication core(argc, argv);
        probe.process(core); // prints and exits
    }
}

} // namespace

int main(int argc, char** argv) {
    maporv::ignoreFileSizeSignal();
    QCoreApplication::setApplicationName(QStringLiteral("MapOrv"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(maporv::kVersion));
    answerWithoutDisplay(argc, argv);

    QApplication application(argc, argv);
    // Lets the desktop find the entry (and its icon) that belongs to the window.
    QApplication::setDesktopFileName(QString::fromLatin1(maporv::kDesktopId));

    // An unknown option ends here; the file argument loads as it always has. Qt's own
    // options are taken out before.
    QCommandLineParser parser;
    describeCommandLine(parser);
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
