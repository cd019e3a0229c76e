// The game's own picture tiles: S16 files of up to 640 x 480 16-bit pixels, at most
// 3 columns by 4 rows of them per map.

#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"
#include "picture/inputfile.h"
#include "picture/littleendian.h"
#include "picture/mappicture.h"

#include <algorithm>
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

std::string tilePath(const std::string& folder, const std::string& base, int x, int y) {
    return strprintf("%s%s%d%d.s16", folder.c_str(), base.c_str(), x, y);
}

// Opens a tile and reads its header. False for the tiles the reader skips: missing,
// unreadable, a magic other than 1, and sizes outside 1..640 x 1..480, which cannot be
// placed in the grid.
bool openTile(const std::string& path, InputFile& file, S16TileHeader& header) {
    std::uint8_t bytes[kS16HeaderSize];
    if (!file.open(path) || file.read(bytes, sizeof bytes) != sizeof bytes ||
        readU32(bytes) != kS16Magic) {
        return false;
    }
    header.width = readI32(bytes + 4);
    header.height = readI32(bytes + 8);
    header.gap = readU32(bytes + 28);
    header.encoding = readU32(bytes + 36);
    return header.width >= 1 && header.width <= kTileWidth && header.height >= 1 &&
           header.height <= kTileHeight;
}

// 5-6-5 to blue, green, red; the low bits stay 0, so 31 becomes 248 and 63 252.
void storePixel(std::uint8_t* destination, std::uint16_t value) {
    destination[0] = static_cast<std::uint8_t>((value & 31) << 3);
    destination[1] = static_cast<std::uint8_t>(((value >> 5) & 63) << 2);
    destination[2] = static_cast<std::uint8_t>(((value >> 11) & 31) << 3);
}

std::uint16_t encodePixel(const std::uint8_t* source) {
    return static_cast<std::uint16_t>(((source[2] >> 3) << 11) + ((source[1] >> 2) << 5) +
                                      (source[0] >> 3));
}

// Decodes the data of one tile placed at (originX, originY). Pixels that fall outside
// the picture are dropped: the picture is only as large as the tiles of row 0 and
// column 0 add up to, whatever lies beside a missing tile.
void decodeTile(MapPicture& picture, const S16TileHeader& header, const std::uint8_t* data,
                std::size_t size, int originX, int originY) {
    const int tileWidth = header.width;
    const int total = header.width * header.height;
    auto put = [&](int index, std::uint16_t value) {
        std::uint8_t* destination =
            picture.pixelAt(originX + index % tileWidth, originY + index / tileWidth);
        if (destination != nullptr) {
            storePixel(destination, value);
        }
    };
    if (header.encoding == kRunLengthEncoding) {
        // Records of a count and a pixel; runs continue over row ends, a record cut
        // by the end of the data ends the tile.
        int index = 0;
        for (std::size_t at = 0; at + 3 <= size && index < total; at += 3) {
            const std::uint16_t value = readU16(data + at + 1);
            for (int count = data[at]; count > 0 && index < total; --count) {
                put(index++, value);
            }
        }
        return;
    }
    const int available = static_cast<int>(std::min<std::size_t>(size / 2, total));
    for (int index = 0; index < available; ++index) {
        put(index, readU16(data + 2 * static_cast<std::size_t>(index)));
    }
}

} // namespace

bool MapPicture::readS16(const std::string& filePath) {
    const std::string tileFolder = folderPart(filePath);
    // The last two characters of the title are the digits of whichever tile was
    // picked; any tile of a set loads the whole set.
    const std::string title = fileNamePart(filePath);
    const std::string base = title.size() >= 6 ? title.substr(0, title.size() - 2) : title;
    name = base;

    // The picture is as wide as the tiles of row 0 and as high as those of column 0.
    width = 0;
    height = 0;
    InputFile file;
    S16TileHeader tileHeader;
    for (int x = 0; x < kTileColumns; ++x) {
        if (openTile(tilePath(tileFolder, base, x, 0), file, tileHeader)) {
            width += tileHeader.width;
            if (x == 0) {
                height += tileHeader.height;
            }
        }
    }
    for (int y = 1; y < kTileRows; ++y) {
        if (openTile(tilePath(tileFolder, base, 0, y), file, tileHeader)) {
            height += tileHeader.height;
        }
    }
    file.close();
    beginPicture();

    // Every tile sits at its fixed origin, whatever the sizes of its neighbours.
    tileCount = 0;
    for (int x = 0; x < kTileColumns; ++x) {
        for (int y = 0; y < kTileRows; ++y) {
            if (!openTile(tilePath(tileFolder, base, x, y), file, tileHeader)) {
                continue;
            }
            std::size_t size = 0;
            if (file.seek(kS16HeaderSize + static_cast<std::uint64_t>(tileHeader.gap))) {
                size = file.read(tileBuffer(), kTileBufferSize);
            }
            decodeTile(*this, tileHeader, tileBuffer(), size, x * kTileWidth, y * kTileHeight);
            file.close();
            ++tileCount;
        }
    }
    return true;
}

void MapPicture::writeS16Tiles(const std::string& prefix) const {
    if (fileNamePart(prefix).empty()) {
        return;
    }
    const int columns = tileColumnsFor(width);
    const int rows = tileRowsFor(height);
    {
        WaitCursor wait(ui_);
        for (int x = 0; x < columns; ++x) {
            for (int y = 0; y < rows; ++y) {
                const int tileWidth = std::min(kTileWidth, width - x * kTileWidth);
                const int tileHeight = std::min(kTileHeight, height - y * kTileHeight);
                const std::uint32_t dataSize =
                    static_cast<std::uint32_t>(tileWidth * tileHeight * 2);
                const std::string fileName = strprintf("%s%d%d.s16", prefix.c_str(), x, y);

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
                for (int j = 0; j < tileHeight; ++j) {
                    const std::uint8_t* source = pixelAt(x * kTileWidth, y * kTileHeight + j);
                    for (int i = 0; i < tileWidth; ++i, source += 3, out += 2) {
                        writeU16(out, encodePixel(source));
                    }
                }
                const std::string_view bytes(reinterpret_cast<const char*>(tileBuffer()),
                                             kS16HeaderSize + dataSize);
                if (!writeFileAtomically(fileName, bytes)) {
                    ui_.error(strprintf("Error on creating %s", fileName.c_str()));
                }
            }
        }
    }
    ui_.information(
        strprintf("Done !\nLoaded file has been splitted to %d S16 Tiles", columns * rows));
}

} // namespace maporv
