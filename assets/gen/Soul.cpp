#include "Artwork.h"
#include "Layer.h"
#include "SoulShape.h"

namespace wispen::art {

namespace {

// The curve the tail's glow follows, from under the head round to the tip.
const std::vector<Vec2>& TailSpine() {
  static const std::vector<Vec2> spine = Bezier({24, 17}, {18, 24}, {12, 31.5f}, {2.6f, 33}, 16);
  return spine;
}

Rgba SoulColour(Vec2 p, float depth) {
  static const Stop glow[] = {{0.0f, Rgb8(14, 96, 158)},
                              {0.3f, Rgb8(52, 178, 222)},
                              {0.62f, Rgb8(160, 236, 250)},
                              {1.0f, Rgb8(246, 255, 255)}};
  // Brightest deep inside the head, and along the spine of the tail.
  float t = SmoothStep(0.2f, 7.5f, depth);
  const float spine = Stroke(TailSpine(), 0)(p);
  t = std::max(t, 0.78f * (1 - SmoothStep(0.4f, 2.6f, spine)) * SmoothStep(0.2f, 1.4f, depth));
  // A sheen on the upper left, where the head faces the light.
  const float sheen = 1 - SmoothStep(0, 7, Length(p - Vec2{16, 7}));
  t = Clamp01(t + 0.35f * sheen * SmoothStep(0.5f, 2.5f, depth));
  return Ramp(glow, t);
}

}  // namespace

Picture DrawSoul() {
  const std::vector<uint8_t> pixels = SoulPixels();
  const Sdf ring = Polygon(SoulRing());
  const Sdf eyes = Union(Ellipse({17.6f, 12.6f}, 2.1f, 3.1f), Ellipse({26.6f, 12.6f}, 2.1f, 3.1f));
  const Sdf glints = Union(Circle({16.9f, 11.3f}, 0.75f), Circle({25.9f, 11.3f}, 0.75f));
  Layer layer(kSoulSize, kSoulSize);
  layer.PaintAll([&](Vec2 p) { return SoulColour(p, -ring(p)); });
  layer.Paint(eyes, Rgb8(10, 26, 64));
  layer.Paint(glints, Rgb8(200, 240, 255));
  Picture soul = layer.ToOpaque("soul");
  soul.masked = true;
  soul.inside.assign(pixels.begin(), pixels.end());
  for (size_t i = 0; i < soul.colour.size(); ++i) {
    if (!soul.inside[i]) soul.colour[i] = 0;
  }
  return soul;
}

}  // namespace wispen::art
