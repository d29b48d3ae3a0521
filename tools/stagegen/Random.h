#pragma once

#include <cstdint>

namespace wispen::stagegen {

// SplitMix64: the same numbers on every compiler and library, so a stage comes out the same everywhere.
inline uint64_t Mix64(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

// A value in [0, 1) that depends only on the lattice point and the seed.
inline double HashUnit(int64_t x, int64_t y, uint64_t seed) {
  const uint64_t h =
      Mix64(seed ^ Mix64(static_cast<uint64_t>(x) * 0x1F1F1F1Full ^ Mix64(static_cast<uint64_t>(y))));
  return static_cast<double>(h >> 11) * (1.0 / 9007199254740992.0);
}

class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    state_ += 0x9E3779B97F4A7C15ull;
    return Mix64(state_);
  }
  double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }

 private:
  uint64_t state_;
};

}  // namespace wispen::stagegen
