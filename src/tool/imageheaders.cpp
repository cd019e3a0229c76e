#include "tool/imageheaders.h"

#include "mapdata/inputfile.h"
#include "mapdata/littleendian.h"
#include "mapdata/textformat.h"
#include "picture/mappicture.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace maporv::tool {
namespace {

// Reads a file forward from an offset; a read is false when the file ends first.
class FileCursor {
public:
    explicit FileCursor(InputFile& file) : file_(file) {}

    bool read(std::uint8_t* out, std::size_t count) {
        if (!file_.seek(at_) || file_.read(out, count) != count) {
            return false;
        }
        at_ += count;
        return true;
    }
    void skip(std::uint64_t count) { at_ += count; }

private:
    InputFile& file_;
    std::uint64_t at_ = 0;
};

// A GIF's first image ends with an empty data sub-block.
bool gifFirstImageWhole(InputFile& file) {
    FileCursor in(file);
    auto skipColourTable = [&](std::uint8_t flags) {
        if ((flags & 0x80) != 0) {
            in.skip(3u << ((flags & 7) + 1));
        }
    };
    auto skipSubBlocks = [&] {
        std::uint8_t size = 0;
        do {
            if (!in.read(&size, 1)) {
                return false;
            }
            in.skip(size);
        } while (size != 0);
        return true;
    };
    std::uint8_t screen[13];
    if (!in.read(screen, sizeof screen)) {
        return false;
    }
    skipColourTable(screen[10]);
    for (;;) {
        std::uint8_t introducer = 0;
        if (!in.read(&introducer, 1)) {
            return false;
        }
        if (introducer == 0x21) { // an extension: its label, then sub-blocks
            in.skip(1);
            if (!skipSubBlocks()) {
                return false;
            }
        } else if (introducer == 0x2C) { // the image: descriptor, colours, code size, data
            std::uint8_t descriptor[9];
            if (!in.read(descriptor, sizeof descriptor)) {
                return false;
            }
            skipColourTable(descriptor[8]);
            in.skip(1);
            return skipSubBlocks();
        } else {
            return true; // the trailer, or a block no decoder takes: the reader says so
        }
    }
}

// Run-length BMP data reaches its end-of-bitmap code or its last row.
bool bmpRunsWhole(InputFile& file, std::uint64_t offset, bool fourBits, std::int64_t rows) {
    std::vector<std::uint8_t> data(file.size() - std::min(offset, file.size()));
    if (!file.seek(offset) || file.read(data.data(), data.size()) != data.size()) {
        return false;
    }
    std::int64_t row = 0;
    for (std::size_t at = 0; at + 2 <= data.size() && row < rows;) {
        const std::uint8_t count = data[at];
        const std::uint8_t code = data[at + 1];
        at += 2;
        if (count != 0) {
            continue; // a run of count pixels
        }
        if (code == 0) {
            ++row;
        } else if (code == 1) {
            return true;
        } else if (code == 2) { // a move right and down
            row += at + 1 < data.size() ? data[at + 1] : 0;
            at += 2;
        } else { // code pixels as they are, padded to a 16-bit word
            const std::size_t bytes = fourBits ? (code + 1u) / 2 : code;
            at += (bytes + 1) / 2 * 2;
        }
    }
    return row >= rows;
}

std::string bmpMissing(InputFile& file) {
    std::uint8_t head[34] = {};
    const std::size_t got = file.read(head, sizeof head);
    const std::uint32_t offset = readU32(head + 10);
    const bool core = readU32(head + 14) == 12; // the old header of 16-bit sizes
    if (got < (core ? 26u : sizeof head)) {
        return ""; // too short for the reader to take
    }
    const std::int64_t width = core ? readU16(head + 18) : readI32(head + 18);
    const std::int64_t rows =
        std::abs(core ? std::int64_t{readU16(head + 20)} : readI32(head + 22));
    const int bits = readU16(head + (core ? 24 : 28));
    const std::uint32_t compression = core ? 0 : readU32(head + 30);
    if (compression == 1 || compression == 2) {
        return bmpRunsWhole(file, offset, compression == 2, rows)
                   ? ""
                   : "the file ends inside its run-length pixel data";
    }
    // Beyond these sizes no reader takes the file, and the sums below stay in range.
    constexpr std::int64_t kLargest = std::int64_t{1} << 26;
    if ((compression != 0 && compression != 3 && compression != 6) || width <= 0 ||
        width > kLargest || rows > kLargest || bits <= 0 || bits > 64) {
        return "";
    }
    const std::uint64_t end =
        offset + static_cast<std::uint64_t>(bitmapRowLength(bits, width)) * rows;
    if (end <= file.size()) {
        return "";
    }
    return strprintf("the file ends %llu bytes before its pixel data does",
                     static_cast<unsigned long long>(end - file.size()));
}

bool isFrameHeader(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

} // namespace

std::string missingImageData(const std::string& path, const std::string& format) {
    InputFile file;
    if ((format != "gif" && format != "bmp") || !file.open(path)) {
        return "";
    }
    if (format == "bmp") {
        return bmpMissing(file);
    }
    return gifFirstImageWhole(file) ? "" : "the file ends inside its image data";
}

std::uint64_t jpegCoefficientBytes(const std::string& path) {
    InputFile file;
    FileCursor in(file);
    std::uint8_t start[2];
    if (!file.open(path) || !in.read(start, 2) || start[0] != 0xFF || start[1] != 0xD8) {
        return 0;
    }
    for (;;) {
        std::uint8_t marker[2];
        if (!in.read(marker, 2) || marker[0] != 0xFF) {
            return 0;
        }
        while (marker[1] == 0xFF) { // fill bytes before the marker's code
            if (!in.read(marker + 1, 1)) {
                return 0;
            }
        }
        if (marker[1] == 0x01 || (marker[1] >= 0xD0 && marker[1] <= 0xD7)) {
            continue; // markers without a segment
        }
        std::uint8_t length[2];
        if (marker[1] == 0xD9 || marker[1] == 0xDA || !in.read(length, 2)) {
            return 0; // the image or the scan ends before any frame header
        }
        if (!isFrameHeader(marker[1])) {
            in.skip(std::max((length[0] << 8 | length[1]) - 2, 0));
            continue;
        }
        // Precision, height, width, components, then 3 bytes per component.
        std::uint8_t frame[6 + 3 * 255];
        if (!in.read(frame, 6) || !in.read(frame + 6, 3u * frame[5])) {
            return 0;
        }
        const bool progressive = (marker[1] & 3) == 2; // C2, C6, CA, CE
        const std::uint64_t height = frame[1] << 8 | frame[2];
        const std::uint64_t width = frame[3] << 8 | frame[4];
        const std::uint8_t* components = frame + 6;
        int widest = 1;
        int highest = 1;
        for (int i = 0; i < frame[5]; ++i) {
            widest = std::max(widest, components[3 * i + 1] >> 4);
            highest = std::max(highest, components[3 * i + 1] & 15);
        }
        std::uint64_t bytes = 0;
        for (int i = 0; i < frame[5] && progressive; ++i) {
            const std::uint64_t across = std::max(components[3 * i + 1] >> 4, 1);
            const std::uint64_t down = std::max(components[3 * i + 1] & 15, 1);
            // Blocks of the component, in whole units of its sampling factors.
            auto blocks = [](std::uint64_t pixels, std::uint64_t factor, int largest) {
                const std::uint64_t count = (pixels * factor + 8 * largest - 1) / (8 * largest);
                return (count + factor - 1) / factor * factor;
            };
            bytes += blocks(width, across, widest) * blocks(height, down, highest) * 64 * 2;
        }
        return bytes;
    }
}

} // namespace maporv::tool
