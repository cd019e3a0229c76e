#include "editing/hexline.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace maporv {
namespace {

// Cube coordinates of the hex grid: x along the columns, z down the rows, y = -x - z.
// Odd columns sit half a row lower, so a column's z starts half its column number
// higher.
struct Cube {
    double x = 0;
    double y = 0;
    double z = 0;
};

int halfColumn(int column) {
    // Exact for negative columns too: column - (column & 1) is even.
    return (column - (column & 1)) / 2;
}

Cube toCube(HexCoord hex) {
    const double x = hex.column;
    const double z = hex.row - halfColumn(hex.column);
    return {x, -x - z, z};
}

// The hex whose centre is nearest to a point: round each coordinate, then mend the one
// that moved most so that the three add up to zero again.
HexCoord nearestHex(const Cube& point) {
    double x = std::round(point.x);
    const double y = std::round(point.y);
    double z = std::round(point.z);
    const double dx = std::abs(x - point.x);
    const double dy = std::abs(y - point.y);
    const double dz = std::abs(z - point.z);
    if (dx > dy && dx > dz) {
        x = -y - z;
    } else if (dy <= dz) {
        z = -x - y;
    }
    const int column = static_cast<int>(x);
    return {static_cast<int>(z) + halfColumn(column), column};
}

int distance(HexCoord a, HexCoord b) {
    const Cube p = toCube(a);
    const Cube q = toCube(b);
    return static_cast<int>(
        std::max({std::abs(p.x - q.x), std::abs(p.y - q.y), std::abs(p.z - q.z)}));
}

// The line with both ends moved a hair to one side (sign +1 or -1), which decides
// every point that lies exactly between hexes the same way.
std::vector<HexCoord> nudgedLine(HexCoord from, HexCoord to, int steps, double sign) {
    const Cube nudge{1e-6 * sign, 2e-6 * sign, -3e-6 * sign};
    const Cube a = toCube(from);
    const Cube b = toCube(to);
    std::vector<HexCoord> line;
    line.reserve(static_cast<std::size_t>(steps) + 1);
    line.push_back(from);
    for (int i = 1; i < steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        line.push_back(nearestHex({a.x + nudge.x + (b.x - a.x) * t, a.y + nudge.y + (b.y - a.y) * t,
                                   a.z + nudge.z + (b.z - a.z) * t}));
    }
    if (steps > 0) {
        line.push_back(to);
    }
    return line;
}

std::size_t outside(const std::vector<HexCoord>& line, const HexExtent& area) {
    return static_cast<std::size_t>(std::count_if(
        line.begin(), line.end(), [&area](HexCoord hex) { return !inArea(area, hex); }));
}

// Pointer samples lie within a view's width of the grid; anything further is brought
// nearer so that the line stays short and its arithmetic exact.
HexCoord nearGrid(HexCoord hex) {
    constexpr int kFar = 4096;
    return {std::clamp(hex.row, -kFar, kFar), std::clamp(hex.column, -kFar, kFar)};
}

} // namespace

std::vector<HexCoord> hexLine(HexCoord from, HexCoord to, const HexExtent& area) {
    from = nearGrid(from);
    to = nearGrid(to);
    const int steps = distance(from, to);
    std::vector<HexCoord> line = nudgedLine(from, to, steps, 1.0);
    if (outside(line, area) > 0) {
        std::vector<HexCoord> other = nudgedLine(from, to, steps, -1.0);
        if (outside(other, area) < outside(line, area)) {
            line = std::move(other);
        }
    }
    std::erase_if(line, [&area](HexCoord hex) { return !inArea(area, hex); });
    return line;
}

} // namespace maporv
