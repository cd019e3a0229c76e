#include "picture/mappicture.h"

#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

namespace maporv {

MapPicture::MapPicture(UserInterface& ui) : ui_(ui) {}

std::uint8_t* MapPicture::pixels() {
    // One buffer for the whole run, big enough for the largest picture; it lives in
    // static storage, so it is never freed and loading never allocates pixel memory.
    alignas(16) static std::uint8_t buffer[kPictureBufferSize];
    return buffer;
}

std::uint8_t* MapPicture::tileBuffer() {
    alignas(16) static std::uint8_t buffer[kTileBufferSize];
    return buffer;
}

bool MapPicture::load(const std::string& filePath) {
    valid = false;
    if (!fileExists(filePath) || isFolder(filePath)) {
        return false;
    }
    WaitCursor wait(ui_);
    startLoad(filePath);

    if (extension == ".BMP") {
        name = fileNamePart(filePath);
        if (!readBmp(filePath)) {
            return false;
        }
        tileCount = 1;
        return true;
    }
    if (extension == ".SHP") {
        const int found = readShp(filePath);
        tileCount = static_cast<std::uint16_t>(found);
        return found == 1;
    }
    return readS16(filePath);
}

void MapPicture::startLoad(const std::string& filePath) {
    width = 0;
    height = 0;
    rowLength = 0;
    tileCount = 0;
    faultyTiles.clear();
    path = filePath;
    folder = folderPart(filePath);
    extension = toUpperAscii(extensionPart(filePath));
}

bool MapPicture::loadDecoded(const std::string& filePath, int pictureWidth, int pictureHeight,
                             std::uint32_t bits, const std::uint8_t* topRow,
                             std::size_t rowStride) {
    valid = false;
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(std::max(pictureWidth, 0));
    if (pictureWidth < 1 || pictureHeight < 1 || pictureWidth > kMaxPictureWidth ||
        pictureHeight > kMaxPictureHeight || topRow == nullptr || rowStride < rowBytes) {
        return false;
    }
    startLoad(filePath);
    name = fileNamePart(filePath);
    width = pictureWidth;
    height = pictureHeight;
    beginPicture();
    for (int y = 0; y < height; ++y) {
        std::memcpy(rowPointer(y), topRow + static_cast<std::size_t>(y) * rowStride, rowBytes);
    }
    tileCount = 1;
    sourceBits = bits;
    return true;
}

std::string MapPicture::faultyTilesText(bool cutShortOnly) const {
    std::vector<FaultyTile> told;
    std::copy_if(
        faultyTiles.begin(), faultyTiles.end(), std::back_inserter(told),
        [&](const FaultyTile& t) { return !cutShortOnly || t.state == TileState::CutShort; });
    return describeFaultyTiles(told, name, extension == ".SHP" ? ".shp" : ".s16");
}

void MapPicture::beginPicture() {
    release();
    // The tile readers never sum more than 3 x 640 by 4 x 480; the clamp keeps any
    // other caller inside the buffer.
    width = std::clamp(width, 0, kMaxPictureWidth);
    height = std::clamp(height, 0, kMaxPictureHeight);
    clear();
    rowLength = static_cast<int>(bitmapRowLength(24, width));
    header = BitmapInfoHeader{};
    header.width = width;
    header.height = height;
    header.imageSize = static_cast<std::uint32_t>(rowLength) * static_cast<std::uint32_t>(height);
    hasHeader = true;
    valid = true;
}

void MapPicture::release() {
    header = BitmapInfoHeader{};
    hasHeader = false;
    valid = false;
    sourceBits = 0;
}

void MapPicture::clear() {
    BufferClaim::overwrite();
    std::memset(pixels(), kFillByte, kPictureBufferSize);
}

const std::uint8_t* MapPicture::rowPointer(int y) const {
    if (y < 0 || y >= height) {
        return nullptr;
    }
    return pixels() +
           static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(rowLength);
}

std::uint8_t* MapPicture::rowPointer(int y) {
    return const_cast<std::uint8_t*>(std::as_const(*this).rowPointer(y));
}

const std::uint8_t* MapPicture::pixelAt(int x, int y) const {
    if (x < 0 || x >= width) {
        return nullptr;
    }
    const std::uint8_t* row = rowPointer(y);
    return row == nullptr ? nullptr : row + 3 * static_cast<std::size_t>(x);
}

std::uint8_t* MapPicture::pixelAt(int x, int y) {
    return const_cast<std::uint8_t*>(std::as_const(*this).pixelAt(x, y));
}

} // namespace maporv
