#pragma once

#include <QColor>
#include <cstdint>

namespace maporv {

// A colour written as the game's tools write them, 0x00BBGGRR.
inline QColor colorOf(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

} // namespace maporv
