#include "Artwork.h"
#include "Layer.h"
#include "Noise.h"

namespace wispen::art {

namespace {
constexpr int kBeamSize = 49;
constexpr int kAngelWidth = 62;
constexpr int kAngelHeight = 100;
}  // namespace

// One stamp of the beam. The ending stamps it again and again along the diagonal from the upper right down
// to the lower left, each stamp over the last, so what stays on screen is the trailing edge of every stamp:
// the colour therefore changes only across the beam (along x + y), white in its core and gold at its sides.
Picture DrawBeam() {
  Layer layer(kBeamSize, kBeamSize);
  const float c = (kBeamSize - 1) / 2.0f + 0.5f;
  layer.Paint(Circle({c, c}, 24.2f), [c](Vec2 p) {
    static const Stop light[] = {{0.0f, Rgb8(255, 255, 255)},
                                 {0.3f, Rgb8(255, 252, 220)},
                                 {0.65f, Rgb8(255, 228, 130)},
                                 {1.0f, Rgb8(226, 164, 40)}};
    const float across = std::fabs(p.x + p.y - 2 * c) / 1.41421f / 24.2f;
    return Ramp(light, across);
  });
  // Full colour right to the rim: a rim darkened for smoothness would streak the trail.
  return layer.ToSprite("beam", 0.5f, true);
}

// The soul made an angel: white robe and wings, golden hair, halo and trim.
Picture DrawAngel() {
  Layer layer(kAngelWidth, kAngelHeight);
  const float mid = kAngelWidth / 2.0f;
  const Rgba outline = Rgb8(90, 70, 40);
  // Wings, spread behind the shoulders, each feathered along its lower edge.
  for (float side : {-1.0f, 1.0f}) {
    const auto wx = [&](float x) { return mid + side * x; };
    std::vector<Vec2> wing = Join({Bezier({wx(4), 30}, {wx(14), 14}, {wx(26), 12}, {wx(30.5f), 18}, 10),
                                   Bezier({wx(30.5f), 18}, {wx(31), 34}, {wx(26), 52}, {wx(16), 66}, 10)});
    // Scalloped feather tips back towards the body.
    for (int k = 1; k <= 4; ++k) {
      const float t = k / 4.0f;
      wing.push_back({wx(Mix(16, 5, t) + 2), Mix(66, 44, t) - 6});
      wing.push_back({wx(Mix(16, 5, t)), Mix(66, 44, t)});
    }
    const Sdf shape = Polygon(wing);
    layer.Paint(Grow(shape, 1), outline);
    layer.Paint(shape, [=](Vec2 p) {
      const float feather = 0.5f + 0.5f * std::sin((p.y - std::fabs(p.x - mid) * 0.8f) * 0.9f);
      const float fade = SmoothStep(6, 30, std::fabs(p.x - mid));
      return Mix(Rgb8(255, 255, 255), Rgb8(200, 210, 236), 0.25f * feather + 0.35f * fade);
    });
  }
  // Robe, flaring to the hem.
  const Sdf robe = Polygon(Join({Bezier({mid - 7, 30}, {mid - 11, 50}, {mid - 15, 80}, {mid - 18, 97}, 10),
                                 Bezier({mid + 18, 97}, {mid + 15, 80}, {mid + 11, 50}, {mid + 7, 30}, 10)}));
  layer.Paint(Grow(robe, 1), outline);
  layer.Paint(robe, [=](Vec2 p) {
    const float fold = 0.5f + 0.5f * std::sin((p.x - mid) * 0.9f + p.y * 0.05f);
    const float shade = SmoothStep(-14, 16, p.x - mid);
    return Mix(Rgb8(255, 255, 252), Rgb8(188, 196, 226),
               0.45f * shade + 0.2f * fold * SmoothStep(45, 90, p.y));
  });
  // Gold hem and belt.
  layer.Paint(Intersect(robe, Box({0, 92}, {kAngelWidth, 98})), Rgb8(236, 182, 50));
  layer.Paint(Intersect(Grow(robe, 0.5f), Box({0, 44}, {kAngelWidth, 47.5f})), Rgb8(246, 200, 70));
  // Arms folded in prayer.
  for (float side : {-1.0f, 1.0f}) {
    layer.Paint(Grow(Stroke({{mid + side * 8, 33}, {mid + side * 7, 44}, {mid + side * 1.5f, 41}}, 2.8f), 1),
                outline);
    layer.Paint(Stroke({{mid + side * 8, 33}, {mid + side * 7, 44}, {mid + side * 1.5f, 41}}, 2.8f),
                Rgb8(246, 246, 255));
  }
  layer.Paint(Grow(Ellipse({mid, 38}, 2.2f, 3.6f), 0.8f), outline);
  layer.Paint(Ellipse({mid, 38}, 2.2f, 3.6f), Rgb8(255, 224, 200));
  // Head, hair and face.
  layer.Paint(Circle({mid, 21}, 8.4f), outline);
  layer.Paint(Circle({mid, 21.5f}, 7.4f),
              [=](Vec2 p) { return Mix(Rgb8(255, 232, 206), Rgb8(236, 196, 170), (p.x - mid + 7) / 14); });
  layer.Paint(
      Intersect(Circle({mid, 21}, 7.6f), [=](Vec2 p) { return p.y - (16.5f + 1.6f * std::sin(p.x * 1.3f)); }),
      [](Vec2 p) { return Mix(Rgb8(255, 226, 110), Rgb8(214, 150, 30), Clamp01((p.y - 13) / 6)); });
  layer.Paint(Union(Circle({mid - 2.8f, 22}, 0.9f), Circle({mid + 2.8f, 22}, 0.9f)), Rgb8(70, 90, 160));
  layer.Paint(Stroke(Arc({mid, 23.5f}, 2.2f, 1.6f, 0.5f, 2.6f, 6), 0.45f), Rgb8(200, 110, 100));
  // The halo.
  const Sdf halo = Subtract(Ellipse({mid, 7}, 10, 3.6f), Ellipse({mid, 7}, 7.4f, 1.8f));
  layer.Paint(Grow(halo, 0.8f), Rgb8(120, 80, 10));
  layer.Paint(halo,
              [=](Vec2 p) { return Mix(Rgb8(255, 250, 190), Rgb8(240, 180, 30), Clamp01((p.y - 4) / 6)); });
  return layer.ToSprite("angel");
}

}  // namespace wispen::art
