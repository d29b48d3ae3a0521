#include "Artwork.h"
#include "Glyphs.h"
#include "Layer.h"

namespace wispen::art {

namespace {

constexpr int kDigitWidth = 25;
constexpr int kDigitHeight = 38;

// Glowing ember figures with a dark rim, so that they read on the black slots and on bare stone alike.
Picture DrawFigure(char c, const std::string& name) {
  const TextStyle style{3.1f, 2.35f, 0};
  const float top = (kDigitHeight - 10 * style.scale) / 2;
  const float left = (kDigitWidth - GlyphFor(c).width * style.scale) / 2;
  const Sdf figure = TextShape(std::string(1, c), {left, top}, style);
  Layer layer(kDigitWidth, kDigitHeight);
  layer.Paint(Grow(figure, 1.4f), Rgb8(46, 8, 4));
  layer.Paint(figure, [&](Vec2 p) {
    static const Stop heat[] = {
        {0.0f, Rgb8(255, 246, 196)}, {0.45f, Rgb8(255, 190, 70)}, {1.0f, Rgb8(226, 70, 18)}};
    const Rgba base = Ramp(heat, (p.y - top) / (10 * style.scale));
    // Hotter along the middle of each stroke.
    const float core = 1 - SmoothStep(-style.radius, 0, figure(p));
    return Mix(Scale(base, 0.8f), base, 0.4f + 0.6f * core);
  });
  return layer.ToSprite(name);
}

}  // namespace

std::vector<Picture> DrawDigits() {
  std::vector<Picture> out;
  for (char c = '0'; c <= '9'; ++c) out.push_back(DrawFigure(c, std::string("digit") + c));
  out.push_back(DrawFigure('-', "digit_minus"));
  return out;
}

}  // namespace wispen::art
