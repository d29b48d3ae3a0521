#include "Decorations.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "Random.h"

namespace wispen::stagegen {

namespace {

struct Placed {
  Vec2 Centre;
  double Radius;
};

class Decorator {
 public:
  Decorator(const Corridor& corridor, const Palette& palette, formats::IndexedImage& map)
      : corridor_(corridor), palette_(palette), map_(map) {}

  // Paints a wall pixel; safe ground and pixels off the map are left alone.
  void Put(int x, int y, int ramp, double shade) {
    if (x < 0 || y < 0 || x >= map_.Width || y >= map_.Height || corridor_.IsBlack(x, y)) return;
    map_.At(x, y) = palette_.Index(ramp, Clamp01(shade), x, y);
  }

  // An almond eye lying along the wall, its slit pupil turned towards the corridor.
  void Eye(Vec2 c, double r, Vec2 towardCorridor, int ramp, Random& random) {
    const Vec2 n = towardCorridor, t = n.Perpendicular();
    const double irisR = r * 0.55;
    const Vec2 iris = c + n * (r * 0.18) + t * (r * random.Range(-0.2, 0.2));
    const int reach = static_cast<int>(r * 1.6) + 2;
    for (int y = static_cast<int>(c.y) - reach; y <= static_cast<int>(c.y) + reach; ++y) {
      for (int x = static_cast<int>(c.x) - reach; x <= static_cast<int>(c.x) + reach; ++x) {
        const Vec2 p{x + 0.5, y + 0.5};
        const double a = ((p - c).x * t.x + (p - c).y * t.y) / (r * 1.5);
        const double b = ((p - c).x * n.x + (p - c).y * n.y) / r;
        const double lens = 1.0 - a * a;
        if (lens <= 0) continue;
        const double edge = std::fabs(b) / lens;  // 0 on the eye's long axis, 1 on its rim
        if (edge > 1.15) continue;
        if (edge > 0.88) {
          Put(x, y, ramp, 0.16 + 0.1 * (1.15 - edge));  // the lid
          continue;
        }
        const Vec2 q = p - iris;
        const double ri = q.Length() / irisR;
        if (ri > 1) {
          Put(x, y, ramp, 0.9 - 0.25 * edge * edge);  // white of the eye, shadowed under the lid
          continue;
        }
        const double across = std::fabs(q.x * t.x + q.y * t.y) / irisR;
        const bool pupil = across < 0.22 * std::sqrt(std::max(0.0, 1.0 - ri * ri));
        const double glint = (q - (t * -0.35 + n * -0.35) * irisR).Length() / irisR;
        if (glint < 0.18) {
          Put(x, y, ramp, 1.0);
        } else if (pupil) {
          Put(x, y, ramp, 0.03);
        } else {
          Put(x, y, ramp, 0.62 - 0.32 * ri);
        }
      }
    }
  }

  // A curved thorn from a base in the wall to a tip a few pixels short of the corridor.
  void Thorn(Vec2 base, Vec2 tip, double width, double bend, int ramp) {
    const Vec2 axis = tip - base;
    const double len = axis.Length();
    const Vec2 along = axis.Normalized(), side = along.Perpendicular();
    const int steps = static_cast<int>(len * 2);
    for (int i = 0; i <= steps; ++i) {
      const double u = static_cast<double>(i) / steps;
      const Vec2 mid = base + axis * u + side * (bend * std::sin(u * 3.14159));
      const double half = width * 0.5 * (1 - u);
      for (double w = -half; w <= half; w += 0.5) {
        const Vec2 p = mid + side * w;
        const double lit = 0.5 + 0.5 * (w / std::max(half, 0.5));
        Put(static_cast<int>(p.x), static_cast<int>(p.y), ramp, 0.25 + 0.45 * u + 0.3 * lit * (1 - u * 0.5));
      }
    }
  }

  bool FarFrom(const std::vector<Placed>& placed, Vec2 c, double r) const {
    for (const Placed& p : placed) {
      if ((p.Centre - c).Length() < p.Radius + r + 6) return false;
    }
    return true;
  }

 private:
  const Corridor& corridor_;
  const Palette& palette_;
  formats::IndexedImage& map_;
};

}  // namespace

void DrawDecorations(const StageDesc& desc, const Corridor& corridor, const Palette& palette, Vec2 keepClear,
                     double clearRadius, formats::IndexedImage& map) {
  Decorator decorator(corridor, palette, map);
  std::vector<Placed> placed;
  Random random(Mix64(desc.Seed + 31));
  for (const DecorDesc& d : desc.Decorations) {
    int ramp = 0;
    try {
      ramp = palette.RampId(d.Ramp);
    } catch (const std::invalid_argument& e) {
      throw formats::SourceError("line " + std::to_string(d.Line) + ": " + e.what());
    }
    if (d.Kind != "eyes" && d.Kind != "thorns") {
      throw formats::SourceError("line " + std::to_string(d.Line) + ": unknown decoration '" + d.Kind + "'");
    }
    int made = 0;
    for (int attempt = 0; attempt < d.Count * 400 && made < d.Count; ++attempt) {
      const int x = random.Below(corridor.Width()), y = random.Below(corridor.Height());
      const double dist = corridor.Distance(x, y);
      const Vec2 c{x + 0.5, y + 0.5};
      if ((c - keepClear).Length() < clearRadius) continue;
      if (d.Kind == "eyes") {
        const double r = d.Size * random.Range(0.7, 1.3);
        if (dist < r * 1.25 + 3 || dist > r * 1.25 + 40 || !decorator.FarFrom(placed, c, r * 1.5)) continue;
        decorator.Eye(c, r, corridor.AwayFromCorridor(x, y) * -1.0, ramp, random);
        placed.push_back({c, r * 1.5});
      } else {
        const double len = d.Size * random.Range(1.6, 2.6);
        if (dist < len * 0.9 || dist > len + 4 || !decorator.FarFrom(placed, c, d.Size * 0.4)) continue;
        const Vec2 toward = corridor.AwayFromCorridor(x, y) * -1.0;
        const Vec2 tip = c + toward * (dist - 2.5);
        decorator.Thorn(c, tip, d.Size * random.Range(0.45, 0.7), d.Size * random.Range(-0.4, 0.4), ramp);
        placed.push_back({c + toward * (dist * 0.5), d.Size * 0.3});
      }
      ++made;
    }
  }
}

}  // namespace wispen::stagegen
