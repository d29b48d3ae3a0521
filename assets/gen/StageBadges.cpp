#include "Artwork.h"
#include "Glyphs.h"
#include "Layer.h"
#include "Noise.h"

namespace wispen::art {

namespace {

constexpr int kBadgeSize = 60;
constexpr Vec2 kCentre{30, 30};

// Each stage's badge shows a piece of its world: the texture inside the medallion and the colour of its rim.
struct Theme {
  const char* name;
  Rgba rim;
  Rgba (*inside)(Vec2 p);
};

Rgba Rock(Vec2 p) {
  const float c = Cellular(p.x / 8, p.y / 8, 101);
  const float grain = Fbm(p.x / 3, p.y / 3, 102, 2);
  return Scale(Mix(Rgb8(62, 52, 44), Rgb8(150, 132, 110), SmoothStep(0.05f, 0.55f, c)), 0.8f + 0.35f * grain);
}

Rgba Flesh(Vec2 p) {
  const float vein = Ridge(p.x / 16, p.y / 16, 201, 3);
  const float swell = Fbm(p.x / 10, p.y / 10, 202, 3);
  const Rgba skin = Mix(Rgb8(150, 44, 62), Rgb8(236, 120, 128), swell);
  return Mix(skin, Rgb8(96, 8, 30), SmoothStep(0.82f, 0.95f, vein));
}

Rgba Fire(Vec2 p) {
  static const Stop flame[] = {{0.0f, Rgb8(90, 6, 0)},
                               {0.35f, Rgb8(210, 50, 0)},
                               {0.7f, Rgb8(255, 160, 20)},
                               {1.0f, Rgb8(255, 246, 170)}};
  const float lick = Fbm(p.x / 7, p.y / 9 + 3, 301, 4);
  return Ramp(flame, Clamp01(p.y / 60 * 1.25f - 0.35f + (lick - 0.5f) * 0.9f));
}

Rgba Crystal(Vec2 p) {
  // Facets: the nearest of a scatter of points decides a face, and each face has its own slant of light.
  const float cx = std::floor(p.x / 14), cy = std::floor(p.y / 14);
  float best = 1e9f;
  uint32_t id = 0;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const auto ix = static_cast<uint32_t>(cx + dx + 100), iy = static_cast<uint32_t>(cy + dy + 100);
      const Vec2 site{(cx + dx + HashUnit(ix, iy, 401)) * 14, (cy + dy + HashUnit(ix, iy, 402)) * 14};
      const float d = Length(p - site);
      if (d < best) {
        best = d;
        id = Hash(ix, iy, 403);
      }
    }
  }
  const float slant = (id % 1000) / 1000.0f;
  const float along = Dot(p, Rotate({1, 0}, slant * 6.28f)) / 40;
  const Rgba face = Mix(Rgb8(70, 120, 230), Rgb8(170, 90, 240), (id >> 10) % 100 / 100.0f);
  return Mix(Scale(face, 0.6f), Mix(face, Rgb8(230, 250, 255), 0.55f),
             Clamp01(0.5f + along - std::floor(along)));
}

Rgba Bone(Vec2 p) {
  const float c = Cellular(p.x / 10, p.y / 10, 501);
  const float stain = Fbm(p.x / 12, p.y / 12, 502, 3);
  const Rgba ivory = Mix(Rgb8(150, 132, 96), Rgb8(238, 228, 196), stain);
  return Mix(Rgb8(70, 56, 40), ivory, SmoothStep(0.08f, 0.2f, c));
}

Rgba Thorns(Vec2 p) {
  const float vine = Ridge(p.x / 20, p.y / 20, 601, 3);
  const float spike = Ridge(p.x / 6, p.y / 6, 602, 2);
  const Rgba ground = Mix(Rgb8(8, 34, 14), Rgb8(30, 70, 26), Fbm(p.x / 9, p.y / 9, 603, 2));
  const Rgba thorn = Mix(Rgb8(70, 150, 50), Rgb8(190, 230, 120), SmoothStep(0.9f, 1.0f, spike));
  return Mix(ground, thorn, SmoothStep(0.8f, 0.9f, std::max(vine, spike * 0.93f)));
}

Rgba Eyes(Vec2 p) {
  Rgba c = Mix(Rgb8(40, 8, 60), Rgb8(120, 40, 150), Fbm(p.x / 10, p.y / 10, 701, 3));
  static const Vec2 eyes[] = {{14, 16}, {44, 14}, {12, 42}, {47, 44}, {30, 51}, {29, 8}};
  for (const Vec2& e : eyes) {
    const float white = Ellipse(e, 5.5f, 3.4f)(p);
    if (white > 0.5f) continue;
    const float d = Length(p - e);
    Rgba eye = Rgb8(236, 226, 200);
    if (d < 2.8f) eye = Mix(Rgb8(250, 210, 40), Rgb8(200, 40, 10), d / 2.8f);
    if (d < 1.2f) eye = Rgb8(10, 0, 10);
    c = Mix(c, eye, Clamp01(0.5f - white));
  }
  return c;
}

Rgba Lava(Vec2 p) {
  const float c = Cellular(p.x / 9, p.y / 9, 801);
  const float heat = 1 - SmoothStep(0.04f, 0.22f, c);
  static const Stop glow[] = {{0.0f, Rgb8(34, 20, 22)},
                              {0.4f, Rgb8(150, 20, 0)},
                              {0.75f, Rgb8(255, 110, 0)},
                              {1.0f, Rgb8(255, 230, 120)}};
  return Ramp(glow, Clamp01(heat * (0.7f + 0.5f * Fbm(p.x / 8, p.y / 8, 802, 2))));
}

Rgba Abyss(Vec2 p) {
  const Vec2 d = p - kCentre;
  const float angle = std::atan2(d.y, d.x), r = Length(d);
  const float swirl = 0.5f + 0.5f * std::sin(angle * 3 + r * 0.35f + 4 * Fbm(p.x / 12, p.y / 12, 901, 2));
  return Mix(Rgb8(6, 14, 60), Rgb8(60, 150, 240), SmoothStep(0.55f, 1.0f, swirl) * SmoothStep(2, 26, r));
}

Rgba Gate(Vec2 p) {
  const Vec2 d = p - kCentre;
  const float rays = 0.5f + 0.5f * std::cos(std::atan2(d.y, d.x) * 12);
  const Rgba red = Mix(Rgb8(90, 0, 16), Rgb8(190, 20, 40), Fbm(p.x / 10, p.y / 10, 1001, 2));
  const Rgba gold = Mix(Rgb8(255, 200, 60), Rgb8(255, 250, 210), 1 - SmoothStep(0, 24, Length(d)));
  return Mix(red, gold, SmoothStep(0.6f, 0.95f, rays) * (1 - SmoothStep(8, 27, Length(d))) + 0.0f);
}

const Theme kThemes[10] = {
    {"stage1", Rgb8(150, 128, 100), Rock}, {"stage2", Rgb8(220, 110, 120), Flesh},
    {"stage3", Rgb8(255, 150, 40), Fire},  {"stage4", Rgb8(150, 210, 255), Crystal},
    {"stage5", Rgb8(236, 226, 190), Bone}, {"stage6", Rgb8(110, 180, 70), Thorns},
    {"stage7", Rgb8(180, 100, 220), Eyes}, {"stage8", Rgb8(230, 80, 20), Lava},
    {"stage9", Rgb8(80, 140, 255), Abyss}, {"stage10", Rgb8(255, 210, 80), Gate},
};

Picture DrawBadge(int stage) {
  const Theme& theme = kThemes[stage - 1];
  Layer layer(kBadgeSize, kBadgeSize);
  layer.Paint(Circle(kCentre, 29.6f), Rgb8(12, 8, 10));
  // The rim, bevelled: bright where it faces the light at the top left.
  layer.Paint(Circle(kCentre, 28.4f), [&](Vec2 p) {
    const Vec2 d = p - kCentre;
    const float facing = -(d.x + d.y) / (Length(d) + 0.001f) / 1.414f;
    return Scale(theme.rim, 0.65f + 0.45f * facing);
  });
  layer.Paint(Circle(kCentre, 25.2f), Rgb8(16, 10, 12));
  layer.Paint(Circle(kCentre, 24.2f), [&](Vec2 p) {
    // The world inside, shaded towards the lower right as if sunk below the rim.
    const float shade = 1 - 0.35f * SmoothStep(10, 26, Length(p - (kCentre + Vec2{-6, -6})));
    return Scale(theme.inside(p), shade);
  });
  // The number, white with a dark rim and a shadow that lifts it off the busy ground.
  const std::string number = std::to_string(stage);
  const TextStyle style = stage < 10 ? TextStyle{3.0f, 2.6f, 0} : TextStyle{2.55f, 2.25f, 1.2f};
  const Vec2 origin{30 - TextWidth(number, style) / 2, 30 - 5 * style.scale};
  const Sdf figure = TextShape(number, origin, style);
  layer.Paint(Grow(Moved(figure, {}, 0, {1.2f, 1.6f}), 3.5f), Rgb8(0, 0, 0, 0.45f));
  layer.Paint(Grow(figure, 1.6f), Rgb8(14, 6, 8));
  layer.Paint(figure,
              [&](Vec2 p) { return Mix(Rgb8(255, 255, 255), Rgb8(210, 214, 226), (p.y - origin.y) / 30); });
  return layer.ToSprite(theme.name);
}

}  // namespace

std::vector<Picture> DrawStageBadges() {
  std::vector<Picture> out;
  for (int stage = 1; stage <= 10; ++stage) out.push_back(DrawBadge(stage));
  return out;
}

}  // namespace wispen::art
