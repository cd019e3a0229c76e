#include "app/shell/appsettings.h"

#include "app/commands/recentfiles.h"
#include "display/textconversion.h"

#include <QSettings>

namespace maporv {
namespace {

constexpr const char* kLastOpenKey = "Settings/LastOpen";

QSettings store() {
    return QSettings(QString::fromLatin1(AppSettings::kOrganisation),
                     QString::fromLatin1(AppSettings::kApplication));
}

QString recentKey(std::size_t number) {
    return QStringLiteral("Recent File List/File%1").arg(number);
}

} // namespace

std::string AppSettings::readLastOpen() const {
    return toStdString(store().value(QString::fromLatin1(kLastOpenKey)).toString());
}

void AppSettings::writeLastOpen(const std::string& path) {
    QSettings settings = store();
    settings.setValue(QString::fromLatin1(kLastOpenKey), toQString(path));
    settings.sync();
}

std::vector<std::string> AppSettings::readRecentFiles() const {
    const QSettings settings = store();
    std::vector<std::string> paths;
    for (std::size_t number = 1; number <= RecentFiles::kMaxEntries; ++number) {
        const QString path = settings.value(recentKey(number)).toString();
        if (path.isEmpty()) {
            break;
        }
        paths.push_back(toStdString(path));
    }
    return paths;
}

void AppSettings::writeRecentFiles(const std::vector<std::string>& paths) {
    QSettings settings = store();
    for (std::size_t number = 1; number <= RecentFiles::kMaxEntries; ++number) {
        if (number <= paths.size()) {
            settings.setValue(recentKey(number), toQString(paths[number - 1]));
        } else {
            settings.remove(recentKey(number));
        }
    }
    settings.sync();
}

} // namespace maporv
