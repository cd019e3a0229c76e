#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace maporv {

// A file opened for binary reading, closed when the object goes. Offsets and sizes are
// 64-bit and every read reports what it really got: the readers take any bytes, and a
// header may claim sizes the file does not have.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens an existing file, matching its name case-insensitively, without blocking;
    // false for anything but a regular file (a folder, a named pipe, a device) and a
    // file that cannot be opened. Closes any file opened before.
    bool open(const std::string& path);
    void close();

    // Size of the file when it was opened.
    std::uint64_t size() const { return size_; }
    // False (and the position unchanged) for an offset beyond the end of the file.
    bool seek(std::uint64_t offset);
    // One read call of up to count bytes; returns the number of bytes read.
    std::size_t read(void* buffer, std::size_t count);

private:
    std::FILE* file_ = nullptr;
    std::uint64_t size_ = 0;
};

} // namespace maporv
