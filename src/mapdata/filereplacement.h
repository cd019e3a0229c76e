#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

namespace maporv {

class UserInterface;

// Replaces one file so that a failure or a kill never leaves it half written, in two
// steps so that several files (the tiles of a set) can be written first and put in
// place together. prepare() checks the target and writes the new bytes to a temporary
// file beside it; commit() puts them in place. A prepared replacement that is never
// committed is discarded when the object goes.
//
// A symbolic link is followed (a chain too, and a dangling one to the file it would
// name); the file it names is replaced in its own folder and the link stays a link. The
// replaced file keeps its owner, group and mode. A file with more than one hard link,
// or one whose owner the new file cannot be given, is written in place instead, after a
// complete copy of its old bytes beside it, so that its other names and its owner stay.
class FileReplacement {
public:
    FileReplacement() = default;
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // False when the target is refused (refusal() says why: read-only, not a regular
    // file) or the temporary file could not be written (refusal() is empty). Nothing
    // of the target is touched either way.
    bool prepare(const std::string& path, std::string_view bytes);
    // False when the bytes could not be put in place; the target then keeps its
    // previous bytes.
    bool commit();
    // Removes the temporary file of a prepared replacement.
    void discard();

    // The file that is replaced: the path as spelled on disk, links followed.
    const std::string& target() const { return target_; }
    // Why the replacement was refused or failed, as a message for the user; empty for
    // failures that the caller reports in its own words (no room, no such folder).
    const std::string& refusal() const { return refusal_; }

private:
    bool checkTarget();
    bool commitInPlace();

    std::string target_;
    std::string temporary_;
    std::string refusal_;
    bool exists_ = false;
    bool inPlace_ = false;
    uid_t owner_ = 0;
    gid_t group_ = 0;
    mode_t mode_ = 0;
};

// Replaces path with bytes; on failure shows the writer's own reason when it has one
// (read-only, not a regular file), else failureMessage, and returns false.
bool saveFile(const std::string& path, std::string_view bytes, UserInterface& ui,
              const std::string& failureMessage);

// Lets a write beyond the file size limit (ulimit -f) fail like any other, so that
// the writer cleans up, instead of the signal ending the program. Each program calls
// it once at its start.
void ignoreFileSizeSignal();

} // namespace maporv
