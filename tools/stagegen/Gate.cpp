#include "Gate.h"

#include <cmath>

#include "Random.h"
#include "core/ProbeOffsets.h"

namespace wispen::stagegen {

void DrawGate(Vec2 centre, double inner, int ramp, const Corridor& corridor, const Palette& palette,
              formats::IndexedImage& map) {
  const double outer = inner + kGateRing + kGateGlow;
  for (int y = static_cast<int>(centre.y - outer); y <= static_cast<int>(centre.y + outer); ++y) {
    for (int x = static_cast<int>(centre.x - outer); x <= static_cast<int>(centre.x + outer); ++x) {
      if (x < 0 || y < 0 || x >= map.Width || y >= map.Height || corridor.IsBlack(x, y)) continue;
      const Vec2 p{x + 0.5 - centre.x, y + 0.5 - centre.y};
      const double r = p.Length();
      if (r < inner || r > outer) continue;
      const double angle = std::atan2(p.y, p.x);
      const double shimmer = 0.5 + 0.5 * std::sin(angle * 14.0 + r * 0.35);
      if (r < inner + kGateRing) {
        const double core = 1.0 - std::fabs((r - inner) / kGateRing - 0.5) * 2.0;
        map.At(x, y) = palette.Index(ramp, 0.72 + 0.22 * core + 0.06 * shimmer, x, y);
        continue;
      }
      // Rays of the glow: brighter along some angles, fading with distance.
      const double rays = 0.55 + 0.45 * std::pow(0.5 + 0.5 * std::sin(angle * 9.0 + 1.3), 3.0);
      const double glow = std::exp(-(r - inner - kGateRing) / 11.0) * rays;
      if (glow > 0.25 + 0.2 * HashUnit(x, y, 77)) map.At(x, y) = palette.Index(ramp, 0.25 + 0.6 * glow, x, y);
    }
  }
}

TRect GoalRectFor(Vec2 centre, double inner, double margin) {
  const int cx = static_cast<int>(std::lround(centre.x - 19)),
            cy = static_cast<int>(std::lround(centre.y - 19));
  auto fits = [&](int mx, int my) {
    for (const TPoint& probe : ProbeOffsets) {
      const double dx = mx + probe.X + 0.5 - centre.x, dy = my + probe.Y + 0.5 - centre.y;
      if (std::hypot(dx, dy) > inner - margin) return false;
    }
    return true;
  };
  int k = 0;
  while (fits(cx - k - 1, cy - k - 1) && fits(cx + k + 1, cy - k - 1) && fits(cx - k - 1, cy + k + 1) &&
         fits(cx + k + 1, cy + k + 1)) {
    ++k;
  }
  return TRect{cx - k, cy - k, cx + k, cy + k};
}

}  // namespace wispen::stagegen
