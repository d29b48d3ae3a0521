#pragma once

#include <algorithm>
#include <cmath>

namespace wispen::art {

constexpr float kPi = 3.14159265358979f;

struct Vec2 {
  float x = 0;
  float y = 0;
};

constexpr Vec2 operator+(Vec2 a, Vec2 b) {
  return {a.x + b.x, a.y + b.y};
}
constexpr Vec2 operator-(Vec2 a, Vec2 b) {
  return {a.x - b.x, a.y - b.y};
}
constexpr Vec2 operator*(Vec2 a, float s) {
  return {a.x * s, a.y * s};
}
constexpr float Dot(Vec2 a, Vec2 b) {
  return a.x * b.x + a.y * b.y;
}
constexpr float Cross(Vec2 a, Vec2 b) {
  return a.x * b.y - a.y * b.x;
}
inline float Length(Vec2 a) {
  return std::sqrt(Dot(a, a));
}
inline Vec2 Rotate(Vec2 p, float radians) {
  const float c = std::cos(radians), s = std::sin(radians);
  return {p.x * c - p.y * s, p.x * s + p.y * c};
}
// Rotates p about the centre c.
inline Vec2 RotateAbout(Vec2 p, Vec2 c, float radians) {
  return c + Rotate(p - c, radians);
}

// A colour with straight (not premultiplied) alpha, channels 0..1.
struct Rgba {
  float r = 0;
  float g = 0;
  float b = 0;
  float a = 1;
};

inline float Clamp01(float v) {
  return std::clamp(v, 0.0f, 1.0f);
}
inline float Mix(float a, float b, float t) {
  return a + (b - a) * t;
}
inline Rgba Mix(const Rgba& a, const Rgba& b, float t) {
  return {Mix(a.r, b.r, t), Mix(a.g, b.g, t), Mix(a.b, b.b, t), Mix(a.a, b.a, t)};
}
inline float SmoothStep(float e0, float e1, float x) {
  const float t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}
// A colour from 0..255 channels.
constexpr Rgba Rgb8(int r, int g, int b, float a = 1) {
  return {r / 255.0f, g / 255.0f, b / 255.0f, a};
}
inline Rgba Scale(const Rgba& c, float s) {
  return {c.r * s, c.g * s, c.b * s, c.a};
}
inline Rgba WithAlpha(Rgba c, float a) {
  c.a = a;
  return c;
}

// A colour ramp: stops at increasing positions, linear between them, clamped at the ends.
struct Stop {
  float at;
  Rgba colour;
};
template <size_t N>
Rgba Ramp(const Stop (&stops)[N], float t) {
  if (t <= stops[0].at) return stops[0].colour;
  for (size_t i = 1; i < N; ++i) {
    if (t <= stops[i].at) {
      return Mix(stops[i - 1].colour, stops[i].colour,
                 (t - stops[i - 1].at) / (stops[i].at - stops[i - 1].at));
    }
  }
  return stops[N - 1].colour;
}

}  // namespace wispen::art
