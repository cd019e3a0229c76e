#include "mapdata/paths.h"

#include "mapdata/filereplacement.h"
#include "mapdata/inputfile.h"
#include "mapdata/textformat.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace maporv {
namespace {

bool existsExactly(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::path(path), ec);
}

// Finds an entry of folder whose name equals name case-insensitively.
bool findEntry(const std::string& folder, const std::string& name, std::string& found) {
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    if (ec) {
        return false;
    }
    for (const fs::directory_entry& entry : it) {
        std::string candidate = entry.path().filename().string();
        if (equalsIgnoreCase(candidate, name)) {
            found = candidate;
            return true;
        }
    }
    return false;
}

} // namespace

std::string resolveExisting(const std::string& path) {
    if (path.empty() || existsExactly(path)) {
        return path;
    }
    std::string resolved;
    size_t pos = 0;
    if (path[0] == kSeparator) {
        resolved = "/";
        pos = 1;
    }
    while (pos <= path.size()) {
        size_t next = path.find(kSeparator, pos);
        const bool last = next == std::string::npos;
        std::string component = path.substr(pos, last ? std::string::npos : next - pos);
        if (!component.empty()) {
            std::string candidate = resolved + component;
            if (component == "." || component == ".." || existsExactly(candidate)) {
                resolved = candidate;
            } else {
                std::string found;
                if (!findEntry(resolved, component, found)) {
                    return path;
                }
                resolved += found;
            }
            if (!last) {
                resolved += kSeparator;
            }
        }
        if (last) {
            break;
        }
        pos = next + 1;
    }
    return resolved;
}

std::string resolveForWrite(const std::string& path) {
    std::string existing = resolveExisting(path);
    if (existing != path || existsExactly(path)) {
        return existing;
    }
    const std::string folder = folderPart(path);
    if (folder.empty()) {
        return path;
    }
    return resolveExisting(folder) + fileNameWithExtension(path);
}

bool fileExists(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    return existsExactly(resolveExisting(path));
}

bool isFolder(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    std::error_code ec;
    return fs::is_directory(fs::path(resolveExisting(path)), ec);
}

std::string fileNameWithExtension(const std::string& path) {
    const size_t slash = path.rfind(kSeparator);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string fileNamePart(const std::string& path) {
    std::string name = fileNameWithExtension(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string folderPart(const std::string& path) {
    const size_t slash = path.rfind(kSeparator);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string extensionPart(const std::string& path) {
    std::string name = fileNameWithExtension(path);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string removeExtension(const std::string& path) {
    return folderPart(path) + fileNamePart(path);
}

std::string parentFolder(const std::string& path) {
    std::string folder = folderPart(path);
    while (folder.size() > 1 && folder.back() == kSeparator) {
        folder.pop_back();
    }
    if (folder.empty()) {
        return std::string();
    }
    if (folder == "/") {
        return folder;
    }
    const size_t slash = folder.rfind(kSeparator);
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

std::string withTrailingSeparator(const std::string& folder) {
    if (folder.empty() || folder.back() == kSeparator) {
        return folder;
    }
    return folder + kSeparator;
}

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    size_t p = 0;
    size_t n = 0;
    size_t starP = std::string_view::npos;
    size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

std::vector<std::string> listFiles(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    const std::string resolved = folder.empty() ? std::string(".") : resolveExisting(folder);
    std::error_code ec;
    fs::directory_iterator it(resolved, ec);
    if (ec) {
        return names;
    }
    for (const fs::directory_entry& entry : it) {
        std::error_code typeError;
        if (!entry.is_regular_file(typeError)) {
            continue;
        }
        std::string name = entry.path().filename().string();
        if (wildcardMatch(pattern, name)) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end(), listTextLess);
    return names;
}

bool writeFileAtomically(const std::string& path, std::string_view bytes) {
    FileReplacement replacement;
    return replacement.prepare(path, bytes) && replacement.commit();
}

bool readWholeFile(const std::string& path, std::string& bytes) {
    InputFile file;
    if (!file.open(path)) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(file.size()));
    bytes.resize(file.read(bytes.data(), bytes.size()));
    return true;
}

bool isRegularFile(const std::string& path) {
    struct stat status {};
    return !path.empty() && ::stat(resolveExisting(path).c_str(), &status) == 0 &&
           S_ISREG(status.st_mode);
}

int openRegularFile(const std::string& path, int flags) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return -1;
    }
    // Checked again on the open file: the path may have changed in between.
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace maporv
