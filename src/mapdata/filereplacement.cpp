#include "mapdata/filereplacement.h"

#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace maporv {
namespace {

// As many links as the system itself follows before it gives up.
constexpr int kMaxLinks = 40;

// Follows a chain of symbolic links to the path it ends at, which need not exist.
bool followLinks(std::string& path) {
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return true;
        }
        char text[4096];
        const ssize_t length = ::readlink(path.c_str(), text, sizeof text);
        if (length <= 0 || static_cast<std::size_t>(length) == sizeof text) {
            return false;
        }
        const std::string linked(text, static_cast<std::size_t>(length));
        path = linked.front() == kSeparator ? linked : folderPart(path) + linked;
    }
    return false;
}

const char* kindOfNonFile(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "a folder";
    }
    if (S_ISFIFO(mode)) {
        return "a named pipe";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "a device";
    }
    return S_ISSOCK(mode) ? "a socket" : "no regular file";
}

bool writeAllAt(int fd, const char* data, std::size_t size, off_t offset) {
    for (std::size_t written = 0; written < size;) {
        const ssize_t n =
            ::pwrite(fd, data + written, size - written, offset + static_cast<off_t>(written));
        if (n > 0) {
            written += static_cast<std::size_t>(n);
        } else if (n == 0 || errno != EINTR) {
            return false;
        }
    }
    return true;
}

// Makes to hold exactly the bytes of from.
bool copyContents(int from, int to) {
    char buffer[65536];
    off_t offset = 0;
    for (;;) {
        const ssize_t n = ::pread(from, buffer, sizeof buffer, offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            break;
        }
        if (!writeAllAt(to, buffer, static_cast<std::size_t>(n), offset)) {
            return false;
        }
        offset += n;
    }
    return ::ftruncate(to, offset) == 0 && ::fsync(to) == 0;
}

// Removes the temporary files target.<pid>.tmp that a save of target left when its
// process was killed. The file of a process that still runs is its save in progress.
void removeLeftovers(const std::string& target) {
    const std::string stem = fileNameWithExtension(target) + '.';
    const std::string folder = folderPart(target);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(
             folder.empty() ? std::filesystem::path(".") : std::filesystem::path(folder), error)) {
        const std::string name = entry.path().filename().string();
        constexpr std::string_view kSuffix = ".tmp";
        if (name.size() <= stem.size() + kSuffix.size() || name.rfind(stem, 0) != 0 ||
            !name.ends_with(kSuffix)) {
            continue;
        }
        const std::string digits =
            name.substr(stem.size(), name.size() - stem.size() - kSuffix.size());
        if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) {
            continue;
        }
        const pid_t pid = static_cast<pid_t>(std::stol(digits));
        if (pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH) {
            const std::string leftover = folder + name;
            struct stat status {};
            if (::lstat(leftover.c_str(), &status) == 0 && !S_ISDIR(status.st_mode)) {
                ::unlink(leftover.c_str());
            }
        }
    }
}

} // namespace

FileReplacement::~FileReplacement() {
    discard();
}

bool FileReplacement::checkTarget() {
    struct stat status {};
    if (::stat(target_.c_str(), &status) != 0) {
        exists_ = false;
        return errno == ENOENT;
    }
    if (!S_ISREG(status.st_mode)) {
        refusal_ = strprintf("%s is %s, not a file: nothing was written.", target_.c_str(),
                             kindOfNonFile(status.st_mode));
        return false;
    }
    // Root may write any file, so for root a file is read-only when its mode lets no
    // one write it; for everyone else when the system would not let them open it to
    // write (the rename itself needs only the folder's permission).
    if (::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0 ||
        (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        refusal_ = strprintf("%s is read-only: nothing was written.", target_.c_str());
        return false;
    }
    exists_ = true;
    owner_ = status.st_uid;
    group_ = status.st_gid;
    mode_ = status.st_mode;
    // A rename would give only this name the new bytes; the other names would keep
    // the old file.
    inPlace_ = status.st_nlink > 1;
    return true;
}

bool FileReplacement::prepare(const std::string& path, std::string_view bytes) {
    discard();
    target_.clear();
    refusal_.clear();
    exists_ = false;
    inPlace_ = false;
    if (path.empty() || path.back() == kSeparator) {
        return false;
    }
    target_ = resolveForWrite(path);
    if (!followLinks(target_)) {
        refusal_ = strprintf("%s leads through too many symbolic links: nothing was written.",
                             path.c_str());
        return false;
    }
    if (!checkTarget()) {
        return false;
    }
    removeLeftovers(target_);

    const std::string temporary =
        strprintf("%s.%d.tmp", target_.c_str(), static_cast<int>(::getpid()));
    // O_EXCL and O_NOFOLLOW: whatever already sits at the temporary name (a file, a
    // folder, a link planted there) makes the write fail instead of being written
    // through. The bytes of a file that exists stay private until its mode is set.
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          exists_ ? 0600 : 0666);
    if (fd < 0) {
        return false;
    }
    temporary_ = temporary;
    bool ok = writeAllAt(fd, bytes.data(), bytes.size(), 0);
    if (ok && exists_ && !inPlace_) {
        struct stat made {};
        ok = ::fstat(fd, &made) == 0;
        // Giving the new file another owner or group needs privileges; without them
        // the old file is written in place, which keeps both.
        if (ok && (made.st_uid != owner_ || made.st_gid != group_) &&
            ::fchown(fd, owner_, group_) != 0) {
            inPlace_ = true;
        } else if (ok) {
            ok = ::fchmod(fd, mode_ & 07777) == 0;
        }
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok) {
        discard();
    }
    return ok;
}

bool FileReplacement::commit() {
    if (temporary_.empty()) {
        return false;
    }
    if (inPlace_) {
        return commitInPlace();
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        discard();
        return false;
    }
    temporary_.clear();
    return true;
}

bool FileReplacement::commitInPlace() {
    const std::string backup =
        strprintf("%s.%d.old", target_.c_str(), static_cast<int>(::getpid()));
    const int source = ::open(temporary_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    const int file = openRegularFile(target_, O_RDWR);
    int copy = -1;
    bool ok = source >= 0 && file >= 0;
    if (ok) {
        copy = ::open(backup.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        ok = copy >= 0 && copyContents(file, copy);
    }
    bool restored = true;
    if (ok) {
        // The old bytes are whole beside the file: it may now take the new ones.
        ok = copyContents(source, file);
        restored = ok || copyContents(copy, file);
    }
    for (const int fd : {source, file, copy}) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    if (copy >= 0 && restored) {
        ::unlink(backup.c_str());
    }
    if (!restored) {
        refusal_ = strprintf("%s could not be written whole: its previous contents are in %s",
                             target_.c_str(), backup.c_str());
    }
    discard();
    return ok;
}

void FileReplacement::discard() {
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

bool saveFile(const std::string& path, std::string_view bytes, UserInterface& ui,
              const std::string& failureMessage) {
    FileReplacement replacement;
    if (replacement.prepare(path, bytes) && replacement.commit()) {
        return true;
    }
    ui.error(replacement.refusal().empty() ? failureMessage : replacement.refusal());
    return false;
}

void ignoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace maporv
