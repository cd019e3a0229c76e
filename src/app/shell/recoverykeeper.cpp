#include "app/shell/recoverykeeper.h"

#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

#include <QLockFile>
#include <cstdio>
#include <ctime>

namespace maporv {

RecoveryKeeper::RecoveryKeeper(const EditSession& session, UserInterface& ui, RecoveryFolder folder)
    : workspace_(session.workspace()), ui_(ui), folder_(std::move(folder)),
      recordPath_(folder_.newRecordPath()) {
    timer_.setSingleShot(true);
    // A coarse timer may fire 5 % late: the record must follow within kDelay.
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kDelay);
    QObject::connect(&timer_, &QTimer::timeout, [this] { write(Report::FirstFailure); });
    following_ = session.follow([this](SessionChanges what) {
        if ((what & (kMapChanged | kNamesChanged | kDocumentChanged)) != 0) {
            changed();
        }
    });
}

RecoveryKeeper::~RecoveryKeeper() {
    if (!stopped_ && timer_.isActive()) {
        write(Report::Never);
    }
}

void RecoveryKeeper::changed() {
    if (stopped_) {
        return;
    }
    followMapFile(workspace_, origin_);
    if (!workspace_.document.modified && !workspace_.names.modified) {
        timer_.stop();
        remove();
    } else if (!timer_.isActive()) {
        timer_.start();
    }
}

bool RecoveryKeeper::writeNow() {
    return write(Report::FirstFailure);
}

bool RecoveryKeeper::write(Report report) {
    timer_.stop();
    if (stopped_) {
        return false;
    }
    if (!workspace_.document.modified && !workspace_.names.modified) {
        remove();
        return true;
    }
    RecoveryRecord record = recoveryRecordOf(workspace_, origin_, std::time(nullptr));
    if (written_ && sameWork(*written_, record)) {
        return true;
    }
    if (!folder_.usable()) {
        if (report == Report::FirstFailure && !failureShown_) {
            failureShown_ = true;
            ui_.error("No recovery record of unsaved changes is kept: neither XDG_STATE_HOME "
                      "nor HOME names a folder for it.\nEditing goes on; save your work to "
                      "keep it.");
        }
        return false;
    }
    if (!lock_ && folder_.prepare()) {
        lock_ = RecoveryFolder::claim(recordPath_);
    }
    if (lock_ && writeRecoveryRecord(recordPath_, record)) {
        written_ = std::move(record);
        return true;
    }
    if (report == Report::FirstFailure && !failureShown_) {
        failureShown_ = true;
        ui_.error(strprintf("Unsaved changes cannot be kept for recovery:\n%s\ncannot be "
                            "written.\nEditing goes on; save your work to keep it.",
                            recordPath_.c_str()));
    }
    return false;
}

void RecoveryKeeper::remove() {
    if (written_) {
        std::remove(recordPath_.c_str());
        written_.reset();
    }
    // The lock goes with the record; a next record is a new one.
    if (lock_) {
        lock_.reset();
        recordPath_ = folder_.newRecordPath();
    }
}

void RecoveryKeeper::finish() {
    // After keep() a box cut short by the end of the run may look like a No: the
    // record stays.
    if (stopped_) {
        return;
    }
    timer_.stop();
    remove();
    stopped_ = true;
}

void RecoveryKeeper::keep() {
    if (!stopped_) {
        write(Report::Never);
    }
    stopped_ = true;
}

void RecoveryKeeper::adopt(const std::string& path, std::unique_ptr<QLockFile> lock,
                           RecoveryRecord record) {
    if (record.mapFileStamp) {
        origin_ = {record.mapPath, record.mapFileStamp};
    }
    if (!lock) {
        return;
    }
    remove();
    recordPath_ = path;
    lock_ = std::move(lock);
    written_ = std::move(record);
}

} // namespace maporv
