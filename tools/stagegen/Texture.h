#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace wispen::stagegen {

// A square picture of floats that repeats in both directions; sampled at any real position. Painting a large
// map from a few of these keeps the build fast: a lookup costs a few nanoseconds, a noise sum far more.
class Texture {
 public:
  Texture() = default;
  explicit Texture(int sizeLog2);

  int Size() const { return size_; }
  float At(int x, int y) const { return v_[static_cast<size_t>(y & mask_) * size_ + (x & mask_)]; }
  float& Ref(int x, int y) { return v_[static_cast<size_t>(y & mask_) * size_ + (x & mask_)]; }
  // Bilinear, wrapping.
  float Sample(double x, double y) const {
    const float fx = static_cast<float>(x), fy = static_cast<float>(y);
    const float flx = std::floor(fx), fly = std::floor(fy);
    const int ix = static_cast<int>(flx), iy = static_cast<int>(fly);
    const float tx = fx - flx, ty = fy - fly;
    const float a = At(ix, iy), b = At(ix + 1, iy), c = At(ix, iy + 1), d = At(ix + 1, iy + 1);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
  }
  // Rescales the values to fill [0, 1].
  void Normalize();

 private:
  int size_ = 0;
  int mask_ = 0;
  std::vector<float> v_;
};

// Smooth value noise summed over octaves, in [0, 1]: the base of rock, flesh and fire. `cells` is the
// lattice count across the tile at the first octave.
Texture FractalNoise(int sizeLog2, int cells, int octaves, double gain, uint64_t seed);

// 1 - |2n - 1| of fractal noise, sharpened: thin bright ridges, for veins, cracks and vines.
Texture RidgedNoise(int sizeLog2, int cells, int octaves, double gain, double sharpness, uint64_t seed);

// Cellular noise over a jittered grid of `cells` x `cells` feature points.
struct CellTextures {
  Texture Near;   // distance to the nearest feature point, in cell sizes
  Texture Edge;   // second-nearest minus nearest: small along cell borders
  Texture Value;  // a random value per cell
  Texture Facet;  // a tilted plane per cell: light falling across a crystal face
};
CellTextures CellNoise(int sizeLog2, int cells, uint64_t seed);

}  // namespace wispen::stagegen
