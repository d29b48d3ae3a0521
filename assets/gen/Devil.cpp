#include "Artwork.h"
#include "Layer.h"
#include "Noise.h"

namespace wispen::art {

namespace {

constexpr int kDevilWidth = 150;
constexpr int kDevilHeight = 165;
const Rgba kOutline = Rgb8(14, 2, 20);

enum class Face { Grin, Glare, Laugh };

// One picture: where the scythe is held (the grip), its angle (0 upright, negative swung to the left),
// how far it has just moved (for the swoosh behind the blade) and the face.
struct Pose {
  Vec2 grip;
  float angle;
  float swept;
  Face face;
};

// Light comes from the top left: surfaces brighten towards the upper left of their own centre.
Rgba Lit(Rgba base, Vec2 p, Vec2 centre, float radius, float strength = 0.6f) {
  const float toward = Clamp01(0.5f - (p.x - centre.x + p.y - centre.y) / (2.8f * radius));
  return Scale(base, 1 - strength * 0.5f + strength * toward);
}

void PaintOutlined(Layer& layer, const Sdf& shape, const Shader& shader, float outline = 1.1f) {
  layer.Paint(Grow(shape, outline), kOutline);
  layer.Paint(shape, shader);
}
void PaintOutlined(Layer& layer, const Sdf& shape, const Rgba& colour) {
  PaintOutlined(layer, shape, [colour](Vec2) { return colour; });
}

void PaintWing(Layer& layer, float side) {
  // Drawn for the left wing; the right one is its mirror image about the body's middle (x 70).
  const auto m = [side](Vec2 p) { return side < 0 ? p : Vec2{140 - p.x, p.y}; };
  const Vec2 shoulder = m({56, 68}), wrist = m({30, 12});
  const Vec2 tips[] = {m({3, 34}), m({5, 64}), m({20, 94})};
  std::vector<Vec2> membrane = {shoulder, m({44, 38}), wrist, m({14, 20}), tips[0]};
  const auto scallop = [&](Vec2 a, Vec2 b, Vec2 pull) {
    for (const Vec2& q : Bezier(a, a + (pull - a) * 0.6f, b + (pull - b) * 0.6f, b, 8)) membrane.push_back(q);
  };
  scallop(tips[0], tips[1], m({18, 48}));
  scallop(tips[1], tips[2], m({24, 74}));
  scallop(tips[2], m({52, 96}), m({40, 84}));
  const Sdf shape = Polygon(membrane);
  PaintOutlined(layer, shape, [=](Vec2 p) {
    const float vein = 0.5f + 0.5f * Fbm(p.x / 5, p.y / 5, 120, 2);
    const float nearBody = SmoothStep(60, 5, std::fabs(p.x - 70));
    return Lit(Mix(Rgb8(52, 18, 74), Rgb8(104, 44, 132), 0.3f * vein + 0.4f * nearBody), p, m({30, 40}), 40,
               0.5f);
  });
  // The wing's bones: the arm to the wrist, then a finger to each tip, with a claw at the wrist.
  const Rgba bone = Rgb8(124, 70, 150);
  layer.Paint(Stroke({shoulder, m({44, 38}), wrist}, 2.6f, 1.6f), bone);
  for (const Vec2& tip : tips) layer.Paint(Stroke({wrist, tip}, 1.4f, 0.5f), bone);
  layer.Paint(Stroke({wrist, m({28, 4})}, 1.6f, 0.3f), Rgb8(220, 200, 170));
}

void PaintBody(Layer& layer) {
  // A cloak from the shoulders to a tattered hem.
  std::vector<Vec2> cloak = Join({Bezier({62, 57}, {52, 60}, {47, 64}, {46, 70}, 6),
                                  Bezier({46, 70}, {42, 96}, {40, 124}, {38, 148}, 8)});
  Random random(130);
  for (float x = 38; x < 102; x += 8) {
    cloak.push_back({x + 4, random.Range(150, 163)});
    cloak.push_back({x + 8, random.Range(140, 148)});
  }
  for (const Vec2& q : Join({Bezier({102, 148}, {100, 124}, {98, 96}, {94, 70}, 8),
                             Bezier({94, 70}, {93, 64}, {88, 60}, {78, 57}, 6)})) {
    cloak.push_back(q);
  }
  PaintOutlined(layer, Polygon(cloak), [](Vec2 p) {
    const float fold = 0.5f + 0.5f * std::sin(p.x * 0.55f + 3 * Fbm(p.x / 9, p.y / 20, 131, 2));
    const Rgba top = Rgb8(74, 30, 98), bottom = Rgb8(26, 8, 40);
    const Rgba c = Mix(top, bottom, SmoothStep(60, 160, p.y));
    return Lit(Scale(c, 0.8f + 0.35f * fold), p, {70, 90}, 40, 0.7f);
  });
  // A pointed tail curling out from under the cloak.
  const std::vector<Vec2> tail = Bezier({58, 138}, {40, 152}, {24, 132}, {12, 146}, 14);
  PaintOutlined(layer, Stroke(tail, 2.2f, 1.2f), Rgb8(96, 44, 120));
  PaintOutlined(layer, Polygon({{12, 139}, {18, 148}, {9, 154}, {3, 146}}), Rgb8(150, 40, 90));
}

void PaintHead(Layer& layer, Face face) {
  const Vec2 centre{70, 42};
  // Horns, bone-coloured and darkening to the tips.
  for (float side : {-1.0f, 1.0f}) {
    const auto m = [side](Vec2 p) { return Vec2{70 + side * (p.x - 70), p.y}; };
    const std::vector<Vec2> horn = Bezier(m({61, 34}), m({52, 28}), m({46, 16}), m({52, 3}), 12);
    PaintOutlined(layer, Stroke(horn, 4.2f, 0.6f),
                  [=](Vec2 p) { return Mix(Rgb8(214, 196, 160), Rgb8(70, 40, 36), SmoothStep(32, 4, p.y)); });
  }
  // Head with a pointed chin and pointed ears.
  const Sdf head =
      Union(Union(Circle(centre, 12.5f), Polygon({{59, 46}, {81, 46}, {70, 63}})),
            Union(Polygon({{58, 38}, {48, 32}, {59, 46}}), Polygon({{82, 38}, {92, 32}, {81, 46}})));
  PaintOutlined(layer, head, [=](Vec2 p) { return Lit(Rgb8(104, 48, 134), p, centre, 14, 0.8f); });

  // Eyes: yellow slits under a frowning brow; red and wide when the devil laughs.
  const float eyeHeight = face == Face::Glare ? 1.2f : (face == Face::Laugh ? 2.8f : 2.1f);
  const Rgba eyeColour = face == Face::Laugh ? Rgb8(255, 70, 40) : Rgb8(255, 226, 60);
  for (float side : {-1.0f, 1.0f}) {
    const Vec2 eye{70 + side * 6, 41};
    const Sdf shape = Moved(Ellipse(eye, 4.2f, eyeHeight), eye, side * -0.4f);
    layer.Paint(Grow(shape, 0.9f), Rgb8(30, 4, 24));
    layer.Paint(shape,
                [=](Vec2 p) { return Mix(Rgb8(255, 255, 220), eyeColour, Clamp01(Length(p - eye) / 3)); });
    layer.Paint(Intersect(shape, Ellipse({eye.x + side * -0.6f, eye.y}, 0.8f, 3)), Rgb8(20, 0, 0));
    layer.Paint(Stroke({{70 + side * 12, 35.5f}, {70 + side * 2.5f, 38.5f}}, 1.1f), Rgb8(34, 8, 44));
  }
  // The mouth: a toothy grin, a tight smirk, or open wide in a laugh.
  if (face == Face::Laugh) {
    const Sdf mouth = Ellipse({70, 53}, 6.5f, 5.5f);
    layer.Paint(Grow(mouth, 0.8f), Rgb8(30, 0, 16));
    layer.Paint(mouth, Rgb8(110, 0, 20));
    layer.Paint(Ellipse({70, 57}, 4, 2), Rgb8(220, 70, 90));
    for (float x : {-3.6f, 3.6f})
      layer.Paint(Polygon({{70 + x - 1.6f, 48}, {70 + x + 1.6f, 48}, {70 + x, 52.5f}}), Rgb8(250, 250, 236));
  } else if (face == Face::Glare) {
    layer.Paint(Stroke(Bezier({61, 50}, {66, 54}, {74, 54}, {80, 48}, 8), 1.0f), Rgb8(30, 0, 16));
    layer.Paint(Polygon({{74, 52.2f}, {76.6f, 51.2f}, {75.4f, 54.6f}}), Rgb8(250, 250, 236));
  } else {
    const Sdf grin = Intersect(Ellipse({70, 49}, 9, 5.5f), [](Vec2 p) { return 49.5f - p.y; });
    layer.Paint(Grow(grin, 0.8f), Rgb8(30, 0, 16));
    layer.Paint(grin, Rgb8(90, 0, 18));
    for (int i = 0; i < 6; ++i) {
      const float x = 63 + i * 2.8f;
      layer.Paint(Polygon({{x - 1.1f, 49.6f}, {x + 1.1f, 49.6f}, {x, 52.4f}}), Rgb8(250, 250, 236));
    }
  }
}

// The scythe: a long dark shaft and a pale curved blade on the left of its head.
void PaintScythe(Layer& layer, const Pose& pose) {
  const Vec2 up = Rotate({0, -1}, pose.angle), blade = Rotate({-1, 0}, pose.angle);
  const Vec2 head = pose.grip + up * 76, foot = pose.grip - up * 38;
  // The swoosh of a fast swing, a pale crescent behind the blade's tip.
  if (pose.swept > 0.2f) {
    const Vec2 tipNow = head + blade * 38 - up * 14;
    const float radius = Length(tipNow - pose.grip);
    const float to = std::atan2(tipNow.y - pose.grip.y, tipNow.x - pose.grip.x);
    const std::vector<Vec2> arc = Arc(pose.grip, radius, radius, to + pose.swept, to, 16);
    layer.Paint(Stroke(arc, 0.4f, 3.2f), Rgb8(190, 170, 230));
  }
  PaintOutlined(layer, Stroke({foot, head}, 2.3f), [=](Vec2 p) {
    const float across = Dot(p - pose.grip, blade);
    return Mix(Rgb8(110, 80, 64), Rgb8(44, 26, 24), Clamp01(0.5f - across / 3));
  });
  const std::vector<Vec2> edge = Join({Bezier(head + up * 3, head + up * 8 + blade * 20,
                                              head + blade * 36 + up * 2, head + blade * 44 - up * 16, 14),
                                       Bezier(head + blade * 44 - up * 16, head + blade * 30 - up * 4,
                                              head + blade * 14 - up * 3, head - up * 6, 14)});
  PaintOutlined(layer, Polygon(edge), [=](Vec2 p) {
    const float along = Dot(p - head, blade) / 44;
    return Mix(Rgb8(236, 236, 250), Rgb8(120, 124, 150),
               Clamp01(along * 0.8f + Dot(p - head, up) / -30 + 0.1f));
  });
  layer.Paint(Circle(head, 3.2f), Rgb8(90, 60, 110));
}

void PaintArms(Layer& layer, const Pose& pose) {
  const Vec2 up = Rotate({0, -1}, pose.angle);
  const Vec2 upperHand = pose.grip + up * 8, lowerHand = pose.grip - up * 14;
  const Rgba sleeve = Rgb8(70, 28, 94), skin = Rgb8(120, 60, 150);
  const Vec2 rightElbow{std::max(88.0f, upperHand.x - 4), 88}, leftElbow{58, 96};
  PaintOutlined(layer, Stroke({{88, 68}, rightElbow, upperHand}, 6, 4),
                [=](Vec2 p) { return Lit(sleeve, p, rightElbow, 14); });
  PaintOutlined(layer, Stroke({{54, 70}, leftElbow, lowerHand}, 6, 4),
                [=](Vec2 p) { return Lit(sleeve, p, leftElbow, 14); });
  for (const Vec2& hand : {upperHand, lowerHand}) {
    PaintOutlined(layer, Circle(hand, 4.2f), [=](Vec2 p) { return Lit(skin, p, hand, 4); });
  }
}

Picture DrawDevil(const Pose& pose, const std::string& name) {
  Layer layer(kDevilWidth, kDevilHeight);
  PaintWing(layer, -1);
  PaintWing(layer, 1);
  PaintBody(layer);
  PaintHead(layer, pose.face);
  PaintScythe(layer, pose);
  PaintArms(layer, pose);
  return layer.ToSprite(name);
}

}  // namespace

std::vector<Picture> DrawDevils() {
  // 0 at rest; 1 and 2 draw the scythe back; 3 to 6 bring it round and down to the left; 7 is the last pose
  // again with a laugh, which the opening shows after 6.
  const Pose poses[8] = {
      {{100, 98}, 0.10f, 0, Face::Grin},     {{103, 94}, 0.34f, 0, Face::Grin},
      {{105, 94}, 0.5f, 0, Face::Grin},      {{100, 96}, 0.05f, 0.55f, Face::Grin},
      {{94, 102}, -0.55f, 0.6f, Face::Grin}, {{90, 108}, -1.1f, 0.55f, Face::Grin},
      {{88, 112}, -1.5f, 0, Face::Glare},    {{88, 112}, -1.5f, 0, Face::Laugh},
  };
  std::vector<Picture> out;
  for (int i = 0; i < 8; ++i) out.push_back(DrawDevil(poses[i], "devil" + std::to_string(i)));
  return out;
}

}  // namespace wispen::art
