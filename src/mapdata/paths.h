#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace maporv {

// Path helpers over native paths ('/' separators, folder strings end with '/').
// The game's data comes from a case-insensitive file system, so every lookup of an
// existing file or folder matches each path component case-insensitively when the
// exact spelling does not exist.

inline constexpr char kSeparator = '/';

// The on-disk spelling of an existing path, or the path unchanged when nothing matches.
std::string resolveExisting(const std::string& path);

// Where a file should be written: the existing file's spelling when one matches
// case-insensitively, otherwise the resolved folder followed by the given name.
std::string resolveForWrite(const std::string& path);

// True when the path names an existing file or folder.
bool fileExists(const std::string& path);
bool isFolder(const std::string& path);

// The name without folder and without extension ("file-name part", the title).
std::string fileNamePart(const std::string& path);
// The name with its extension, without the folder.
std::string fileNameWithExtension(const std::string& path);
// Folder part, ending in a separator; empty when the path has no folder.
std::string folderPart(const std::string& path);
// The extension including its dot, as written; empty when there is none.
std::string extensionPart(const std::string& path);
// The path without its extension.
std::string removeExtension(const std::string& path);
// For a path ending in a separator: the folder above it; for a file path: the
// folder above the file's folder. Always ends in a separator (empty when there is
// no folder above).
std::string parentFolder(const std::string& path);
// Appends a separator when the text is not empty and does not end in one.
std::string withTrailingSeparator(const std::string& folder);

// Case-insensitive wildcard match with '*' and '?', as the game's platform lists files.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// Names (not paths) of the regular files in folder that match pattern, compared
// case-insensitively; sorted case-insensitively. An unreadable or missing folder
// gives an empty list.
std::vector<std::string> listFiles(const std::string& folder, const std::string& pattern);

// Writes bytes to a temporary file beside path and renames it over path only when
// every byte was written, so a failure never destroys the previous file
// (FileReplacement: links followed, owner, group and mode kept, hard links whole). A
// target that is read-only or not a regular file is refused and nothing is written.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole file (case-insensitive lookup). False when it cannot be opened or is no
// regular file.
bool readWholeFile(const std::string& path, std::string& bytes);

// True when the path names a regular file (or a link to one): not a folder, a named
// pipe, a device or a socket, which a reader would block on or misread.
bool isRegularFile(const std::string& path);

// Opens an existing regular file, spelled as on disk, with the open flags given
// (O_RDONLY, O_RDWR) without ever blocking: a named pipe or a device is refused before
// it is opened, and opening does not wait for a writer. -1 when the path is not a
// regular file or cannot be opened. The descriptor then reads and writes as usual.
int openRegularFile(const std::string& path, int flags);

} // namespace maporv
