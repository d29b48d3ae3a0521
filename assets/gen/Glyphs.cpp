#include "Glyphs.h"

#include <map>
#include <stdexcept>

namespace wispen::art {

namespace {

float Rad(float degrees) {
  return degrees * kPi / 180.0f;
}
// An arc in degrees, y pointing down: 0 is right, 90 is down, -90 is up.
std::vector<Vec2> A(float cx, float cy, float rx, float ry, float from, float to) {
  const int steps = std::max(6, static_cast<int>(std::fabs(to - from) / 12.0f));
  return Arc({cx, cy}, rx, ry, Rad(from), Rad(to), steps);
}
std::vector<Vec2> L(std::initializer_list<Vec2> points) {
  return points;
}

std::map<char, Glyph> BuildAlphabet() {
  std::map<char, Glyph> g;
  // Figures.
  g['0'] = {6, {A(3, 5, 3, 5, 0, 360)}};
  g['1'] = {6, {L({{0.9f, 2.4f}, {3.4f, 0}, {3.4f, 10}})}};
  g['2'] = {6, {Join({A(3, 3, 2.8f, 2.8f, -165, 35), L({{0.1f, 10}, {6, 10}})})}};
  g['3'] = {6, {A(3, 2.6f, 2.6f, 2.45f, -155, 90), A(3, 7.45f, 2.95f, 2.55f, -90, 155)}};
  g['4'] = {6.2f, {L({{4.7f, 10}, {4.7f, 0}, {0, 7}, {6.2f, 7}})}};
  g['5'] = {6, {Join({L({{5.6f, 0}, {1, 0}, {0.65f, 5}}), A(3, 7, 3, 3, -140, 150)})}};
  g['6'] = {6,
            {A(3, 7, 2.95f, 3, 0, 360), Bezier({5.3f, 0.6f}, {2.2f, -0.6f}, {0.05f, 2.2f}, {0.05f, 7}, 12)}};
  g['7'] = {6, {L({{0, 0}, {6, 0}, {2.2f, 10}})}};
  g['8'] = {6, {A(3, 2.55f, 2.45f, 2.5f, 0, 360), A(3, 7.45f, 2.9f, 2.55f, 0, 360)}};
  g['9'] = {6,
            {A(3, 3, 2.95f, 3, 0, 360), Bezier({5.95f, 3}, {5.95f, 7.8f}, {3.8f, 10.6f}, {0.7f, 9.4f}, 12)}};
  g['-'] = {6, {L({{0.8f, 5.2f}, {5.2f, 5.2f}})}};
  // Capitals.
  g['E'] = {5, {L({{5, 0}, {0.8f, 0}, {0.8f, 10}, {5, 10}}), L({{0.8f, 5}, {4.2f, 5}})}};
  g['I'] = {1.6f, {L({{0.8f, 0}, {0.8f, 10}})}};
  g['L'] = {5, {L({{0.8f, 0}, {0.8f, 10}, {5, 10}})}};
  g['N'] = {6.5f, {L({{0.8f, 10}, {0.8f, 0}, {5.7f, 10}, {5.7f, 0}})}};
  g['P'] = {5.6f,
            {Join({L({{0.8f, 10}, {0.8f, 0}, {2.9f, 0}}), A(2.9f, 2.75f, 2.7f, 2.75f, -90, 90),
                   L({{0.8f, 5.5f}})})}};
  g['S'] = {6, {Join({A(3, 2.6f, 2.6f, 2.6f, -25, -270), A(3, 7.6f, 2.9f, 2.4f, -90, 155)})}};
  g['W'] = {9.4f, {L({{0, 0}, {2.3f, 10}, {4.7f, 2.4f}, {7.1f, 10}, {9.4f, 0}})}};
  // Small letters.
  g['a'] = {5.2f, {A(2.45f, 6.75f, 2.35f, 3.15f, 0, 360), L({{4.8f, 3.6f}, {4.8f, 10}})}};
  g['e'] = {5.2f, {Join({L({{0.15f, 6.6f}, {5.05f, 6.6f}}), A(2.6f, 6.75f, 2.45f, 3.15f, -3, -318)})}};
  g['f'] = {3.8f,
            {Join({L({{1.4f, 10}, {1.4f, 2.1f}}), A(3, 2.1f, 1.6f, 1.6f, 180, 270), L({{3.9f, 0.6f}})}),
             L({{0, 3.6f}, {3.5f, 3.6f}})}};
  g['g'] = {5.2f,
            {A(2.45f, 6.6f, 2.35f, 3, 0, 360),
             Join({L({{4.8f, 3.6f}, {4.8f, 10.4f}}), A(2.6f, 10.4f, 2.2f, 2, 0, 150)})}};
  g['i'] = {1.6f, {L({{0.8f, 3.6f}, {0.8f, 10}}), L({{0.8f, 1.1f}})}};
  g['t'] = {3.8f,
            {Join({L({{1.4f, 0.9f}, {1.4f, 8.5f}}), A(2.9f, 8.5f, 1.5f, 1.5f, 180, 90), L({{3.6f, 10}})}),
             L({{0, 3.6f}, {3.5f, 3.6f}})}};
  return g;
}

}  // namespace

const Glyph& GlyphFor(char c) {
  static const std::map<char, Glyph> alphabet = BuildAlphabet();
  auto it = alphabet.find(c);
  if (it == alphabet.end()) throw std::invalid_argument(std::string("no glyph for '") + c + "'");
  return it->second;
}

float TextWidth(const std::string& text, const TextStyle& style) {
  float units = 0;
  for (size_t i = 0; i < text.size(); ++i)
    units += GlyphFor(text[i]).width + (i + 1 < text.size() ? style.spacing : 0);
  return units * style.scale;
}

Sdf TextShape(const std::string& text, Vec2 origin, const TextStyle& style) {
  std::vector<Sdf> parts;
  float x = 0;
  for (char c : text) {
    const Glyph& glyph = GlyphFor(c);
    for (const auto& stroke : glyph.strokes) {
      std::vector<Vec2> points;
      for (const Vec2& p : stroke)
        points.push_back({origin.x + (x + p.x) * style.scale, origin.y + p.y * style.scale});
      parts.push_back(Stroke(std::move(points), style.radius));
    }
    x += glyph.width + style.spacing;
  }
  return [parts = std::move(parts)](Vec2 p) {
    float best = 1e9f;
    for (const Sdf& s : parts) best = std::min(best, s(p));
    return best;
  };
}

}  // namespace wispen::art
