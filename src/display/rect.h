#pragma once

#include <algorithm>

namespace maporv {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// A rectangle of pixels whose right and bottom edges lie just outside it: (0, 0, 4, 3)
// covers columns 0..3 and rows 0..2. Where an operation counts the edges differently
// (the inclusive hit test of the button bar) it says so.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect fromSize(int x, int y, int width, int height) {
        return {x, y, x + width, y + height};
    }

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    // Also true for inverted rectangles.
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr bool contains(int x, int y) const {
        return left <= x && x < right && top <= y && y < bottom;
    }
    constexpr Rect translated(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    constexpr Rect intersected(const Rect& other) const {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }
    constexpr bool operator==(const Rect&) const = default;
};

} // namespace maporv
