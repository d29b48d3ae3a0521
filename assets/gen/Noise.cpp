#include "Noise.h"

#include <cmath>

#include "Vec.h"

namespace wispen::art {

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c) {
  uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
  h ^= h >> 15;
  h *= 0x2C1B3C6Du;
  h ^= h >> 12;
  h *= 0x297A2D39u;
  h ^= h >> 15;
  return h;
}

float HashUnit(uint32_t a, uint32_t b, uint32_t c) {
  return static_cast<float>(Hash(a, b, c) >> 8) / 16777216.0f;
}

namespace {
float Fade(float t) {
  return t * t * t * (t * (t * 6 - 15) + 10);
}
uint32_t Cell(float v) {
  return static_cast<uint32_t>(static_cast<int32_t>(std::floor(v)));
}
}  // namespace

float ValueNoise(float x, float y, uint32_t seed) {
  const float fx = std::floor(x), fy = std::floor(y);
  const uint32_t ix = Cell(x), iy = Cell(y);
  const float tx = Fade(x - fx), ty = Fade(y - fy);
  const float a = HashUnit(ix, iy, seed), b = HashUnit(ix + 1, iy, seed);
  const float c = HashUnit(ix, iy + 1, seed), d = HashUnit(ix + 1, iy + 1, seed);
  return Mix(Mix(a, b, tx), Mix(c, d, tx), ty);
}

float Fbm(float x, float y, uint32_t seed, int octaves, float gain) {
  float sum = 0, amplitude = 1, total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amplitude * ValueNoise(x, y, seed + 101u * static_cast<uint32_t>(i));
    total += amplitude;
    amplitude *= gain;
    // Rotating each octave a little hides the lattice.
    const float nx = x * 1.6f - y * 1.2f + 17.3f, ny = x * 1.2f + y * 1.6f - 9.1f;
    x = nx;
    y = ny;
  }
  return sum / total;
}

float Ridge(float x, float y, uint32_t seed, int octaves) {
  const float v = Fbm(x, y, seed, octaves);
  return 1.0f - std::min(1.0f, std::fabs(v - 0.5f) * 2.0f);
}

float Cellular(float x, float y, uint32_t seed) {
  const float fx = std::floor(x), fy = std::floor(y);
  float best = 10.0f;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const uint32_t cx = Cell(fx + dx), cy = Cell(fy + dy);
      const float px = fx + dx + HashUnit(cx, cy, seed), py = fy + dy + HashUnit(cx, cy, seed + 7);
      best = std::min(best, std::hypot(px - x, py - y));
    }
  }
  return best;
}

float Random::Unit() {
  state_ = Hash(state_, 0x5bd1e995u);
  return static_cast<float>(state_ >> 8) / 16777216.0f;
}

}  // namespace wispen::art
