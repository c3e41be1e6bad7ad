// Plain geometry and colour values shared by the drawing and window ports.
#pragma once

#include <cstdint>

namespace tarsel {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Inclusive on all four edges: (x, y) lies inside when left <= x <= right and top <= y <= bottom.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  constexpr bool Contains(int x, int y) const {
    return left <= x && x <= right && top <= y && y <= bottom;
  }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

}  // namespace tarsel
