#pragma once

#include <cmath>

namespace wispen::stagegen {

struct Vec2 {
  double x = 0;
  double y = 0;
  constexpr Vec2 operator+(Vec2 o) const { return {x + o.x, y + o.y}; }
  constexpr Vec2 operator-(Vec2 o) const { return {x - o.x, y - o.y}; }
  constexpr Vec2 operator*(double k) const { return {x * k, y * k}; }
  Vec2& operator+=(Vec2 o) {
    x += o.x;
    y += o.y;
    return *this;
  }
  double Length() const { return std::hypot(x, y); }
  Vec2 Normalized() const {
    const double l = Length();
    return l > 1e-9 ? Vec2{x / l, y / l} : Vec2{1, 0};
  }
  // The direction a quarter turn clockwise on the screen (y grows downwards).
  constexpr Vec2 Perpendicular() const { return {-y, x}; }
};

inline double Smoothstep(double edge0, double edge1, double v) {
  const double t = std::fmin(1.0, std::fmax(0.0, (v - edge0) / (edge1 - edge0)));
  return t * t * (3 - 2 * t);
}

inline double Clamp01(double v) {
  return std::fmin(1.0, std::fmax(0.0, v));
}

}  // namespace wispen::stagegen
