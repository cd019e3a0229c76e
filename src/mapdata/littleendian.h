#pragma once

#include <cstdint>

namespace maporv {

// The game's files (MAP, S16, BMP, SHP) store their integers little-endian and packed.

inline std::uint16_t readU16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline std::uint32_t readU32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

inline std::int16_t readI16(const std::uint8_t* bytes) {
    return static_cast<std::int16_t>(readU16(bytes));
}

inline std::int32_t readI32(const std::uint8_t* bytes) {
    return static_cast<std::int32_t>(readU32(bytes));
}

inline void writeU16(std::uint8_t* bytes, std::uint16_t value) {
    bytes[0] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void writeU32(std::uint8_t* bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
    }
}

inline void writeI32(std::uint8_t* bytes, std::int32_t value) {
    writeU32(bytes, static_cast<std::uint32_t>(value));
}

} // namespace maporv
