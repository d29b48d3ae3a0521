#include "Artwork.h"
#include "Layer.h"
#include "Noise.h"

namespace wispen::art {

namespace {
constexpr int kCurtainWidth = 500;
constexpr int kCurtainHeight = 100;

// The lower edge of the curtain's body, wavering a little.
float BodyEdge(float x) {
  return 40 + 4 * std::sin(x / 37) + 6 * (Fbm(x / 23, 0.5f, 61, 3) - 0.5f);
}

Rgba BloodAt(Vec2 p, float fromEdge) {
  // Black high up, darkening red as the blood gathers towards the edge and the drips.
  static const Stop blood[] = {
      {0.0f, Rgb8(0, 0, 0)}, {0.45f, Rgb8(46, 0, 4)}, {0.8f, Rgb8(128, 4, 12)}, {1.0f, Rgb8(176, 14, 20)}};
  const float t = Clamp01(1 - fromEdge / 34);
  const float streak = 0.85f + 0.3f * Fbm(p.x / 2.5f, p.y / 30, 62, 2);
  return Scale(Ramp(blood, t), streak);
}
}  // namespace

Picture DrawCurtain() {
  Layer layer(kCurtainWidth, kCurtainHeight);
  // The body.
  layer.Paint([](Vec2 p) { return p.y - BodyEdge(p.x); },
              [](Vec2 p) { return BloodAt(p, BodyEdge(p.x) - p.y); });
  // Drips hang from the edge at uneven spacing, each ending in a drop.
  Random random(63);
  for (float x = 4; x < kCurtainWidth - 3;) {
    const float width = random.Range(1.6f, 4.2f);
    const float length = random.Range(8, 52) * (random.Unit() < 0.25f ? 0.4f : 1.0f);
    const float top = BodyEdge(x) - 3,
                end = std::min(BodyEdge(x) + length, kCurtainHeight - width * 1.4f - 1);
    const Sdf drip =
        Union(Stroke({{x, top}, {x, end}}, width * 1.2f, width * 0.8f), Circle({x, end}, width * 1.3f));
    layer.Paint(drip, [x, end, width](Vec2 p) {
      // Lit along its left side, with a glint on the drop.
      const float side = (p.x - x) / (width * 1.3f);
      Rgba c = Mix(Rgb8(200, 24, 28), Rgb8(90, 0, 8), Clamp01(0.5f + 0.6f * side));
      if (Length(p - Vec2{x - width * 0.45f, end - width * 0.4f}) < width * 0.45f) c = Rgb8(255, 150, 140);
      return c;
    });
    x += width * 2 + random.Range(4, 17);
  }
  return layer.ToSprite("curtain");
}

}  // namespace wispen::art
