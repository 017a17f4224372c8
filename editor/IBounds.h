#pragma once

#include <algorithm>
#include <cstdint>

// An integer rectangle in editor pixels: left and top inclusive, right and bottom exclusive.
// The all-zero rectangle is the empty one; a zero-width rectangle elsewhere is not "empty".
struct IBounds {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  IBounds() = default;
  IBounds(int32_t l, int32_t t, int32_t r, int32_t b) : left(l), top(t), right(r), bottom(b) {}

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool IsEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }

  bool Contains(int32_t x, int32_t y) const { return !IsEmpty() && x >= left && x < right && y >= top && y < bottom; }

  // Deliberately not symmetric: this rectangle's right and bottom edges count as touching, the
  // other's do not. Callers decide which rectangle is the receiver.
  bool Intersects(const IBounds& other) const {
    if (IsEmpty() || other.IsEmpty()) return false;
    return right >= other.left && left < other.right && bottom >= other.top && top < other.bottom;
  }

  IBounds Intersection(const IBounds& other) const {
    if (!Intersects(other)) return IBounds();
    return IBounds(std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                   std::min(bottom, other.bottom));
  }

  IBounds Union(const IBounds& other) const {
    if (IsEmpty()) return other;
    if (other.IsEmpty()) return *this;
    return IBounds(std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                   std::max(bottom, other.bottom));
  }

  void MoveTo(int32_t x, int32_t y) {
    right = x + Width();
    bottom = y + Height();
    left = x;
    top = y;
  }

  bool operator==(const IBounds& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool operator!=(const IBounds& o) const { return !(*this == o); }
};
