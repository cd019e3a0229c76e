#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace maporv {

struct Point;
struct Rect;

// A 64-bit digest of many values, to tell cheaply whether any of them changed. Each
// value is folded in by a step that is one-to-one in the digest, so a change of a
// single value always changes the result; changes of several values collide only by
// chance. Not meant to withstand values chosen to collide.
class Fingerprint {
public:
    Fingerprint& add(std::uint64_t value) {
        state_ = (state_ ^ value) * 0x9E3779B97F4A7C15u;
        state_ ^= state_ >> 32;
        return *this;
    }
    Fingerprint& add(std::string_view text);
    // Raw bytes; only for types without padding.
    Fingerprint& addBytes(const void* data, std::size_t size);
    Fingerprint& add(const Point& point);
    Fingerprint& add(const Rect& rect);

    std::uint64_t value() const { return state_; }

private:
    std::uint64_t state_ = 0xCBF29CE484222325u;
};

} // namespace maporv
