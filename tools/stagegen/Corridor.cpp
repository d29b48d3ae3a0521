#include "Corridor.h"

#include <algorithm>
#include <cmath>

#include "Random.h"
#include "Texture.h"

namespace wispen::stagegen {

Corridor::Corridor(int width, int height)
    : width_(width),
      height_(height),
      black_(static_cast<size_t>(width) * height, 0),
      distance_(static_cast<size_t>(width) * height, 0.0f) {}

Vec2 Corridor::AwayFromCorridor(int x, int y) const {
  const int x0 = std::max(x - 2, 0), x1 = std::min(x + 2, width_ - 1);
  const int y0 = std::max(y - 2, 0), y1 = std::min(y + 2, height_ - 1);
  return Vec2{Distance(x1, y) - Distance(x0, y), Distance(x, y1) - Distance(x, y0)}.Normalized();
}

void Corridor::MeasureDistances() {
  constexpr float kFar = 1e6f;
  constexpr float kDiagonal = 1.41421356f;
  const int w = width_;
  for (size_t i = 0; i < black_.size(); ++i) distance_[i] = black_[i] ? 0.0f : kFar;
  // Two sweeps over the map, each taking the best of the neighbours already swept; the map's outermost
  // rows and columns are measured from inside only.
  for (int y = 0; y < height_; ++y) {
    float* row = &distance_[Index(0, y)];
    const float* above = y > 0 ? row - w : nullptr;
    for (int x = 0; x < w; ++x) {
      float d = row[x];
      if (x > 0) d = std::min(d, row[x - 1] + 1);
      if (above) {
        d = std::min(d, above[x] + 1);
        if (x > 0) d = std::min(d, above[x - 1] + kDiagonal);
        if (x + 1 < w) d = std::min(d, above[x + 1] + kDiagonal);
      }
      row[x] = d;
    }
  }
  for (int y = height_ - 1; y >= 0; --y) {
    float* row = &distance_[Index(0, y)];
    const float* below = y + 1 < height_ ? row + w : nullptr;
    for (int x = w - 1; x >= 0; --x) {
      float d = row[x];
      if (x + 1 < w) d = std::min(d, row[x + 1] + 1);
      if (below) {
        d = std::min(d, below[x] + 1);
        if (x + 1 < w) d = std::min(d, below[x + 1] + kDiagonal);
        if (x > 0) d = std::min(d, below[x - 1] + kDiagonal);
      }
      row[x] = d;
    }
  }
}

Vec2 PillarCentre(const Track& track, const PillarDesc& pillar) {
  const int i = std::clamp(pillar.At, 0, track.Length);
  const Vec2 d = track.Direction(i);
  return track.SoulCentre(i) + d.Perpendicular() * pillar.Offset + d * pillar.Ahead;
}

namespace {

// How deep each pixel lies inside the tube of discs swept along the ideal flight: the largest
// (radius - distance) over all discs, which is minus the distance to the tube's surface outside it.
std::vector<float> SweepDepth(const Track& track, int width, int height, double reach) {
  std::vector<float> depth(static_cast<size_t>(width) * height, -1e6f);
  auto stamp = [&](Vec2 c, double r) {
    const double outer = r + reach;
    const int x0 = std::max(0, static_cast<int>(std::floor(c.x - outer)));
    const int x1 = std::min(width - 1, static_cast<int>(std::ceil(c.x + outer)));
    const int y0 = std::max(0, static_cast<int>(std::floor(c.y - outer)));
    const int y1 = std::min(height - 1, static_cast<int>(std::ceil(c.y + outer)));
    for (int y = y0; y <= y1; ++y) {
      const double dy = y + 0.5 - c.y;
      for (int x = x0; x <= x1; ++x) {
        const double dx = x + 0.5 - c.x;
        const float v = static_cast<float>(r - std::sqrt(dx * dx + dy * dy));
        float& d = depth[static_cast<size_t>(y) * width + x];
        if (v > d) d = v;
      }
    }
  };
  // Discs every two pixels or less along the flight: the union is then smooth to a fraction of a pixel.
  Vec2 last = track.SoulCentre(0);
  stamp(last, track.Width[0] / 2);
  for (int i = 1; i <= track.GoalIndex; ++i) {
    const Vec2 a = track.SoulCentre(i - 1), b = track.SoulCentre(i);
    const double ra = track.Width[i - 1] / 2, rb = track.Width[i] / 2;
    const int pieces = std::max(1, static_cast<int>(std::ceil((b - a).Length() / 2.0)));
    for (int k = 1; k <= pieces; ++k) {
      const double u = static_cast<double>(k) / pieces;
      const Vec2 c = a + (b - a) * u;
      if ((c - last).Length() < 1.0 && k < pieces) continue;
      stamp(c, ra + (rb - ra) * u);
      last = c;
    }
  }
  return depth;
}

}  // namespace

Corridor CarveCorridor(const Track& track, const StageDesc& desc, int width, int height) {
  Corridor corridor(width, height);
  const Texture rough = FractalNoise(9, 12, 4, 0.55, Mix64(desc.Seed + 101));
  // The wall's roughness: from EdgeInward into the corridor to EdgeOutward out of it.
  auto roughness = [&](int x, int y) {
    return -desc.EdgeInward + (desc.EdgeInward + desc.EdgeOutward) * rough.Sample(x * 0.8, y * 0.8);
  };
  const std::vector<float> depth = SweepDepth(track, width, height, desc.EdgeOutward + 1);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const float d = depth[static_cast<size_t>(y) * width + x];
      if (d > -desc.EdgeOutward - 1 && d + roughness(x, y) > 0) corridor.SetBlack(x, y, true);
    }
  }
  const Vec2 gate = track.GateCentre();
  const double inner = desc.GateRadius;  // the open inside of the gate
  for (int y = std::max(0, static_cast<int>(gate.y - inner) - 1);
       y <= std::min(height - 1, static_cast<int>(gate.y + inner) + 1); ++y) {
    for (int x = std::max(0, static_cast<int>(gate.x - inner) - 1);
         x <= std::min(width - 1, static_cast<int>(gate.x + inner) + 1); ++x) {
      if (std::hypot(x + 0.5 - gate.x, y + 0.5 - gate.y) < inner) corridor.SetBlack(x, y, true);
    }
  }
  for (const PillarDesc& p : desc.Pillars) {
    const Vec2 c = PillarCentre(track, p);
    const double outer = p.Radius + desc.EdgeOutward + 1;
    for (int y = std::max(0, static_cast<int>(c.y - outer));
         y <= std::min(height - 1, static_cast<int>(c.y + outer)); ++y) {
      for (int x = std::max(0, static_cast<int>(c.x - outer));
           x <= std::min(width - 1, static_cast<int>(c.x + outer)); ++x) {
        if (std::hypot(x + 0.5 - c.x, y + 0.5 - c.y) < p.Radius - roughness(x, y))
          corridor.SetBlack(x, y, false);
      }
    }
  }
  corridor.MeasureDistances();
  return corridor;
}

}  // namespace wispen::stagegen
