#pragma once

#include <cstdint>

namespace wispen::art {

// Deterministic noise built on an integer hash, so the same seed gives the same pictures everywhere.
uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0);
// A value in [0, 1) from the hash of the three integers.
float HashUnit(uint32_t a, uint32_t b = 0, uint32_t c = 0);

// Smooth value noise in [0, 1] on a lattice of unit cells.
float ValueNoise(float x, float y, uint32_t seed);
// Fractal sum of octaves of value noise, normalised to [0, 1].
float Fbm(float x, float y, uint32_t seed, int octaves, float gain = 0.5f);
// Ridged noise: 1 along the valleys of the noise field, falling off beside them; good for cracks and veins.
float Ridge(float x, float y, uint32_t seed, int octaves);
// Distance to the nearest of a jittered grid of points (cellular noise), in cell units.
float Cellular(float x, float y, uint32_t seed);

// A small seeded generator for scattering particles.
class Random {
 public:
  explicit Random(uint32_t seed) : state_(seed) {}
  float Unit();  // [0, 1)
  float Range(float lo, float hi) { return lo + (hi - lo) * Unit(); }

 private:
  uint32_t state_;
};

}  // namespace wispen::art
