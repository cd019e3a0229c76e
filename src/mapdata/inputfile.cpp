#include "mapdata/inputfile.h"

#include "mapdata/paths.h"

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
    const std::string onDisk = resolveExisting(path);
    if (isFolder(onDisk)) {
        return false;
    }
    file_ = std::fopen(onDisk.c_str(), "rb");
    if (file_ == nullptr) {
        return false;
    }
    long end = -1;
    if (std::fseek(file_, 0, SEEK_END) == 0) {
        end = std::ftell(file_);
    }
    if (end < 0 || std::fseek(file_, 0, SEEK_SET) != 0) {
        close();
        return false;
    }
    size_ = static_cast<std::uint64_t>(end);
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
