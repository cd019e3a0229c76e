#pragma once

#include "app/shell/recoveryfolder.h"
#include "editing/editsession.h"
#include "editing/recoveryrecord.h"
#include "editing/workrecovery.h"

#include <QTimer>
#include <memory>
#include <optional>
#include <string>

class QLockFile;

namespace maporv {

class UserInterface;

// Keeps one recovery record of the editor's unsaved work, locked as this editor's own
// for as long as it exists.
//
// It follows the editing session: every change of the map, the names or their modified
// flags is a change of the work. Nothing runs at rest: a change starts one single-shot
// timer unless it already runs, so changes coalesce and the record follows at most
// kDelay after the first of them, written only when the work differs from the record
// already there. Once neither the
// map nor the names are modified the record goes at once. A record that cannot be
// written never stops the editing: the first failure says so, later ones are silent
// and every further change tries again. Without a usable folder nothing is ever
// written, and the first change says so.
//
// Every change also follows the map's own file (followMapFile), so that a record knows
// the file its work began from.
class RecoveryKeeper {
public:
    static constexpr int kDelay = 2000; // milliseconds

    RecoveryKeeper(const EditSession& session, UserInterface& ui,
                   RecoveryFolder folder = RecoveryFolder());
    // A change still waiting is written; the record stays for the next start.
    ~RecoveryKeeper();
    RecoveryKeeper(const RecoveryKeeper&) = delete;
    RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

    const RecoveryFolder& folder() const { return folder_; }
    // Where this editor's record is or will be.
    const std::string& recordPath() const { return recordPath_; }
    bool hasRecord() const { return written_.has_value(); }
    // A change waits for its record.
    bool pending() const { return timer_.isActive(); }

    // The map, the names or their modified flags may have changed; the session's
    // notices call it.
    void changed();
    // The record now, if the work differs from it. False when it could not be written.
    bool writeNow();
    // The work is no longer at risk (the exit flow ended): the record goes, and
    // nothing is kept any more.
    void finish();
    // The process ends outside the exit flow (SIGTERM, SIGHUP): the record is brought
    // up to date without a word and stays for the next start; nothing more is done.
    void keep();
    // A record found at start-up, whose work the editor took back: it becomes this
    // editor's own, with its lock. Without a lock (a read-only folder) it stays where
    // it is, and only the file the work began from is taken over.
    void adopt(const std::string& path, std::unique_ptr<QLockFile> lock, RecoveryRecord record);

private:
    enum class Report { FirstFailure, Never };
    bool write(Report report);
    void remove();

    const MapWorkspace& workspace_;
    UserInterface& ui_;
    RecoveryFolder folder_;
    std::string recordPath_;
    std::unique_ptr<QLockFile> lock_;
    // The work of the record on disk.
    std::optional<RecoveryRecord> written_;
    MapFileOrigin origin_;
    QTimer timer_;
    bool stopped_ = false;
    bool failureShown_ = false;
    EditSession::Following following_;
};

} // namespace maporv
