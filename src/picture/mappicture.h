#pragma once

#include "picture/bufferclaim.h"
#include "picture/tilefaults.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace maporv {

class UserInterface;

// The game's picture tiles: at most 3 columns by 4 rows of 640 x 480 pixels.
inline constexpr int kTileWidth = 640;
inline constexpr int kTileHeight = 480;
inline constexpr int kTileColumns = 3;
inline constexpr int kTileRows = 4;
inline constexpr int kMaxPictureWidth = kTileColumns * kTileWidth; // 1920
inline constexpr int kMaxPictureHeight = kTileRows * kTileHeight;  // 1920
inline constexpr std::size_t kPictureBufferSize = 11059200;        // 1920 x 1920 x 3
inline constexpr std::size_t kTileBufferSize = 921600;             // 640 x 480 x 3
inline constexpr std::uint8_t kFillByte = 220;                     // light grey 220,220,220

// Bytes per row of an uncompressed bitmap: bits x width rounded up to whole 32-bit words.
// 64-bit, because the width may come from a file header that claims anything.
constexpr std::int64_t bitmapRowLength(int bitCount, std::int64_t width) {
    return ((bitCount * width + 31) / 32) * 4;
}

// Tiles needed to cover a picture: one per full tile and one more for a remainder.
constexpr int tileColumnsFor(int width) {
    return width <= 0 ? 0 : (width + kTileWidth - 1) / kTileWidth;
}
constexpr int tileRowsFor(int height) {
    return height <= 0 ? 0 : (height + kTileHeight - 1) / kTileHeight;
}

// The 40-byte bitmap information header that describes the picture as a Windows DIB.
struct BitmapInfoHeader {
    std::uint32_t size = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t colorsImportant = 0;
};

// The map's picture: one 24-bit bottom-up bitmap (blue, green, red; rows padded to 4
// bytes) of at most 1920 x 1920 pixels. Every MapPicture shares one pixel buffer,
// allocated once and never freed, so loading a preview overwrites the map's pixels:
// the map's picture is then no longer valid, and cannot be saved, until it is loaded
// again from its path.
class MapPicture {
public:
    explicit MapPicture(UserInterface& ui);
    MapPicture(const MapPicture&) = delete;
    MapPicture& operator=(const MapPicture&) = delete;

    // Display name: a BMP's title; the base name of an S16 or SHP set (MAP05).
    std::string name;
    bool modified = false;
    // True once a picture has been begun or a BMP read; false after release, at the
    // start of every load, and once another picture began to fill the shared buffer.
    BufferClaim valid;
    std::string path;
    std::string folder;
    std::uint16_t tileCount = 0;
    // Extension of path including the dot, upper-cased.
    std::string extension;
    int width = 0;
    int height = 0;
    // Bit depth of the BMP last read (8, 16, 24 or 32); 0 otherwise.
    std::uint32_t sourceBits = 0;
    // Bytes per buffer row: 3 x width rounded up to a multiple of 4.
    int rowLength = 0;
    bool hasHeader = false;
    BitmapInfoHeader header;
    // The tiles of the S16 or SHP set last read that were not read whole, column by
    // column; empty for a whole set and for any other picture. The tiles that were read
    // still load; what the others lack keeps the fill colour.
    std::vector<FaultyTile> faultyTiles;
    // The last BMP read refused the file only for its kind (not a BMP; compressed,
    // another header, depth or size): another reader may take it. A file cut short or
    // otherwise damaged is refused for good.
    bool bmpKindRefused = false;

    // The single entry for all formats: ".BMP" to the BMP reader, ".SHP" to the SHP
    // reader, anything else to the S16 grid reader. False (no message) when no file
    // exists at path.
    bool load(const std::string& filePath);

    // Takes a picture decoded by another reader (the tool's image reader): rows top
    // first, 3 bytes per pixel (blue, green, red), rowStride bytes apart. Names the
    // picture after filePath as load names a BMP, one tile, sourceBits := bits. False,
    // with the picture left not valid, unless the size is 1 to 1920 pixels each way.
    bool loadDecoded(const std::string& filePath, int pictureWidth, int pictureHeight,
                     std::uint32_t bits, const std::uint8_t* topRow, std::size_t rowStride);

    // "MAP0711.s16 is missing, MAP0712.s16 is cut short": the faulty tiles by file name;
    // with cutShortOnly only those cut short.
    std::string faultyTilesText(bool cutShortOnly = false) const;

    // Fills the buffer with 220 and builds a 24-bit header for width x height.
    void beginPicture();
    // Frees the header; valid false, sourceBits 0.
    void release();
    // Fills the whole shared buffer with 220; every picture that held it is no longer
    // valid.
    void clear();

    // Reads an uncompressed 8, 16, 24 or 32-bit BMP; every refusal is reported in an
    // error box and leaves the picture released.
    bool readBmp(const std::string& filePath);
    // Writes the picture as a 24-bit BMP; "Error creating %s" when that fails.
    bool saveBmp(const std::string& filePath) const;
    // 1 when the set exists and was read, 0 otherwise.
    int readShp(const std::string& filePath);
    // Reads the S16 tile set the file belongs to; always succeeds.
    bool readS16(const std::string& filePath);
    // Cuts the picture into S16 tiles prefix + X + Y + ".s16", all or nothing
    // (TileSetWriter): each tile that cannot be written is reported, and then no tile
    // replaces an old one; the older tiles of the set are removed once the new ones are
    // in place. True only when every tile was written; false, without a message, while
    // the picture is not valid.
    bool writeS16Tiles(const std::string& prefix) const;
    // Cuts a picture larger than one tile both ways into BMP tiles prefix + X + Y +
    // ".bmp", all or nothing as the S16 tiles. False, without a message, for a smaller
    // picture, an empty base name or a picture not valid; false after a message when a
    // tile failed.
    bool writeBmpTiles(const std::string& prefix) const;

    // The shared pixel buffer (kPictureBufferSize bytes).
    static std::uint8_t* pixels();
    // Start of picture row y (0 = top row) in the buffer; nullptr outside the picture.
    const std::uint8_t* rowPointer(int y) const;
    std::uint8_t* rowPointer(int y);
    // The blue byte of pixel (x, y), y = 0 the top row; nullptr outside the picture.
    const std::uint8_t* pixelAt(int x, int y) const;
    std::uint8_t* pixelAt(int x, int y);

private:
    // The common start of every load: the path and the names derived from it, the
    // size and tile count 0.
    void startLoad(const std::string& filePath);

    // Receives one tile's file data while it is decoded (kTileBufferSize bytes); the
    // S16 writer builds its tiles in it too.
    static std::uint8_t* tileBuffer();

    UserInterface& ui_;
};

} // namespace maporv
