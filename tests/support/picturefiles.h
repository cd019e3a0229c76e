#pragma once

// Small writers of picture files for the tests (S16 tiles, BMP files, SHP shapes),
// built byte by byte the way the formats lay them out, and pixel helpers.

#include "picture/mappicture.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <ostream>
#include <string>

namespace maporv::test {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.red << "," << c.green << "," << c.blue << ")";
}

inline constexpr Rgb kGrey{220, 220, 220};

inline Rgb pixelRgb(const MapPicture& picture, int x, int y) {
    const std::uint8_t* p = picture.pixelAt(x, y);
    return p == nullptr ? Rgb{-1, -1, -1} : Rgb{p[2], p[1], p[0]};
}

// Pixels that survive the 5-6-5 round trip (red, blue multiples of 8, green of 4) and
// differ from their neighbours.
inline Rgb patternAt(int x, int y) {
    return Rgb{(x * 8) & 0xF8, ((x + y) * 4) & 0xFC, (y * 8) & 0xF8};
}

// Off the picture: nothing.
inline void setPixel(MapPicture& picture, int x, int y, const Rgb& c) {
    std::uint8_t* p = picture.pixelAt(x, y);
    if (p != nullptr) {
        p[0] = static_cast<std::uint8_t>(c.blue);
        p[1] = static_cast<std::uint8_t>(c.green);
        p[2] = static_cast<std::uint8_t>(c.red);
    }
}

// A picture of the size in the shared buffer, each pixel the colour the function gives.
inline void paintPicture(MapPicture& picture, int width, int height,
                         const std::function<Rgb(int x, int y)>& colour) {
    picture.width = width;
    picture.height = height;
    picture.beginPicture();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            setPixel(picture, x, y, colour(x, y));
        }
    }
}

inline void makePatternPicture(MapPicture& picture, int width, int height) {
    paintPicture(picture, width, height, patternAt);
}

inline std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) {
        out.push_back(static_cast<char>(v));
    }
    return out;
}

inline std::string le16(std::uint32_t v) {
    return bytes({static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF)});
}

inline std::string le32(std::uint32_t v) {
    return le16(v & 0xFFFF) + le16(v >> 16);
}

inline std::uint32_t get16(const std::string& data, std::size_t at) {
    return static_cast<std::uint8_t>(data[at]) |
           (static_cast<std::uint32_t>(static_cast<std::uint8_t>(data[at + 1])) << 8);
}

inline std::uint32_t get32(const std::string& data, std::size_t at) {
    return get16(data, at) | (get16(data, at + 2) << 16);
}

// An S16 tile: magic, the 40 header bytes, then the pixel data as given.
inline std::string s16Tile(int width, int height, const std::string& data,
                           std::uint32_t encoding = 0, std::uint32_t gap = 0,
                           std::uint32_t magic = 1) {
    const auto w = static_cast<std::uint32_t>(width);
    const auto h = static_cast<std::uint32_t>(height);
    std::string out;
    for (std::uint32_t field : {magic, w, h, 0u, 0u, w, h, gap, w * h * 2u, encoding, 0u}) {
        out += le32(field);
    }
    return out + data;
}

inline std::string s16Uniform(int width, int height, std::uint16_t value) {
    std::string data;
    for (int i = 0; i < width * height; ++i) {
        data += le16(value);
    }
    return s16Tile(width, height, data);
}

struct BmpSpec {
    int bits = 24;
    int width = 1;
    int height = 1;
    std::string rows; // as stored: bottom row first, padded to 4 bytes
    std::string palette;
    std::uint32_t colorsUsed = 0;
    std::uint32_t headerSize = 40;
    std::uint32_t compression = 0;
    std::uint32_t pixelOffset = 0; // 0: right after the palette
    std::string type = "BM";
};

inline std::string bmpFile(const BmpSpec& s) {
    const auto offset =
        s.pixelOffset != 0 ? s.pixelOffset : static_cast<std::uint32_t>(54 + s.palette.size());
    return s.type + le32(0) + le32(0) + le32(offset) + le32(s.headerSize) +
           le32(static_cast<std::uint32_t>(s.width)) + le32(static_cast<std::uint32_t>(s.height)) +
           le16(1) + le16(static_cast<std::uint32_t>(s.bits)) + le32(s.compression) +
           le32(static_cast<std::uint32_t>(s.rows.size())) + le32(2835) + le32(2835) +
           le32(s.colorsUsed) + le32(s.colorsUsed) + s.palette + s.rows;
}

// A 24-bit BMP whose every byte of pixel data is value (a grey), rows padded.
inline std::string uniformBmp24(int width, int height, char value = '\x40') {
    BmpSpec bmp;
    bmp.width = width;
    bmp.height = height;
    const int rowLength = (3 * width + 3) / 4 * 4;
    bmp.rows.assign(static_cast<std::size_t>(rowLength * height), value);
    return bmpFile(bmp);
}

struct ShpSpec {
    int height = 480;
    int width = 640;
    std::int32_t x1 = 0;
    std::int32_t y1 = 0;
    std::int32_t y2 = 0;
    std::string codes;
    std::uint32_t shapeCount = 1;
    std::uint32_t shapeOffset = 12;
};

inline std::string shpFile(const ShpSpec& s) {
    return le32(0) + le32(s.shapeCount) + le32(s.shapeOffset) +
           le16(static_cast<std::uint32_t>(s.height - 1)) +
           le16(static_cast<std::uint32_t>(s.width - 1)) + le32(0) +
           le32(static_cast<std::uint32_t>(s.x1)) + le32(static_cast<std::uint32_t>(s.y1)) +
           le32(639) + le32(static_cast<std::uint32_t>(s.y2)) + s.codes;
}

} // namespace maporv::test
