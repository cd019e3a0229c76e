#include "tool/imageheaders.h"

#include "mapdata/inputfile.h"
#include "mapdata/littleendian.h"
#include "mapdata/textformat.h"
#include "picture/mappicture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace maporv::tool {
namespace {

// Reads a file forward through a buffer.
class FileCursor {
public:
    explicit FileCursor(InputFile& file) : file_(file) {}

    // Up to count bytes; how many the file still had.
    std::size_t readUpTo(std::uint8_t* out, std::size_t count) {
        std::size_t done = 0;
        while (done < count && (next_ < end_ || refill())) {
            const std::size_t piece = std::min(count - done, end_ - next_);
            std::memcpy(out + done, buffer_.data() + next_, piece);
            next_ += piece;
            done += piece;
        }
        return done;
    }
    // False when the file ends first.
    bool read(std::uint8_t* out, std::size_t count) { return readUpTo(out, count) == count; }
    void skip(std::uint64_t count) {
        const std::size_t inBuffer =
            static_cast<std::size_t>(std::min<std::uint64_t>(count, end_ - next_));
        next_ += inBuffer;
        bufferEnd_ += count - inBuffer;
    }

private:
    bool refill() {
        next_ = 0;
        end_ = file_.seek(bufferEnd_) ? file_.read(buffer_.data(), buffer_.size()) : 0;
        bufferEnd_ += end_;
        return end_ != 0;
    }

    InputFile& file_;
    std::vector<std::uint8_t> buffer_ = std::vector<std::uint8_t>(std::size_t{1} << 16);
    // The file offset just past the buffered bytes.
    std::uint64_t bufferEnd_ = 0;
    std::size_t next_ = 0;
    std::size_t end_ = 0;
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

// Walks a JPEG's segments from its start to the first whose marker wanted() accepts,
// the cursor left past the segment's length field. 0 when the file is no JPEG, or the
// image, its first scan or the file ends first.
std::uint8_t findJpegSegment(FileCursor& in, bool (*wanted)(std::uint8_t), int& length) {
    std::uint8_t marker[2];
    if (!in.read(marker, 2) || marker[0] != 0xFF || marker[1] != 0xD8) {
        return 0;
    }
    for (;;) {
        // Stray bytes before a marker are passed over, as the decoder does, and so are
        // fill bytes before its code.
        do {
            if (!in.read(marker, 1)) {
                return 0;
            }
        } while (marker[0] != 0xFF);
        do {
            if (!in.read(marker + 1, 1)) {
                return 0;
            }
        } while (marker[1] == 0xFF);
        if (marker[1] == 0x01 || (marker[1] >= 0xD0 && marker[1] <= 0xD7)) {
            continue; // markers without a segment
        }
        std::uint8_t size[2];
        if (marker[1] == 0xD9 || !in.read(size, 2)) {
            return 0;
        }
        length = size[0] << 8 | size[1];
        if (wanted(marker[1])) {
            return marker[1];
        }
        if (marker[1] == 0xDA) {
            return 0;
        }
        in.skip(std::max(length - 2, 0));
    }
}

// A JPEG reaches its end-of-image marker after its first scan. In the coded data a
// 0xFF byte is followed only by 0 or a restart marker, so the first FF D9 there is the
// end; a file cut short lacks it.
bool jpegWhole(InputFile& file) {
    FileCursor in(file);
    int length = 0;
    if (findJpegSegment(
            in, [](std::uint8_t code) { return code == 0xDA; }, length) == 0) {
        return true; // no scan to check: the decoder says what is wrong
    }
    in.skip(std::max(length - 2, 0));
    std::vector<std::uint8_t> chunk(1 << 16);
    bool afterFF = false;
    for (std::size_t got; (got = in.readUpTo(chunk.data(), chunk.size())) != 0;) {
        for (std::size_t i = 0; i < got; ++i) {
            if (afterFF && chunk[i] == 0xD9) {
                return true;
            }
            afterFF = chunk[i] == 0xFF;
        }
    }
    return false;
}

} // namespace

std::string missingImageData(const std::string& path, const std::string& format) {
    InputFile file;
    if ((format != "gif" && format != "bmp" && format != "jpeg") || !file.open(path)) {
        return "";
    }
    if (format == "bmp") {
        return bmpMissing(file);
    }
    const bool whole = format == "gif" ? gifFirstImageWhole(file) : jpegWhole(file);
    return whole ? "" : "the file ends inside its image data";
}

std::uint64_t jpegCoefficientBytes(const std::string& path) {
    InputFile file;
    FileCursor in(file);
    int length = 0;
    const std::uint8_t code = file.open(path) ? findJpegSegment(in, isFrameHeader, length) : 0;
    if (code == 0) {
        return 0;
    }
    // Precision, height, width, components, then 3 bytes per component.
    std::uint8_t frame[6 + 3 * 255];
    if (!in.read(frame, 6) || !in.read(frame + 6, 3u * frame[5])) {
        return 0;
    }
    const bool progressive = (code & 3) == 2; // C2, C6, CA, CE
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

} // namespace maporv::tool
