#include "editing/filestamp.h"

#include "editing/bytehash.h"
#include "mapdata/inputfile.h"
#include "mapdata/paths.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace maporv {

std::optional<FileStamp> stampFile(const std::string& path, std::string& bytes) {
    // The time before the bytes: a write in between shows as a change, never as none.
    std::error_code ec;
    const auto modified = std::filesystem::last_write_time(resolveExisting(path), ec);
    InputFile file;
    if (ec || !file.open(path)) {
        return std::nullopt;
    }
    FileStamp stamp;
    stamp.size = file.size();
    stamp.modified = static_cast<std::int64_t>(modified.time_since_epoch().count());
    bytes.assign(static_cast<std::size_t>(std::min(stamp.size, FileStamp::kHashedBytes)), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const std::size_t read = file.read(bytes.data() + got, bytes.size() - got);
        if (read == 0) {
            break;
        }
        got += read;
    }
    bytes.resize(got);
    stamp.hash = ByteHash().add(bytes).value();
    return stamp;
}

bool sameContent(const FileStamp& then, const FileStamp& now) {
    return then.size == now.size && then.hash == now.hash &&
           (now.size <= FileStamp::kHashedBytes || then.modified == now.modified);
}

} // namespace maporv
