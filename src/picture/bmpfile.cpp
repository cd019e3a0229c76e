// Windows bitmaps: the reader takes uncompressed 8, 16, 24 and 32-bit files and turns
// them into the picture's 24-bit layout; the writers save the picture, whole or as
// tiles, as 24-bit files.

#include "mapdata/filereplacement.h"
#include "mapdata/inputfile.h"
#include "mapdata/littleendian.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"
#include "picture/mappicture.h"
#include "picture/tilesetwriter.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string_view>

namespace maporv {
namespace {

constexpr std::uint16_t kBmpType = 0x4D42; // "BM"
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize; // 54
constexpr std::uint32_t kMaxPaletteEntries = 256;

// Writes the 14-byte file header (pixels at 54) and the information header. The size
// field holds the file's real length: other programs refuse a BMP whose field
// disagrees with it, although this reader never looks at it.
void putHeaders(std::uint8_t* out, const BitmapInfoHeader& info) {
    writeU16(out, kBmpType);
    writeU32(out + 2, static_cast<std::uint32_t>(kHeadersSize + info.imageSize));
    writeU16(out + 6, 0);
    writeU16(out + 8, 0);
    writeU32(out + 10, static_cast<std::uint32_t>(kHeadersSize));
    out += kFileHeaderSize;
    writeU32(out, info.size);
    writeI32(out + 4, info.width);
    writeI32(out + 8, info.height);
    writeU16(out + 12, info.planes);
    writeU16(out + 14, info.bitCount);
    writeU32(out + 16, info.compression);
    writeU32(out + 20, info.imageSize);
    writeI32(out + 24, info.xPelsPerMeter);
    writeI32(out + 28, info.yPelsPerMeter);
    writeU32(out + 32, info.colorsUsed);
    writeU32(out + 36, info.colorsImportant);
}

BitmapInfoHeader parseInfoHeader(const std::uint8_t* in) {
    BitmapInfoHeader info;
    info.size = readU32(in);
    info.width = readI32(in + 4);
    info.height = readI32(in + 8);
    info.planes = readU16(in + 12);
    info.bitCount = readU16(in + 14);
    info.compression = readU32(in + 16);
    info.imageSize = readU32(in + 20);
    info.xPelsPerMeter = readI32(in + 24);
    info.yPelsPerMeter = readI32(in + 28);
    info.colorsUsed = readU32(in + 32);
    info.colorsImportant = readU32(in + 36);
    return info;
}

std::string_view asBytes(const std::uint8_t* data, std::size_t size) {
    return std::string_view(reinterpret_cast<const char*>(data), size);
}

// Why the reader refuses a file. A refusal for the kind of BMP (not a BMP, compressed,
// another header, depth or size) lets another reader try; damage does not.
struct BmpRefusal {
    std::string message;
    bool forKind = false;
};

// Where a file's pixels are and how they are laid out, once its headers passed.
struct BmpLayout {
    BitmapInfoHeader info;
    std::uint32_t pixelOffset = 0;
    std::uint64_t paletteCount = 0;
    std::int64_t sourceRowLength = 0;
    std::uint64_t sourceSize = 0;
};

// What the headers claim, against the kinds this reader takes, the buffer and the
// file, before any pixel is read.
std::optional<BmpRefusal> checkHeaders(const BitmapInfoHeader& info, std::uint32_t pixelOffset,
                                       std::uint64_t fileSize, const char* shownPath,
                                       BmpLayout& layout) {
    const int bits = info.bitCount;
    if (info.compression != 0) {
        return BmpRefusal{"No compressed BMP are supported", true};
    }
    if (info.size != kInfoHeaderSize) {
        return BmpRefusal{strprintf("Invalid BMP Header size: %d <> %d",
                                    static_cast<int>(info.size), static_cast<int>(kInfoHeaderSize)),
                          true};
    }
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        return BmpRefusal{"Only 8, 16, 24 and 32 bits BMP supported", true};
    }
    if (info.width < 1 || info.height < 1 || info.width > kMaxPictureWidth ||
        info.height > kMaxPictureHeight) {
        return BmpRefusal{strprintf("Unsupported BMP size: %d x %d\nOnly bottom-up BMP of 1 to %d "
                                    "pixels each way are supported",
                                    info.width, info.height, kMaxPictureWidth),
                          true};
    }
    if (pixelOffset < kHeadersSize || pixelOffset > fileSize) {
        return BmpRefusal{strprintf("Invalid BMP pixel data offset: %u", pixelOffset)};
    }
    std::uint64_t paletteCount = 0;
    if (bits == 8) {
        // An 8-bit index cannot reach beyond 256 entries: a larger count is a forged header.
        if (info.colorsUsed > kMaxPaletteEntries) {
            return BmpRefusal{strprintf("Invalid BMP palette: %u colours declared, at most %u",
                                        info.colorsUsed, kMaxPaletteEntries)};
        }
        paletteCount = info.colorsUsed != 0 ? info.colorsUsed : kMaxPaletteEntries;
        const std::uint64_t room = (pixelOffset - kHeadersSize) / 4;
        if (paletteCount > room) {
            return BmpRefusal{strprintf("Invalid BMP palette: %llu colours declared, room for %llu",
                                        static_cast<unsigned long long>(paletteCount),
                                        static_cast<unsigned long long>(room))};
        }
    }
    const std::int64_t sourceRowLength = bitmapRowLength(bits, info.width);
    const std::uint64_t sourceSize = static_cast<std::uint64_t>(sourceRowLength * info.height);
    if (sourceSize > fileSize - pixelOffset) {
        return BmpRefusal{strprintf("Incomplete BMP pixel data in %s", shownPath)};
    }
    layout = {info, pixelOffset, paletteCount, sourceRowLength, sourceSize};
    return std::nullopt;
}

// Every index of an 8-bit file's rows names an entry of its palette.
std::optional<BmpRefusal> checkPaletteIndexes(const std::uint8_t* source, const BmpLayout& layout) {
    const std::size_t sourceRow = static_cast<std::size_t>(layout.sourceRowLength);
    for (int i = 0; i < layout.info.height; ++i) {
        const std::uint8_t* row = source + i * sourceRow;
        const std::uint8_t* bad = std::find_if(
            row, row + layout.info.width, [&](std::uint8_t k) { return k >= layout.paletteCount; });
        if (bad != row + layout.info.width) {
            return BmpRefusal{
                strprintf("Invalid BMP palette index %d: the palette has %llu colours", *bad,
                          static_cast<unsigned long long>(layout.paletteCount))};
        }
    }
    return std::nullopt;
}

// The file's 8, 16 or 32-bit rows into the picture's 24-bit rows, bottom first as in
// the file.
void convertRows(const std::uint8_t* source, const BmpLayout& layout, const std::uint8_t* palette,
                 std::uint8_t* pixels, int rowLength) {
    const int bits = layout.info.bitCount;
    const std::size_t sourceRow = static_cast<std::size_t>(layout.sourceRowLength);
    for (int i = 0; i < layout.info.height; ++i) {
        const std::uint8_t* in = source + i * sourceRow;
        std::uint8_t* out = pixels + static_cast<std::size_t>(i) * rowLength;
        for (int j = 0; j < layout.info.width; ++j, out += 3) {
            if (bits == 32) {
                std::memcpy(out, in + 4 * j, 3); // the fourth byte is dropped
            } else if (bits == 16) {
                // 5-5-5, bit 15 unused.
                const std::uint16_t v = readU16(in + 2 * j);
                out[0] = static_cast<std::uint8_t>((v & 31) << 3);
                out[1] = static_cast<std::uint8_t>(((v >> 5) & 31) << 3);
                out[2] = static_cast<std::uint8_t>(((v >> 10) & 31) << 3);
            } else {
                std::memcpy(out, palette + 4 * in[j], 3);
            }
        }
    }
}

} // namespace

bool MapPicture::readBmp(const std::string& filePath) {
    const char* const shownPath = filePath.c_str();
    bmpKindRefused = false;
    if (!fileExists(filePath)) {
        valid = false;
        ui_.error(strprintf("%s not found", shownPath));
        return false;
    }
    InputFile file;
    if (!file.open(filePath)) {
        valid = false;
        ui_.error(strprintf("Error reading %s", shownPath));
        return false;
    }
    auto refuse = [&](const BmpRefusal& refusal) {
        bmpKindRefused = refusal.forKind;
        ui_.error(refusal.message);
        release();
        return false;
    };
    const auto readError = [shownPath] {
        return BmpRefusal{strprintf("Error reading %s", shownPath)};
    };

    std::uint8_t fileHeader[kFileHeaderSize];
    if (file.read(fileHeader, sizeof fileHeader) != sizeof fileHeader) {
        return refuse({"Invalid BMP FileHeader size"});
    }
    if (readU16(fileHeader) != kBmpType) {
        return refuse({"Invalid BMP type", true});
    }

    // From here on the previous picture is gone, whatever the file turns out to be.
    release();
    clear();
    // The information header is read whole even when the pixel offset claims less
    // room for it; bytes the file does not have read as 0.
    std::uint8_t infoBytes[kInfoHeaderSize] = {};
    file.read(infoBytes, sizeof infoBytes);
    BmpLayout layout;
    if (const auto refusal = checkHeaders(parseInfoHeader(infoBytes), readU32(fileHeader + 10),
                                          file.size(), shownPath, layout)) {
        return refuse(*refusal);
    }
    const int bits = layout.info.bitCount;

    std::uint8_t palette[4 * kMaxPaletteEntries] = {};
    if (bits == 8) {
        const std::size_t paletteBytes = 4 * static_cast<std::size_t>(layout.paletteCount);
        if (!file.seek(kHeadersSize) || file.read(palette, paletteBytes) != paletteBytes) {
            return refuse(readError());
        }
    }

    width = layout.info.width;
    height = layout.info.height;
    sourceBits = static_cast<std::uint32_t>(bits);
    rowLength = static_cast<int>(bitmapRowLength(24, width));
    header = layout.info;
    header.bitCount = 24;
    header.imageSize = static_cast<std::uint32_t>(rowLength) * static_cast<std::uint32_t>(height);
    if (bits != 24) {
        // A palette or another depth does not survive the conversion to 24 bits.
        header.colorsUsed = 0;
        header.colorsImportant = 0;
    }

    if (!file.seek(layout.pixelOffset)) {
        return refuse(readError());
    }
    if (bits == 24) {
        // The file's rows already have the picture's layout.
        if (file.read(pixels(), layout.sourceSize) != layout.sourceSize) {
            return refuse(readError());
        }
    } else {
        const std::unique_ptr<std::uint8_t[]> source(new (std::nothrow)
                                                         std::uint8_t[layout.sourceSize]);
        if (source == nullptr) {
            return refuse({strprintf("Not enough memory to read %s", shownPath)});
        }
        if (file.read(source.get(), layout.sourceSize) != layout.sourceSize) {
            return refuse(readError());
        }
        if (bits == 8) {
            if (const auto refusal = checkPaletteIndexes(source.get(), layout)) {
                return refuse(*refusal);
            }
        }
        convertRows(source.get(), layout, palette, pixels(), rowLength);
    }
    hasHeader = true;
    valid = true;
    return true;
}

bool MapPicture::saveBmp(const std::string& filePath) const {
    // Without a valid picture the shared buffer may hold another picture's pixels.
    if (!valid || !hasHeader) {
        return false;
    }
    WaitCursor wait(ui_);
    BitmapInfoHeader info = header;
    info.size = kInfoHeaderSize;
    info.width = width;
    info.height = height;
    info.planes = 1;
    info.bitCount = 24;
    info.compression = 0;
    info.imageSize = static_cast<std::uint32_t>(rowLength) * static_cast<std::uint32_t>(height);
    const std::size_t size = kHeadersSize + info.imageSize;
    const std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[size]);
    if (bytes == nullptr) {
        ui_.error("No enough memory to allocate Bitmap buffer");
        return false;
    }
    putHeaders(bytes.get(), info);
    std::memcpy(bytes.get() + kHeadersSize, pixels(), info.imageSize);
    return saveFile(filePath, asBytes(bytes.get(), size), ui_,
                    strprintf("Error creating %s", filePath.c_str()));
}

bool MapPicture::writeBmpTiles(const std::string& prefix) const {
    // Only a picture larger than one tile in both directions is split, and only one
    // whose pixels the shared buffer holds.
    if (!valid || width <= kTileWidth || height <= kTileHeight || fileNamePart(prefix).empty()) {
        return false;
    }
    // One buffer, big enough for the largest tile, serves every tile.
    const std::size_t largestTile =
        kHeadersSize + static_cast<std::size_t>(bitmapRowLength(24, kTileWidth)) * kTileHeight;
    const std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[largestTile]);
    if (bytes == nullptr) {
        ui_.error("No enough memory to allocate Bitmap buffer");
        return false;
    }
    const int columns = tileColumnsFor(width);
    const int rows = tileRowsFor(height);
    TileSetWriter tiles(prefix, ".bmp", ui_);
    {
        WaitCursor wait(ui_);
        for (int x = 0; x < columns; ++x) {
            for (int y = 0; y < rows; ++y) {
                const int tileWidth = std::min(kTileWidth, width - x * kTileWidth);
                const int tileHeight = std::min(kTileHeight, height - y * kTileHeight);
                const std::size_t tileRowLength =
                    static_cast<std::size_t>(bitmapRowLength(24, tileWidth));
                BitmapInfoHeader info;
                info.width = tileWidth;
                info.height = tileHeight;
                info.imageSize = static_cast<std::uint32_t>(tileRowLength * tileHeight);
                putHeaders(bytes.get(), info);

                // Tile rows bottom first: row u holds picture row 480 Y + h - 1 - u.
                std::uint8_t* out = bytes.get() + kHeadersSize;
                std::memset(out, 0, info.imageSize);
                for (int u = 0; u < tileHeight; ++u, out += tileRowLength) {
                    const int pictureRow = y * kTileHeight + tileHeight - 1 - u;
                    std::memcpy(out, pixelAt(x * kTileWidth, pictureRow),
                                3 * static_cast<std::size_t>(tileWidth));
                }
                tiles.add(x, y, asBytes(bytes.get(), kHeadersSize + info.imageSize));
            }
        }
    }
    return tiles.finish(
        strprintf("Done !\nLoaded file has been splitted to %d BMP tiles", columns * rows),
        "BMP tiles");
}

} // namespace maporv
