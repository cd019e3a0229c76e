#pragma once

#include <cstdint>

namespace maporv {

// What the set operations write into hexes: a terrain code, a roads word and a name
// entry. Changed by the get and clear commands, the on-screen panel and the Set data
// dialog. Zero at start.
struct Brush {
    std::int32_t terrain = 0;
    std::uint16_t roads = 0;
    std::int32_t nameIndex = 0;

    bool operator==(const Brush&) const = default;
};

} // namespace maporv
