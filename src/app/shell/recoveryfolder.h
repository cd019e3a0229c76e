#pragma once

#include "editing/recoveryrecord.h"

#include <memory>
#include <string>
#include <vector>

class QLockFile;

namespace maporv {

// A record of an editor that is gone, claimed by this one: its lock is held, so no
// other editor offers it meanwhile. In a folder where no lock can be made (read-only)
// a record can still be read and offered, but it has no lock and cannot be removed.
struct AbandonedRecord {
    AbandonedRecord();
    AbandonedRecord(AbandonedRecord&&) noexcept;
    AbandonedRecord& operator=(AbandonedRecord&&) noexcept;
    ~AbandonedRecord();

    std::string path;
    std::unique_ptr<QLockFile> lock;
    RecoveryRead read;
};

// The folder of the recovery records, one file per running editor ("*.rec"), each
// locked by its owner with a QLockFile beside it ("*.rec.lock"). The lock names the
// owner's process: a lock whose process is gone is taken over, one whose process
// lives never is, however old.
class RecoveryFolder {
public:
    // $XDG_STATE_HOME/maporv/recovery/, by default ~/.local/state/maporv/recovery/;
    // empty when neither names a folder (HOME unset, or the root), so that nothing is
    // ever written at the root.
    static std::string standardPath();

    explicit RecoveryFolder(std::string path = standardPath());

    const std::string& path() const { return path_; }
    // There is a folder to keep records in.
    bool usable() const { return !path_.empty(); }
    // Creates the folder, readable by its user only. False when it cannot be made.
    bool prepare() const;
    // A name for this editor's own record, unlike that of any other editor; empty
    // without a usable folder.
    std::string newRecordPath() const;
    // The lock of a record, held; none when its owner lives or it cannot be made.
    static std::unique_ptr<QLockFile> claim(const std::string& recordPath);

    // The records whose owner is gone, claimed where the folder allows it: those that
    // cannot be read first, then the others newest first.
    std::vector<AbandonedRecord> claimAbandoned() const;
    // Moves a record that cannot be read out of the way, so it is never offered again;
    // returns where it went, empty when it could not be moved.
    static std::string setAside(const AbandonedRecord& record);

private:
    std::string path_;
};

} // namespace maporv
