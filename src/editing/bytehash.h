#pragma once

#include <cstdint>
#include <string_view>

namespace maporv {

// FNV-1a over 64 bits, fed in pieces: quick, and enough to tell bytes that changed by
// accident (a torn record, a file rewritten by another program). It is no defence
// against bytes forged to collide, which nobody here has a reason to make.
class ByteHash {
public:
    ByteHash& add(std::string_view bytes) {
        for (const char c : bytes) {
            hash_ = (hash_ ^ static_cast<std::uint8_t>(c)) * 0x100000001b3ull;
        }
        return *this;
    }
    std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ull;
};

} // namespace maporv
