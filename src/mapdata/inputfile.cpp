#include "mapdata/inputfile.h"

#include "mapdata/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace maporv {

InputFile::~InputFile() {
    close();
}

bool InputFile::open(const std::string& path) {
    close();
    if (path.empty()) {
        return false;
    }
    // Resolved once: the name as spelled on disk is then found without another search.
    // A named pipe, a device or a folder is refused as a file that cannot be opened.
    const int fd = openRegularFile(resolveExisting(path), O_RDONLY);
    if (fd < 0) {
        return false;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || (file_ = ::fdopen(fd, "rb")) == nullptr) {
        ::close(fd);
        return false;
    }
    size_ = static_cast<std::uint64_t>(status.st_size);
    return true;
}

void InputFile::close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    size_ = 0;
}

bool InputFile::seek(std::uint64_t offset) {
    if (file_ == nullptr || offset > size_) {
        return false;
    }
    return std::fseek(file_, static_cast<long>(offset), SEEK_SET) == 0;
}

std::size_t InputFile::read(void* buffer, std::size_t count) {
    if (file_ == nullptr || count == 0) {
        return 0;
    }
    return std::fread(buffer, 1, count, file_);
}

} // namespace maporv
