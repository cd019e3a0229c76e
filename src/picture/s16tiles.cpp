// The game's own picture tiles: S16 files of up to 640 x 480 16-bit pixels, at most
// 3 columns by 4 rows of them per map.

#include "mapdata/inputfile.h"
#include "mapdata/littleendian.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"
#include "picture/mappicture.h"
#include "picture/tileset.h"
#include "picture/tilesetwriter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string_view>

namespace maporv {
namespace {

// The magic and 40 more header bytes; the pixel data follows after a gap.
constexpr std::size_t kS16HeaderSize = 44;
constexpr std::uint32_t kS16Magic = 1;
constexpr std::uint32_t kRunLengthEncoding = 1;

struct S16TileHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t gap = 0;
    std::uint32_t encoding = 0;
};

// Opens a tile and reads its header. Whole for a tile the reader decodes; the others
// are skipped: missing, unreadable, a magic other than 1, sizes outside 1..640 x
// 1..480 (they cannot be placed in the grid), or a file that ends inside its header.
TileState openTile(const std::string& path, InputFile& file, S16TileHeader& header) {
    if (!file.open(path)) {
        return fileExists(path) ? TileState::Unreadable : TileState::Missing;
    }
    std::uint8_t bytes[kS16HeaderSize];
    const std::size_t got = file.read(bytes, sizeof bytes);
    if (got >= 4 && readU32(bytes) != kS16Magic) {
        return TileState::Unreadable;
    }
    if (got != sizeof bytes) {
        return TileState::CutShort;
    }
    header.width = readI32(bytes + 4);
    header.height = readI32(bytes + 8);
    header.gap = readU32(bytes + 28);
    header.encoding = readU32(bytes + 36);
    return header.width >= 1 && header.width <= kTileWidth && header.height >= 1 &&
                   header.height <= kTileHeight
               ? TileState::Whole
               : TileState::Unreadable;
}

// 5-6-5 to blue, green, red; the low bits stay 0, so 31 becomes 248 and 63 252. The
// three bytes as one little-endian word.
constexpr std::uint32_t expandPixel(std::uint32_t value) {
    return ((value & 0x1F) << 3) | ((value & 0x7E0) << 5) | ((value & 0xF800) << 8);
}

// Every 5-6-5 value expanded once: decoding is then a look-up per pixel.
class ExpansionTable {
public:
    ExpansionTable() {
        for (std::uint32_t value = 0; value < words_.size(); ++value) {
            words_[value] = expandPixel(value);
        }
    }
    std::uint32_t operator[](std::uint16_t value) const { return words_[value]; }

private:
    std::array<std::uint32_t, 65536> words_{};
};

const ExpansionTable& expansion() {
    static const ExpansionTable table;
    return table;
}

void storePixel(std::uint8_t* destination, std::uint32_t word) {
    destination[0] = static_cast<std::uint8_t>(word);
    destination[1] = static_cast<std::uint8_t>(word >> 8);
    destination[2] = static_cast<std::uint8_t>(word >> 16);
}

template <typename T>
void storeLittleEndian(std::uint8_t* destination, T value) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(destination, &value, sizeof value);
    } else {
        for (std::size_t i = 0; i < sizeof value; ++i) {
            destination[i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }
}

// count raw pixels to the picture's bytes. Four pixels make twelve bytes, written as
// two stores.
void decodeRow(const std::uint8_t* in, std::uint8_t* out, int count) {
    const ExpansionTable& table = expansion();
    int i = 0;
    for (; i + 4 <= count; i += 4, in += 8, out += 12) {
        const std::uint64_t first =
            table[readU16(in)] | (std::uint64_t{table[readU16(in + 2)]} << 24);
        const std::uint64_t second =
            table[readU16(in + 4)] | (std::uint64_t{table[readU16(in + 6)]} << 24);
        storeLittleEndian(out, first | (second << 48));
        storeLittleEndian(out + 8, static_cast<std::uint32_t>(second >> 16));
    }
    for (; i < count; ++i, in += 2, out += 3) {
        storePixel(out, table[readU16(in)]);
    }
}

std::uint16_t encodePixel(const std::uint8_t* source) {
    return static_cast<std::uint16_t>(((source[2] >> 3) << 11) + ((source[1] >> 2) << 5) +
                                      (source[0] >> 3));
}

// count picture pixels to raw tile data, four pixels to one store.
void encodeRow(const std::uint8_t* source, std::uint8_t* out, int count) {
    int i = 0;
    for (; i + 4 <= count; i += 4, source += 12, out += 8) {
        storeLittleEndian(out, std::uint64_t{encodePixel(source)} |
                                   (std::uint64_t{encodePixel(source + 3)} << 16) |
                                   (std::uint64_t{encodePixel(source + 6)} << 32) |
                                   (std::uint64_t{encodePixel(source + 9)} << 48));
    }
    for (; i < count; ++i, source += 3, out += 2) {
        writeU16(out, encodePixel(source));
    }
}

// Four copies of a pixel's three bytes, as one 8-byte and one 4-byte store.
void storeFourPixels(std::uint8_t* out, std::uint32_t word) {
    // b g r b g r b g, and from its third byte on: r b g r.
    const std::uint64_t pattern = std::uint64_t{word} * 0x0001000001000001u;
    storeLittleEndian(out, pattern);
    storeLittleEndian(out + 8, static_cast<std::uint32_t>(pattern >> 16));
}

// Exactly count pixels of one colour.
void fillPixels(std::uint8_t* out, std::uint32_t word, int count) {
    if (count < 4) {
        for (int i = 0; i < count; ++i, out += 3) {
            storePixel(out, word);
        }
        return;
    }
    // The last four may overlap the ones before them.
    for (int done = 0; done < count - 4; done += 4) {
        storeFourPixels(out + 3 * static_cast<std::size_t>(done), word);
    }
    storeFourPixels(out + 3 * static_cast<std::size_t>(count - 4), word);
}

// Run-length data: records of a count and a pixel; runs continue over row ends, a
// record cut by the end of the data ends the tile. The tile's area must still hold the
// fill of a begun picture.
//
// Most runs of a painted picture are a pixel or two long, so a run that ends well
// inside the row is written as whole groups of four pixels, always at least two of
// them, which covers runs of up to eight without a loop or a branch on their length:
// what lands past the run's end is written over by the next run. Only runs near the
// end of a row's shown part are written pixel by pixel.
class RunLengthDecoder {
public:
    RunLengthDecoder(MapPicture& picture, const S16TileHeader& header, int originX, int originY,
                     int shownWidth)
        : picture_(picture), tileWidth_(header.width), tileHeight_(header.height),
          originX_(originX), originY_(originY), shownWidth_(shownWidth) {
        startRow();
    }

    // False when the data ends before the tile's last pixel.
    bool decode(const std::uint8_t* data, std::size_t size) {
        const ExpansionTable& table = expansion();
        const std::uint8_t* const end = data + size / 3 * 3;
        for (const std::uint8_t* record = data; record != end; record += 3) {
            const int count = record[0];
            const std::uint32_t word = table[readU16(record + 1)];
            // Room for the run and for eight pixels past it (an empty run writes them).
            if (column_ + count + 8 <= limit_) [[likely]] {
                std::uint8_t* out = rowStart_ + 3 * static_cast<std::size_t>(column_);
                storeFourPixels(out, word);
                storeFourPixels(out + 12, word);
                for (int done = 8; done < count; done += 4) {
                    storeFourPixels(out + 3 * static_cast<std::size_t>(done), word);
                }
                column_ += count;
            } else if (!writeRunExactly(count, word)) {
                return true; // every pixel of the tile is there
            }
        }
        // The data ended inside the tile: the pixels after the last run get their fill
        // back (the groups reach at most eight pixels past a run's end).
        const int touched = std::min(8, limit_ - column_);
        if (touched > 0) {
            std::memset(rowStart_ + 3 * static_cast<std::size_t>(column_), kFillByte,
                        3 * static_cast<std::size_t>(touched));
        }
        return false;
    }

private:
    void startRow() {
        rowStart_ = picture_.pixelAt(originX_, originY_ + row_);
        limit_ = rowStart_ != nullptr ? shownWidth_ : 0;
    }

    // A run that may cross the end of the row's shown part or of the row. False once
    // the tile's last row is complete.
    bool writeRunExactly(int count, std::uint32_t word) {
        for (int left = count; left > 0;) {
            const int piece = std::min(left, tileWidth_ - column_);
            const int shown = std::min(column_ + piece, limit_) - column_;
            if (shown > 0) {
                fillPixels(rowStart_ + 3 * static_cast<std::size_t>(column_), word, shown);
            }
            left -= piece;
            column_ += piece;
            if (column_ == tileWidth_) {
                if (++row_ == tileHeight_) {
                    return false;
                }
                column_ = 0;
                startRow();
            }
        }
        return true;
    }

    MapPicture& picture_;
    const int tileWidth_;
    const int tileHeight_;
    const int originX_;
    const int originY_;
    const int shownWidth_;
    int row_ = 0;
    int column_ = 0;
    std::uint8_t* rowStart_ = nullptr;
    // Groups of four may be written up to this column: the row's shown part.
    int limit_ = 0;
};

// Decodes the data of one tile placed at (originX, originY). Pixels that fall outside
// the picture are dropped: the picture is only as large as the tiles of row 0 and
// column 0 add up to, whatever lies beside a missing tile. Works row by row on the
// part of each tile row that lies inside the picture. False when the data ends before
// the tile's last pixel.
bool decodeTile(MapPicture& picture, const S16TileHeader& header, const std::uint8_t* data,
                std::size_t size, int originX, int originY) {
    const int tileWidth = header.width;
    const int total = header.width * header.height;
    const int shownWidth = std::clamp(picture.width - originX, 0, tileWidth);
    if (header.encoding == kRunLengthEncoding) {
        return RunLengthDecoder(picture, header, originX, originY, shownWidth).decode(data, size);
    }
    const int available = static_cast<int>(std::min<std::size_t>(size / 2, total));
    for (int row = 0; row * tileWidth < available; ++row) {
        std::uint8_t* out = picture.pixelAt(originX, originY + row);
        if (out == nullptr) {
            break; // this row and all below it lie under the picture
        }
        const int inRow = std::min(tileWidth, available - row * tileWidth);
        decodeRow(data + 2 * static_cast<std::size_t>(row) * tileWidth, out,
                  std::min(inRow, shownWidth));
    }
    return available == total;
}

} // namespace

bool MapPicture::readS16(const std::string& filePath) {
    // Any tile of a set loads the whole set.
    const std::string base = tileSetBase(filePath);
    const std::string prefix = folderPart(filePath) + base;
    name = base;

    InputFile file;
    S16TileHeader tileHeader;
    const TileExtent extent = tileSetExtent([&](int x, int y) -> std::optional<TileExtent> {
        if (openTile(tileFilePath(prefix, x, y, ".s16"), file, tileHeader) != TileState::Whole) {
            return std::nullopt;
        }
        return TileExtent{tileHeader.width, tileHeader.height};
    });
    file.close();
    width = extent.width;
    height = extent.height;
    beginPicture();

    // Every tile sits at its fixed origin, whatever the sizes of its neighbours.
    tileCount = 0;
    TileSetFaults faults;
    for (int x = 0; x < kTileColumns; ++x) {
        for (int y = 0; y < kTileRows; ++y) {
            const TileState opened = openTile(tileFilePath(prefix, x, y, ".s16"), file, tileHeader);
            if (opened != TileState::Whole) {
                faults.note(x, y, opened);
                continue;
            }
            std::size_t size = 0;
            if (file.seek(kS16HeaderSize + static_cast<std::uint64_t>(tileHeader.gap))) {
                size = file.read(tileBuffer(), kTileBufferSize);
            }
            const bool whole =
                decodeTile(*this, tileHeader, tileBuffer(), size, x * kTileWidth, y * kTileHeight);
            faults.note(x, y, whole ? TileState::Whole : TileState::CutShort);
            file.close();
            ++tileCount;
        }
    }
    faultyTiles = faults.faults();
    return true;
}

bool MapPicture::writeS16Tiles(const std::string& prefix) const {
    // Without a valid picture the shared buffer may hold another picture's pixels.
    if (!valid || fileNamePart(prefix).empty()) {
        return false;
    }
    const int columns = tileColumnsFor(width);
    const int rows = tileRowsFor(height);
    TileSetWriter tiles(prefix, ".s16", ui_);
    {
        WaitCursor wait(ui_);
        for (int x = 0; x < columns; ++x) {
            for (int y = 0; y < rows; ++y) {
                const int tileWidth = std::min(kTileWidth, width - x * kTileWidth);
                const int tileHeight = std::min(kTileHeight, height - y * kTileHeight);
                const std::uint32_t dataSize =
                    static_cast<std::uint32_t>(tileWidth * tileHeight * 2);

                // A whole tile (at most 44 + 614,400 bytes) fits the decoding buffer.
                std::uint8_t* out = tileBuffer();
                const std::uint32_t fields[] = {kS16Magic,
                                                static_cast<std::uint32_t>(tileWidth),
                                                static_cast<std::uint32_t>(tileHeight),
                                                0,
                                                0,
                                                static_cast<std::uint32_t>(tileWidth),
                                                static_cast<std::uint32_t>(tileHeight),
                                                0,
                                                dataSize,
                                                0,
                                                0};
                for (std::uint32_t field : fields) {
                    writeU32(out, field);
                    out += 4;
                }
                for (int j = 0; j < tileHeight; ++j, out += 2 * tileWidth) {
                    encodeRow(pixelAt(x * kTileWidth, y * kTileHeight + j), out, tileWidth);
                }
                const std::string_view bytes(reinterpret_cast<const char*>(tileBuffer()),
                                             kS16HeaderSize + dataSize);
                tiles.add(x, y, bytes);
            }
        }
    }
    // A picture without pixels has no tile to write.
    return tiles.finish(
               strprintf("Done !\nLoaded file has been splitted to %d S16 Tiles", columns * rows),
               "S16 tiles") &&
           columns > 0 && rows > 0;
}

} // namespace maporv
