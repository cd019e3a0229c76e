// The sibling game's map pictures: sets of SHP shape files, one 256-colour run-length
// coded shape per file, in the same grid of 3 x 4 tiles of 640 x 480 as S16 tiles.

#include "mapdata/inputfile.h"
#include "mapdata/littleendian.h"
#include "mapdata/paths.h"
#include "picture/mappicture.h"
#include "picture/tileset.h"

#include <algorithm>

namespace maporv {
namespace {

// The sibling game's fixed palette, RRGGBB. Index 5 is transparent and never painted.
constexpr std::uint32_t kShpColours[256] = {
    0x000000, 0xF0F0F0, 0xE0E0E0, 0xD4D4D4, 0xC4C4C4, 0xB8B8B8, 0xA8A8A8, 0x9C9C9C, // 0
    0x909090, 0x808080, 0x747474, 0x646464, 0x585858, 0x484848, 0x3C3C3C, 0x303030, // 8
    0xF4F49C, 0xE8E488, 0xDCD878, 0xD0CC68, 0xC4BC5C, 0xB8B04C, 0xACA040, 0xA49434, // 16
    0x988428, 0x8C7820, 0x806818, 0x745C10, 0x685008, 0x5C4404, 0x503800, 0x483000, // 24
    0x6C684C, 0x747050, 0x7C7858, 0x88845C, 0x908C64, 0x9C9868, 0xA4A070, 0xACA874, // 32
    0xB8B47C, 0xC0BC80, 0xCCC888, 0xD4D08C, 0xDCDC94, 0xE8E898, 0xF0F09C, 0xFCFCA4, // 40
    0xE8F0A0, 0xD8E89C, 0xCCDC98, 0xBCD494, 0xB0C890, 0xA4C08C, 0x9CB888, 0x94AC84, // 48
    0x8CA480, 0x849C7C, 0x7C9074, 0x748870, 0x6C8068, 0x6C785C, 0x6C7454, 0x6C684C, // 56
    0x685848, 0x604C3C, 0x584030, 0x503428, 0x482C20, 0x442418, 0x443814, 0x4C2C48, // 64
    0x58304C, 0x643450, 0x703850, 0x803C50, 0x843C4C, 0x8C4048, 0x904044, 0x944444, // 72
    0x9C4C44, 0xA05848, 0xA8604C, 0xB06C50, 0xB47854, 0xBC8458, 0xC08C5C, 0xC89C60, // 80
    0xD0A864, 0x443C10, 0x504414, 0x60501C, 0x6C5824, 0x78642C, 0x887034, 0x947840, // 88
    0xD0A864, 0xD4B06C, 0xD8BC74, 0xDCC480, 0xE0CC88, 0xE4D494, 0xE8DC9C, 0xECE4A8, // 96
    0xF0ECB4, 0xF8F4C0, 0xFCFCCC, 0xFCF4A4, 0xFCFC80, 0xFCF474, 0xF8E86C, 0xF8E064, // 104
    0xF8D458, 0xF8C450, 0xF8B848, 0xF8A83C, 0xF89834, 0xF8882C, 0xF87824, 0xF86418, // 112
    0xF85010, 0xF83C08, 0xF03804, 0xE83804, 0xBC1000, 0xB41000, 0xD43004, 0x080000, // 120
    0xC82C00, 0xC42C00, 0xBC2C00, 0xB42800, 0xB02800, 0xA02400, 0x8C2000, 0x7C2000, // 128
    0x681C00, 0x581800, 0x481400, 0x441400, 0x401400, 0x501C00, 0x602C04, 0x703C0C, // 136
    0x804C14, 0x905C20, 0xA0702C, 0xB0843C, 0xBC904C, 0xC89C58, 0xD0A864, 0xD0B074, // 144
    0xD0B884, 0xD4C094, 0xD8C49C, 0xE0C8A8, 0xE4CCB4, 0xECD4C0, 0xF0DCCC, 0xF8E4D8, // 152
    0xF0D0CC, 0xE4C4C8, 0xDCB8C4, 0xD4B0C4, 0xCCA8C8, 0xC09CC4, 0xB094BC, 0x9C8CB4, // 160
    0x8C84AC, 0x8478A4, 0x787098, 0x706890, 0x686088, 0x605880, 0x584C78, 0x544870, // 168
    0x544C74, 0x54547C, 0x5C6484, 0x64748C, 0x688094, 0x709098, 0x78A0A0, 0x80A8A4, // 176
    0x8CB0A4, 0x94B8A8, 0x9CC0A8, 0xA4C4AC, 0xACCCB0, 0xBCD4B8, 0xC8DCC0, 0xD8E4CC, // 184
    0xB4D8C4, 0xACD0C0, 0xA4CCC0, 0x9CC4C0, 0x98BCBC, 0x90B0B8, 0x8CA4B0, 0x849CAC, // 192
    0x7C90A4, 0x7880A0, 0x707898, 0x6C6C94, 0x646C88, 0x5C6C7C, 0x586C70, 0x506464, // 200
    0x485854, 0x404C48, 0x38443C, 0x303830, 0x384038, 0x404840, 0x485448, 0x505C50, // 208
    0x5C645C, 0x647064, 0x6C786C, 0x788078, 0x808C80, 0x889488, 0x949C94, 0x9CA89C, // 216
    0xA4B0A4, 0xB0B8B0, 0xBCC4BC, 0xC4CCC4, 0xD0D4D0, 0xD8E0D8, 0xE4E8E4, 0xF0F0F0, // 224
    0xFCFCFC, 0xF0F0F4, 0xE4E4EC, 0xDCDCE4, 0xD0D0E0, 0xC8C8D8, 0xC0C0D0, 0xB4B4C8, // 232
    0xACACC4, 0xA4A4BC, 0x9C9CB4, 0x9494B0, 0x8C8CA8, 0x8484A0, 0x7C7C98, 0x747494, // 240
    0x6C6C8C, 0x646484, 0x5C5C7C, 0x585878, 0x0C78FC, 0x3028C0, 0x246800, 0xB81000, // 248
};

constexpr std::uint8_t kTransparent = 5;
constexpr std::size_t kFileHeaderSize = 12;
constexpr std::size_t kShapeHeaderSize = 24;

struct Shape {
    int width = 0;
    int height = 0;
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
    std::int32_t y2 = 0;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};

// The shape header at at: its size, origin and last row.
void readShapeHeader(const std::uint8_t* at, Shape& shape) {
    shape.height = readI16(at) + 1;
    shape.width = readI16(at + 2) + 1;
    shape.x1 = readI32(at + 8);
    shape.y1 = readI32(at + 12);
    shape.y2 = readI32(at + 20);
}

bool placeable(const Shape& shape) {
    return shape.width >= 1 && shape.width <= kTileWidth && shape.height >= 1 &&
           shape.height <= kTileHeight;
}

// Reads a tile whole (bounded by the buffer; more than a tile's worth of codes is
// treated as the end of the file) and finds its shape. Whole for a tile to decode; the
// others are skipped: missing, unreadable, a shape count other than 1, a shape header
// past the end of the file (or of the buffer), and sizes outside 1..640 x 1..480.
TileState loadShape(const std::string& path, std::uint8_t* buffer, std::size_t capacity,
                    Shape& shape) {
    InputFile file;
    if (!file.open(path)) {
        return fileExists(path) ? TileState::Unreadable : TileState::Missing;
    }
    const std::size_t size = file.read(buffer, capacity);
    file.close();
    if (size < kFileHeaderSize) {
        return TileState::CutShort;
    }
    if (readU32(buffer + 4) != 1) {
        return TileState::Unreadable;
    }
    const std::uint64_t offset = readU32(buffer + 8);
    if (offset + kShapeHeaderSize > size) {
        return size < capacity ? TileState::CutShort : TileState::Unreadable;
    }
    readShapeHeader(buffer + offset, shape);
    shape.data = buffer + offset + kShapeHeaderSize;
    shape.size = size - static_cast<std::size_t>(offset) - kShapeHeaderSize;
    return placeable(shape) ? TileState::Whole : TileState::Unreadable;
}

// The same test of a tile as loadShape, reading only the headers: for the picture's
// size, before any tile is decoded.
bool readShapeExtent(const std::string& path, std::size_t capacity, Shape& shape) {
    InputFile file;
    std::uint8_t header[kFileHeaderSize];
    if (!file.open(path) || file.read(header, sizeof header) != sizeof header ||
        readU32(header + 4) != 1) {
        return false;
    }
    const std::uint64_t offset = readU32(header + 8);
    const std::uint64_t size = std::min<std::uint64_t>(file.size(), capacity);
    std::uint8_t shapeHeader[kShapeHeaderSize];
    if (offset + kShapeHeaderSize > size || !file.seek(offset) ||
        file.read(shapeHeader, sizeof shapeHeader) != sizeof shapeHeader) {
        return false;
    }
    readShapeHeader(shapeHeader, shape);
    return placeable(shape);
}

// Draws one shape at tile (tileX, tileY). Every pixel a code produces moves the column
// on by one until column 640; pixels beyond the tile or the picture are dropped. False
// when the data ends before the last row, or inside a run.
bool decodeShape(MapPicture& picture, const Shape& shape, int tileX, int tileY) {
    const int firstColumn = std::max(0, shape.x1);
    // A shape that starts above the tile is drawn from row 0, shifted down as a whole.
    const std::int64_t firstRow = std::max(0, shape.y1);
    const std::int64_t lastRow = std::min<std::int64_t>(
        shape.y1 < 0 ? static_cast<std::int64_t>(shape.y2) - shape.y1 : shape.y2, kTileHeight - 1);
    const std::uint8_t* const data = shape.data;
    const std::size_t size = shape.size;
    std::size_t at = 0;
    bool cut = false;
    std::int64_t row = firstRow;
    for (; row <= lastRow && at < size; ++row) {
        int column = firstColumn;
        const int y = tileY * kTileHeight + static_cast<int>(row);
        auto paint = [&](std::uint8_t index) {
            if (column >= kTileWidth) {
                return;
            }
            if (index != kTransparent) {
                if (std::uint8_t* pixel = picture.pixelAt(tileX * kTileWidth + column, y)) {
                    const std::uint32_t rgb = kShpColours[index];
                    pixel[0] = static_cast<std::uint8_t>(rgb & 0xFF);
                    pixel[1] = static_cast<std::uint8_t>((rgb >> 8) & 0xFF);
                    pixel[2] = static_cast<std::uint8_t>(rgb >> 16);
                }
            }
            ++column;
        };
        // The end of the data ends the row, also in the middle of a run.
        while (at < size) {
            const std::uint8_t code = data[at++];
            if (code == 0) {
                break;
            }
            if (code == 1) {
                if (at >= size) {
                    cut = true;
                    break;
                }
                const int skipped = data[at++];
                if (column < kTileWidth) {
                    column = std::min(kTileWidth, column + skipped);
                }
            } else if (code % 2 == 0) {
                if (at >= size) {
                    cut = true;
                    break;
                }
                const std::uint8_t index = data[at++];
                for (int n = code / 2; n > 0; --n) {
                    paint(index);
                }
            } else {
                int n = code / 2;
                for (; n > 0 && at < size; --n) {
                    paint(data[at++]);
                }
                if (n > 0) {
                    cut = true;
                }
            }
        }
    }
    // The end of the file ends the last row, as a code 0 would.
    return !cut && row > lastRow;
}

} // namespace

int MapPicture::readShp(const std::string& filePath) {
    // Named like S16 tiles.
    const std::string base = tileSetBase(filePath);
    const std::string prefix = folderPart(filePath) + base;
    name = base;
    if (!fileExists(tileFilePath(prefix, 0, 0, ".shp"))) {
        return 0;
    }

    Shape shape;
    const TileExtent extent = tileSetExtent([&](int x, int y) -> std::optional<TileExtent> {
        if (!readShapeExtent(tileFilePath(prefix, x, y, ".shp"), kTileBufferSize, shape)) {
            return std::nullopt;
        }
        return TileExtent{shape.width, shape.height};
    });
    width = extent.width;
    height = extent.height;
    beginPicture();

    TileSetFaults faults;
    for (int x = 0; x < kTileColumns; ++x) {
        for (int y = 0; y < kTileRows; ++y) {
            TileState state =
                loadShape(tileFilePath(prefix, x, y, ".shp"), tileBuffer(), kTileBufferSize, shape);
            if (state == TileState::Whole && !decodeShape(*this, shape, x, y)) {
                state = TileState::CutShort;
            }
            faults.note(x, y, state);
        }
    }
    faultyTiles = faults.faults();
    return 1;
}

} // namespace maporv
