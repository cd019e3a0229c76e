#include "app/shell/recoveryfolder.h"

#include "display/textconversion.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSysInfo>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>

namespace maporv {

AbandonedRecord::AbandonedRecord() = default;
AbandonedRecord::AbandonedRecord(AbandonedRecord&&) noexcept = default;
AbandonedRecord& AbandonedRecord::operator=(AbandonedRecord&&) noexcept = default;
AbandonedRecord::~AbandonedRecord() = default;

namespace {

// The lock of a record names a process of this machine that still runs.
bool ownerLives(const std::string& recordPath) {
    qint64 pid = 0;
    QString host;
    QString application;
    if (!QLockFile(toQString(recordPath + ".lock")).getLockInfo(&pid, &host, &application)) {
        return false;
    }
    if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
        return true;
    }
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

} // namespace

std::string RecoveryFolder::standardPath() {
    // A relative XDG_STATE_HOME is invalid and ignored, as the base directory rules say.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base)) {
        // Not QDir::homePath(): without HOME it gives the root.
        const QString home = qEnvironmentVariable("HOME");
        if (home.isEmpty() || QDir::isRelativePath(home) || QDir(home).isRoot()) {
            return std::string();
        }
        base = home + QStringLiteral("/.local/state");
    }
    return withTrailingSeparator(toStdString(base)) + "maporv/recovery/";
}

RecoveryFolder::RecoveryFolder(std::string path) : path_(withTrailingSeparator(path)) {}

bool RecoveryFolder::prepare() const {
    if (!usable()) {
        return false;
    }
    const QString folder = toQString(path_);
    if (!QDir().mkpath(folder)) {
        return false;
    }
    // The records hold the user's maps.
    QFile::setPermissions(folder,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return true;
}

std::string RecoveryFolder::newRecordPath() const {
    if (!usable()) {
        return std::string();
    }
    return path_ + strprintf("%lld-%lld.rec",
                             static_cast<long long>(QCoreApplication::applicationPid()),
                             static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
}

std::unique_ptr<QLockFile> RecoveryFolder::claim(const std::string& recordPath) {
    auto lock = std::make_unique<QLockFile>(toQString(recordPath + ".lock"));
    // Records are kept for hours: only a dead owner makes a lock stale, never its age.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        return nullptr;
    }
    return lock;
}

std::vector<AbandonedRecord> RecoveryFolder::claimAbandoned() const {
    std::vector<AbandonedRecord> found;
    if (!usable()) {
        return found;
    }
    for (const std::string& name : listFiles(path_, "*.rec")) {
        AbandonedRecord record;
        record.path = path_ + name;
        record.lock = claim(record.path);
        // No lock although no live editor holds one: the folder lets none be made.
        if (!record.lock && ownerLives(record.path)) {
            continue;
        }
        record.read = readRecoveryRecord(record.path);
        found.push_back(std::move(record));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const AbandonedRecord& a, const AbandonedRecord& b) {
                         if (!a.read.record || !b.read.record) {
                             return !a.read.record && b.read.record;
                         }
                         return a.read.record->time > b.read.record->time;
                     });
    return found;
}

std::string RecoveryFolder::setAside(const AbandonedRecord& record) {
    const std::string aside = record.path + ".unreadable";
    return std::rename(record.path.c_str(), aside.c_str()) == 0 ? aside : std::string();
}

} // namespace maporv
