#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace maporv {

// What a file was at one moment: enough to tell later whether it still holds the same
// bytes, without keeping them.
struct FileStamp {
    // A map file is 14371 bytes; the hash covers far more than any real one.
    static constexpr std::uint64_t kHashedBytes = 1u << 20;

    std::uint64_t size = 0;
    // The file system's modification time in its own units: compared, never shown.
    std::int64_t modified = 0;
    // Of the first kHashedBytes bytes.
    std::uint64_t hash = 0;

    bool operator==(const FileStamp&) const = default;
};

// The file as it is now (its name matched case-insensitively); bytes receives what the
// hash covers. None when it cannot be read.
std::optional<FileStamp> stampFile(const std::string& path, std::string& bytes);

// The bytes are the same: the same size and hash, and for a file longer than the hash
// covers the same modification time too. A file only touched is still the same.
bool sameContent(const FileStamp& then, const FileStamp& now);

} // namespace maporv
