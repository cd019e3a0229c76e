#include "display/fingerprint.h"

#include "display/rect.h"

#include <cstring>

namespace maporv {

Fingerprint& Fingerprint::add(std::string_view text) {
    // The length first, so that texts cut in different places differ.
    add(text.size());
    return addBytes(text.data(), text.size());
}

Fingerprint& Fingerprint::addBytes(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::size_t at = 0;
    for (; at + 8 <= size; at += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + at, 8);
        add(word);
    }
    if (at < size) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes + at, size - at);
        add(word);
    }
    return *this;
}

Fingerprint& Fingerprint::add(const Point& point) {
    return add(static_cast<std::uint32_t>(point.x) |
               std::uint64_t{static_cast<std::uint32_t>(point.y)} << 32);
}

Fingerprint& Fingerprint::add(const Rect& rect) {
    add(Point{rect.left, rect.top});
    return add(Point{rect.right, rect.bottom});
}

} // namespace maporv
