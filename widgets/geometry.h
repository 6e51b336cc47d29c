// Points, rectangles and colours of the toolkit. Right and bottom are exclusive for sizes and
// inclusive for hit tests.
#pragma once

#include <algorithm>
#include <cstdint>

namespace VSTGUI {

struct CPoint {
    int32_t x = 0;
    int32_t y = 0;

    CPoint() = default;
    CPoint(int32_t x, int32_t y) : x(x), y(y) {}
    CPoint& offset(int32_t dx, int32_t dy) {
        x += dx;
        y += dy;
        return *this;
    }
    friend bool operator==(const CPoint&, const CPoint&) = default;
};

struct CRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    CRect() = default;
    CRect(int32_t left, int32_t top, int32_t right, int32_t bottom)
        : left(left), top(top), right(right), bottom(bottom) {}

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    CPoint topLeft() const { return {left, top}; }

    CRect& offset(int32_t dx, int32_t dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
        return *this;
    }
    CRect& moveTo(int32_t x, int32_t y) { return offset(x - left, y - top); }
    // Edges included, as hit tests count them.
    bool pointInside(const CPoint& p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
    bool overlaps(const CRect& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    CRect intersection(const CRect& other) const {
        CRect result(std::max(left, other.left), std::max(top, other.top),
                     std::min(right, other.right), std::min(bottom, other.bottom));
        if (result.isEmpty()) return {};
        return result;
    }
    CRect unionWith(const CRect& other) const {
        if (isEmpty()) return other;
        if (other.isEmpty()) return *this;
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
    }
    friend bool operator==(const CRect&, const CRect&) = default;
};

struct CColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;
    friend bool operator==(const CColor&, const CColor&) = default;
};

inline constexpr CColor kBlackCColor{0, 0, 0, 255};
inline constexpr CColor kWhiteCColor{255, 255, 255, 255};
inline constexpr CColor kGreyCColor{127, 127, 127, 255};
inline constexpr CColor kTransparentWhite{255, 255, 255, 0};

}  // namespace VSTGUI
