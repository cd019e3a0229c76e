#include "tempfolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace maporv::test {

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "maporv-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = pattern + "/";
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempFolder::write(const std::string& relative, std::string_view bytes) const {
    const fs::path target = fs::path(path_) / relative;
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return target.string();
}

std::string TempFolder::makeFolder(const std::string& relative) const {
    const fs::path target = fs::path(path_) / relative;
    fs::create_directories(target);
    std::string folder = target.string();
    if (folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string TempFolder::read(const std::string& relative) const {
    std::ifstream in(fs::path(path_) / relative, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace maporv::test
