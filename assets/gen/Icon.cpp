#include "Artwork.h"
#include "Layer.h"
#include "SoulShape.h"

namespace wispen::art {

namespace {

// The soul's ring smoothed into a curve (Catmull-Rom through the probes), for pictures larger than the
// sprite where the ring's straight chords would show.
std::vector<Vec2> SmoothSoul() {
  const std::vector<Vec2> ring = SoulRing();
  const size_t n = ring.size();
  std::vector<Vec2> out;
  for (size_t i = 0; i < n; ++i) {
    const Vec2 p0 = ring[(i + n - 1) % n], p1 = ring[i], p2 = ring[(i + 1) % n], p3 = ring[(i + 2) % n];
    for (int s = 0; s < 6; ++s) {
      const float t = s / 6.0f, t2 = t * t, t3 = t2 * t;
      out.push_back(
          (p1 * 2 + (p2 - p0) * t + (p0 * 2 - p1 * 5 + p2 * 4 - p3) * t2 + (p1 * 3 - p0 - p2 * 3 + p3) * t3) *
          0.5f);
    }
  }
  return out;
}

}  // namespace

Picture DrawIcon(int size) {
  const float unit = size / 48.0f;  // the 38-pixel soul, with a margin, fills the tile
  const Vec2 offset{5 * unit, 4 * unit};
  std::vector<Vec2> outline;
  for (const Vec2& p : SmoothSoul()) outline.push_back(offset + p * unit);
  const Sdf soul = Polygon(outline);
  const Vec2 centre{size / 2.0f, size / 2.0f};

  Layer layer(size, size);
  // A dark tile with a rim, and the soul's glow spreading into it.
  layer.PaintAll([&](Vec2 p) {
    const float halo = 1 - SmoothStep(0, 9 * unit, soul(p));
    const Rgba tile = Mix(Rgb8(44, 16, 60), Rgb8(8, 2, 14), SmoothStep(0, size * 0.75f, Length(p - centre)));
    return Mix(tile, Rgb8(40, 150, 200), 0.55f * halo * halo);
  });
  layer.Paint(
      Subtract(Box({0, 0}, {size * 1.0f, size * 1.0f}), Box({unit, unit}, {size - unit, size - unit})),
      Rgb8(150, 30, 40));
  static const Stop glow[] = {{0.0f, Rgb8(20, 110, 170)},
                              {0.3f, Rgb8(60, 186, 226)},
                              {0.62f, Rgb8(166, 238, 250)},
                              {1.0f, Rgb8(248, 255, 255)}};
  layer.Paint(soul, [&](Vec2 p) { return Ramp(glow, SmoothStep(0, 7.5f * unit, -soul(p))); });
  for (float x : {17.6f, 26.6f}) {
    const Vec2 eye = offset + Vec2{x, 12.6f} * unit;
    layer.Paint(Ellipse(eye, 2.1f * unit, 3.1f * unit), Rgb8(10, 26, 64));
    if (size >= 64) layer.Paint(Circle(eye + Vec2{-0.7f, -1.3f} * unit, 0.75f * unit), Rgb8(200, 240, 255));
  }
  return layer.ToOpaque("icon" + std::to_string(size));
}

}  // namespace wispen::art
