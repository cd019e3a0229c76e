#include "editing/recoveryrecord.h"

#include "editing/bytehash.h"
#include "mapdata/inputfile.h"
#include "mapdata/littleendian.h"
#include "mapdata/mapdocument.h"
#include "mapdata/paths.h"

#include <array>

namespace maporv {
namespace {

constexpr std::string_view kSignature = "MAPORVRC";
// Version 2 added the stamp of the map file after the time.
constexpr std::uint32_t kFirstVersion = 1;
constexpr std::uint32_t kVersion = 2;

constexpr std::uint32_t kMapModified = 0x1;
constexpr std::uint32_t kNamesModified = 0x2;
constexpr std::uint32_t kMapIsOwnFile = 0x4;
constexpr std::uint32_t kMapFileStamped = 0x8;
constexpr std::uint32_t kFirstVersionFlags = kMapModified | kNamesModified | kMapIsOwnFile;

// Far above any real path; a longer one is damage, not a path.
constexpr std::size_t kMaxPath = 4096;
// 1800 hexes of the longest name a names file line holds, with room to spare.
constexpr std::size_t kMaxNamesText = 4u << 20;
constexpr std::size_t kHeaderSize = kSignature.size() + 4 + 4 + 8 + 3 * 8;
constexpr std::size_t kChecksumSize = 8;
constexpr std::size_t kMaxRecordSize =
    kHeaderSize + 5 * 4 + 3 * kMaxPath + kMapFileSize + kMaxNamesText + kChecksumSize;

// A torn or altered record shows in its last 8 bytes.
std::uint64_t checksum(std::string_view bytes) {
    return ByteHash().add(bytes).value();
}

void put32(std::string& out, std::uint32_t value) {
    std::array<std::uint8_t, 4> bytes{};
    writeU32(bytes.data(), value);
    out.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void put64(std::string& out, std::uint64_t value) {
    put32(out, static_cast<std::uint32_t>(value & 0xFFFFFFFFu));
    put32(out, static_cast<std::uint32_t>(value >> 32));
}

void putText(std::string& out, std::string_view text) {
    put32(out, static_cast<std::uint32_t>(text.size()));
    out.append(text);
}

// Takes values from the front of the bytes; every take is checked against what is left.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}

    bool take32(std::uint32_t& value) {
        if (left() < 4) {
            return false;
        }
        value = readU32(reinterpret_cast<const std::uint8_t*>(bytes_.data() + pos_));
        pos_ += 4;
        return true;
    }
    bool take64(std::uint64_t& value) {
        std::uint32_t low = 0;
        std::uint32_t high = 0;
        if (left() < 8) {
            return false;
        }
        take32(low);
        take32(high);
        value = (static_cast<std::uint64_t>(high) << 32) | low;
        return true;
    }
    // A length, then that many bytes; a length above limit is left untaken.
    enum class Take { Ok, Short, TooLong };
    Take takeText(std::string& text, std::size_t limit) {
        std::uint32_t size = 0;
        if (!take32(size)) {
            return Take::Short;
        }
        if (size > limit) {
            return Take::TooLong;
        }
        if (left() < size) {
            return Take::Short;
        }
        text.assign(bytes_.data() + pos_, size);
        pos_ += size;
        return Take::Ok;
    }
    std::size_t position() const { return pos_; }
    std::size_t left() const { return bytes_.size() - pos_; }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

constexpr const char* kForeign = "it is not a recovery record of MapOrv";
constexpr const char* kOtherVersion = "it was written by another version of MapOrv";
constexpr const char* kIncomplete = "it is incomplete";
constexpr const char* kDamaged = "it is damaged";

RecoveryRead refused(const char* problem) {
    return {std::nullopt, problem};
}

} // namespace

bool sameWork(const RecoveryRecord& a, const RecoveryRecord& b) {
    return a.mapPath == b.mapPath && a.mapIsOwnFile == b.mapIsOwnFile &&
           a.namesPath == b.namesPath && a.picturePath == b.picturePath &&
           a.mapModified == b.mapModified && a.namesModified == b.namesModified &&
           a.mapFileStamp == b.mapFileStamp && a.mapBytes == b.mapBytes &&
           a.namesText == b.namesText;
}

std::string encodeRecoveryRecord(const RecoveryRecord& record) {
    std::string out(kSignature);
    put32(out, kVersion);
    put32(out, (record.mapModified ? kMapModified : 0) |
                   (record.namesModified ? kNamesModified : 0) |
                   (record.mapIsOwnFile ? kMapIsOwnFile : 0) |
                   (record.mapFileStamp ? kMapFileStamped : 0));
    put64(out, static_cast<std::uint64_t>(record.time));
    const FileStamp stamp = record.mapFileStamp.value_or(FileStamp());
    put64(out, stamp.size);
    put64(out, static_cast<std::uint64_t>(stamp.modified));
    put64(out, stamp.hash);
    for (const std::string* text : {&record.mapPath, &record.namesPath, &record.picturePath,
                                    &record.mapBytes, &record.namesText}) {
        putText(out, *text);
    }
    put64(out, checksum(out));
    return out;
}

RecoveryRead decodeRecoveryRecord(std::string_view bytes) {
    const std::string_view signature = bytes.substr(0, kSignature.size());
    if (signature != kSignature.substr(0, signature.size())) {
        return refused(kForeign);
    }
    if (signature.size() < kSignature.size()) {
        return refused(kIncomplete);
    }
    Reader reader(bytes.substr(kSignature.size()));
    std::uint32_t version = 0;
    std::uint32_t flags = 0;
    std::uint64_t time = 0;
    if (!reader.take32(version)) {
        return refused(kIncomplete);
    }
    if (version != kVersion && version != kFirstVersion) {
        return refused(kOtherVersion);
    }
    if (!reader.take32(flags) || !reader.take64(time)) {
        return refused(kIncomplete);
    }
    FileStamp stamp;
    if (version == kVersion) {
        std::uint64_t modified = 0;
        if (!reader.take64(stamp.size) || !reader.take64(modified) || !reader.take64(stamp.hash)) {
            return refused(kIncomplete);
        }
        stamp.modified = static_cast<std::int64_t>(modified);
    }
    const std::uint32_t knownFlags =
        version == kVersion ? kFirstVersionFlags | kMapFileStamped : kFirstVersionFlags;

    RecoveryRecord record;
    struct Field {
        std::string* text;
        std::size_t limit;
    };
    const std::array<Field, 5> fields{{{&record.mapPath, kMaxPath},
                                       {&record.namesPath, kMaxPath},
                                       {&record.picturePath, kMaxPath},
                                       {&record.mapBytes, kMapFileSize},
                                       {&record.namesText, kMaxNamesText}}};
    for (const Field& field : fields) {
        switch (reader.takeText(*field.text, field.limit)) {
        case Reader::Take::Ok:
            break;
        case Reader::Take::Short:
            return refused(kIncomplete);
        case Reader::Take::TooLong:
            return refused(kDamaged);
        }
    }
    const std::size_t checked = kSignature.size() + reader.position();
    std::uint64_t stored = 0;
    if (!reader.take64(stored)) {
        return refused(kIncomplete);
    }
    if (reader.left() != 0 || stored != checksum(bytes.substr(0, checked)) ||
        (flags & ~knownFlags) != 0 || record.mapBytes.size() != kMapFileSize ||
        ((flags & kMapFileStamped) == 0 && stamp != FileStamp())) {
        return refused(kDamaged);
    }
    record.mapModified = (flags & kMapModified) != 0;
    record.namesModified = (flags & kNamesModified) != 0;
    record.mapIsOwnFile = (flags & kMapIsOwnFile) != 0;
    if ((flags & kMapFileStamped) != 0) {
        record.mapFileStamp = stamp;
    }
    record.time = static_cast<std::int64_t>(time);
    return {std::move(record), std::string()};
}

bool writeRecoveryRecord(const std::string& path, const RecoveryRecord& record) {
    return writeFileAtomically(path, encodeRecoveryRecord(record));
}

RecoveryRead readRecoveryRecord(const std::string& path) {
    InputFile file;
    if (!file.open(path)) {
        return refused("it cannot be opened");
    }
    if (file.size() > kMaxRecordSize) {
        return refused(kDamaged);
    }
    std::string bytes(static_cast<std::size_t>(file.size()), '\0');
    bytes.resize(file.read(bytes.data(), bytes.size()));
    return decodeRecoveryRecord(bytes);
}

} // namespace maporv
