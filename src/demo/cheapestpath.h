#pragma once

#include "mapdata/hexdirection.h"
#include "mapdata/mapdocument.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <queue>
#include <utility>
#include <vector>

namespace maporv {

// The cheapest course over neighbouring hexes of the cell grid from source to any hex
// that satisfies isTarget, source first; empty when none is reached. Entering a hex
// costs cost(hex), a target 1; a negative cost closes the hex. Rivers and roads of the
// generated maps follow it, so ties are broken by hex index for the same course on
// every machine.
template <typename CostFn, typename TargetFn>
std::vector<HexCoord> cheapestPath(HexCoord source, CostFn cost, TargetFn isTarget) {
    constexpr int kHexes = kMapRows * kMapColumns;
    const auto indexOf = [](HexCoord hex) { return hex.row * kMapColumns + hex.column; };
    const auto hexOf = [](int index) { return HexCoord{index / kMapColumns, index % kMapColumns}; };
    std::vector<int> best(kHexes, INT_MAX);
    std::vector<int> from(kHexes, -1);
    using Entry = std::pair<int, int>; // cost so far, hex index: a total order
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    best[static_cast<std::size_t>(indexOf(source))] = 0;
    open.push({0, indexOf(source)});
    while (!open.empty()) {
        const auto [soFar, index] = open.top();
        open.pop();
        if (soFar != best[static_cast<std::size_t>(index)]) {
            continue;
        }
        const HexCoord hex = hexOf(index);
        if (index != indexOf(source) && isTarget(hex)) {
            std::vector<HexCoord> path;
            for (int at = index; at != -1; at = from[static_cast<std::size_t>(at)]) {
                path.push_back(hexOf(at));
            }
            std::reverse(path.begin(), path.end());
            return path;
        }
        for (int d = 0; d < kHexDirections; ++d) {
            const HexCoord next = neighbour(hex, d);
            if (!MapDocument::inGrid(next.row, next.column)) {
                continue;
            }
            const int step = isTarget(next) ? 1 : cost(next);
            if (step < 0) {
                continue;
            }
            const int total = soFar + step;
            const auto nextIndex = static_cast<std::size_t>(indexOf(next));
            if (total < best[nextIndex]) {
                best[nextIndex] = total;
                from[nextIndex] = index;
                open.push({total, indexOf(next)});
            }
        }
    }
    return {};
}

// Joins every hex of a path to the next with a road, a bit on both sides.
inline void joinAlong(MapDocument& document, const std::vector<HexCoord>& path) {
    const auto addBit = [&document](HexCoord hex, int direction) {
        std::uint16_t& roads =
            document.cells[static_cast<std::size_t>(hex.row)][static_cast<std::size_t>(hex.column)]
                .roads;
        roads = static_cast<std::uint16_t>(roads | directionBit(direction));
    };
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        const int d = neighbourDirection(path[i], path[i + 1]);
        addBit(path[i], d);
        addBit(path[i + 1], oppositeDirection(d));
    }
}

} // namespace maporv
