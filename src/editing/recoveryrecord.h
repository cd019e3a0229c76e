#pragma once

#include "editing/filestamp.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace maporv {

// What the editor keeps of unsaved work so that a crash, a killed process or a power
// cut loses nothing: the map and its names as their files would hold them, where they
// belong, and which of the two is modified.
struct RecoveryRecord {
    // The MAP file, or the path a new map would be proposed under.
    std::string mapPath;
    // mapPath names the file the map was read from or last written to.
    bool mapIsOwnFile = false;
    std::string namesPath;
    std::string picturePath;
    bool mapModified = false;
    bool namesModified = false;
    // The map's own file as the work began from it (read, written, or matched by the map
    // undone back to it), so that a recovery can tell whether the file changed since.
    // None when the map has no file of its own, or for a record of the first version.
    std::optional<FileStamp> mapFileStamp;
    // When the record was taken, in seconds since the epoch.
    std::int64_t time = 0;
    // The 14371 bytes of the MAP file.
    std::string mapBytes;
    // The text of the names file.
    std::string namesText;
};

// The same work in both, whenever each was taken.
bool sameWork(const RecoveryRecord& a, const RecoveryRecord& b);

// The record as a file: a signature, the version, the flags, the time and the map
// file's stamp, the texts each after its length, and a checksum of all that, so that a
// torn or foreign file is recognised.
std::string encodeRecoveryRecord(const RecoveryRecord& record);

struct RecoveryRead {
    std::optional<RecoveryRecord> record;
    // Why there is none, for the message that names the file.
    std::string problem;
};

// Every byte is checked against the file's size before it is read: a short, damaged
// or foreign file, or one of another version, gives no record and a problem. A record
// of the first version (no stamp of the map file) is still read.
RecoveryRead decodeRecoveryRecord(std::string_view bytes);

// Written through a temporary file and a rename, so a record on disk is always whole.
bool writeRecoveryRecord(const std::string& path, const RecoveryRecord& record);
// Reads no more than a record can hold.
RecoveryRead readRecoveryRecord(const std::string& path);

} // namespace maporv
