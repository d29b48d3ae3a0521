#include "Texture.h"

#include <algorithm>
#include <cmath>

#include "Random.h"

namespace wispen::stagegen {

Texture::Texture(int sizeLog2) : size_(1 << sizeLog2), mask_((1 << sizeLog2) - 1) {
  v_.assign(static_cast<size_t>(size_) * size_, 0.0f);
}

void Texture::Normalize() {
  const auto [lo, hi] = std::minmax_element(v_.begin(), v_.end());
  const float low = *lo, span = std::max(*hi - *lo, 1e-6f);
  for (float& v : v_) v = (v - low) / span;
}

namespace {

// One octave of value noise: a lattice of `cells` random values, smoothly interpolated and wrapped.
void AddOctave(Texture& t, int cells, double amplitude, uint64_t seed) {
  std::vector<double> lattice(static_cast<size_t>(cells) * cells);
  for (int y = 0; y < cells; ++y) {
    for (int x = 0; x < cells; ++x) lattice[static_cast<size_t>(y) * cells + x] = HashUnit(x, y, seed);
  }
  auto h = [&](int cx, int cy) { return lattice[static_cast<size_t>(cy % cells) * cells + cx % cells]; };
  const double cellSize = static_cast<double>(t.Size()) / cells;
  for (int y = 0; y < t.Size(); ++y) {
    const double gy = y / cellSize;
    const int y0 = static_cast<int>(gy);
    double ty = gy - y0;
    ty = ty * ty * (3 - 2 * ty);
    for (int x = 0; x < t.Size(); ++x) {
      const double gx = x / cellSize;
      const int x0 = static_cast<int>(gx);
      double tx = gx - x0;
      tx = tx * tx * (3 - 2 * tx);
      const double top = h(x0, y0) + (h(x0 + 1, y0) - h(x0, y0)) * tx;
      const double bottom = h(x0, y0 + 1) + (h(x0 + 1, y0 + 1) - h(x0, y0 + 1)) * tx;
      t.Ref(x, y) += static_cast<float>(amplitude * (top + (bottom - top) * ty));
    }
  }
}

}  // namespace

Texture FractalNoise(int sizeLog2, int cells, int octaves, double gain, uint64_t seed) {
  Texture t(sizeLog2);
  double amplitude = 1;
  for (int o = 0; o < octaves && cells <= t.Size(); ++o, cells *= 2, amplitude *= gain) {
    AddOctave(t, cells, amplitude, Mix64(seed + o));
  }
  t.Normalize();
  return t;
}

Texture RidgedNoise(int sizeLog2, int cells, int octaves, double gain, double sharpness, uint64_t seed) {
  Texture t = FractalNoise(sizeLog2, cells, octaves, gain, seed);
  for (int y = 0; y < t.Size(); ++y) {
    for (int x = 0; x < t.Size(); ++x) {
      const double r = 1.0 - std::fabs(2.0 * t.At(x, y) - 1.0);
      t.Ref(x, y) = static_cast<float>(std::pow(r, sharpness));
    }
  }
  t.Normalize();
  return t;
}

CellTextures CellNoise(int sizeLog2, int cells, uint64_t seed) {
  CellTextures c{Texture(sizeLog2), Texture(sizeLog2), Texture(sizeLog2), Texture(sizeLog2)};
  const int size = 1 << sizeLog2;
  const double cellSize = static_cast<double>(size) / cells;
  auto wrap = [cells](int v) { return ((v % cells) + cells) % cells; };
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const int cx = static_cast<int>(x / cellSize), cy = static_cast<int>(y / cellSize);
      double d1 = 1e9, d2 = 1e9;
      int bestX = 0, bestY = 0;
      double bestPx = 0, bestPy = 0;
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int nx = cx + dx, ny = cy + dy;
          const double px = (nx + 0.15 + 0.7 * HashUnit(wrap(nx), wrap(ny), seed)) * cellSize;
          const double py = (ny + 0.15 + 0.7 * HashUnit(wrap(nx), wrap(ny), seed + 1)) * cellSize;
          const double d = std::sqrt((px - x) * (px - x) + (py - y) * (py - y)) / cellSize;
          if (d < d1) {
            d2 = d1;
            d1 = d;
            bestX = wrap(nx);
            bestY = wrap(ny);
            bestPx = px;
            bestPy = py;
          } else if (d < d2) {
            d2 = d;
          }
        }
      }
      const double angle = 6.2831853 * HashUnit(bestX, bestY, seed + 2);
      c.Near.Ref(x, y) = static_cast<float>(d1);
      c.Edge.Ref(x, y) = static_cast<float>(d2 - d1);
      c.Value.Ref(x, y) = static_cast<float>(HashUnit(bestX, bestY, seed + 3));
      c.Facet.Ref(x, y) = static_cast<float>(
          0.5 + 0.5 * ((x - bestPx) * std::cos(angle) + (y - bestPy) * std::sin(angle)) / cellSize);
    }
  }
  return c;
}

}  // namespace wispen::stagegen
