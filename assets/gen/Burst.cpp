#include "Artwork.h"
#include "Layer.h"
#include "Noise.h"

namespace wispen::art {

namespace {

constexpr int kBurstSize = 76;
constexpr int kFrames = 7;
constexpr Vec2 kCentre{38, 38};

struct Spark {
  float angle, speed, length;
};

std::vector<Spark> Sparks() {
  Random random(91);
  std::vector<Spark> sparks;
  for (int i = 0; i < 28; ++i)
    sparks.push_back({random.Range(0, 2 * kPi), random.Range(6.0f, 8.8f), random.Range(2, 6)});
  return sparks;
}

// The fireball's ragged outline: its radius wavers with the angle, more as it ages.
float Fireball(Vec2 p, float radius, float ragged, float age) {
  const Vec2 d = p - kCentre;
  const float a = std::atan2(d.y, d.x);
  const float wobble = Fbm(std::cos(a) * 2.2f + age * 1.7f, std::sin(a) * 2.2f, 92, 3) - 0.5f;
  return Length(d) - radius * (1 + ragged * wobble);
}

Picture DrawFrame(int k) {
  const float age = k / (kFrames - 1.0f);  // 0 at the flash, 1 at the last wisps of smoke
  static const float kRadius[kFrames] = {9, 16, 23, 29, 33, 34, 33};
  const float radius = kRadius[k];
  Layer layer(kBurstSize, kBurstSize);

  // Smoke gathers round the fire from the middle of the burst on.
  if (k >= 3) {
    Random random(93);
    for (int i = 0; i < 14; ++i) {
      const float angle = random.Range(0, 2 * kPi), reach = random.Range(0.55f, 1.0f),
                  size = random.Range(4, 8);
      const Vec2 centre = kCentre + Rotate({radius * reach * (0.7f + 0.3f * age), 0}, angle);
      const float puff = size * (0.6f + 0.6f * age);
      const float shade = random.Range(0.7f, 1.1f);
      layer.Paint(
          [=](Vec2 p) {
            return Length(p - centre) - puff * (0.8f + 0.5f * Fbm(p.x / 3, p.y / 3, 94 + i, 2));
          },
          [=](Vec2 p) {
            const float lit = Clamp01(0.5f - (p.x - centre.x + p.y - centre.y) / (4 * puff));
            return Scale(Mix(Rgb8(52, 44, 46), Rgb8(128, 112, 104), lit), shade * (1.1f - 0.35f * age));
          });
    }
  }

  // The fire: white-hot in the middle at first, cooling to orange and red, and tearing open as it dies.
  static const Stop heat[] = {{0.0f, Rgb8(120, 12, 0)},
                              {0.3f, Rgb8(226, 72, 6)},
                              {0.6f, Rgb8(255, 160, 30)},
                              {0.82f, Rgb8(255, 230, 130)},
                              {1.0f, Rgb8(255, 255, 240)}};
  const float ragged = 0.15f + 0.55f * age;
  const float tear = k < 4 ? -1 : 0.42f + 0.1f * (k - 4);
  layer.Paint(
      [=](Vec2 p) {
        float d = Fireball(p, radius, ragged, age);
        if (tear > 0) d = std::max(d, (Fbm(p.x / 7, p.y / 7, 95 + k, 3) - tear) * -30);
        return d;
      },
      [=](Vec2 p) {
        const float depth = 1 - Length(p - kCentre) / (radius * 1.1f);
        const float flicker = Fbm(p.x / 4, p.y / 4, 96 + k, 2);
        const float t =
            Clamp01(depth * (1.25f - 0.75f * age) + 0.25f * (flicker - 0.5f) + 0.35f - 0.4f * age);
        return Ramp(heat, t);
      });

  // Sparks flying out, fading as they cool.
  if (k >= 1) {
    for (const Spark& s : Sparks()) {
      const float r = s.speed * (k + 1.5f);
      if (r > 36) continue;
      const Vec2 dir = Rotate({1, 0}, s.angle);
      const Vec2 head = kCentre + dir * r, tail = kCentre + dir * std::max(0.0f, r - s.length * (1.2f - age));
      const Rgba colour = Mix(Rgb8(255, 250, 200), Rgb8(255, 120, 20), age);
      layer.Paint(Stroke({tail, head}, 0.4f, 0.9f), colour);
    }
  }
  return layer.ToSprite("burst" + std::to_string(k));
}

}  // namespace

std::vector<Picture> DrawBurst() {
  std::vector<Picture> frames;
  for (int k = 0; k < kFrames; ++k) frames.push_back(DrawFrame(k));
  return frames;
}

}  // namespace wispen::art
