#include "Artwork.h"
#include "Layer.h"
#include "Noise.h"

namespace wispen::art {

namespace {
constexpr float kButtonWidth = 141;
constexpr float kButtonHeight = 37;
constexpr float kBevel = 3.5f;
}  // namespace

// A bone-pale plaque with a bevelled edge. The menu writes its black labels across the middle (from about
// 4 to 28 pixels down, 6 to 112 across), so the face there stays light and plain.
Picture DrawButton() {
  Layer layer(static_cast<int>(kButtonWidth), static_cast<int>(kButtonHeight));
  layer.PaintAll([](Vec2) { return Rgb8(30, 12, 16); });
  // Bevel: the top and left slopes catch the light, the bottom and right ones fall into shadow.
  layer.Paint(Box({1, 1}, {kButtonWidth - 1, kButtonHeight - 1}, 2.5f), [](Vec2 p) {
    const float toLit = std::min(p.x, p.y), toShade = std::min(kButtonWidth - p.x, kButtonHeight - p.y);
    return toLit < toShade ? Rgb8(255, 246, 226) : Rgb8(136, 96, 66);
  });
  layer.Paint(Box({kBevel + 1, kBevel + 1}, {kButtonWidth - kBevel - 1, kButtonHeight - kBevel - 1}, 1.5f),
              [](Vec2 p) {
                // The face: parchment, warmer towards the bottom, with a faint grain.
                const float grain = Fbm(p.x / 6, p.y / 2.5f, 71, 3);
                const Rgba top = Rgb8(244, 232, 206), bottom = Rgb8(210, 184, 142);
                return Scale(Mix(top, bottom, p.y / kButtonHeight), 0.95f + 0.07f * grain);
              });
  // Two engraved rules above and below the label.
  for (float y : {6.5f, 30.5f}) {
    layer.Paint(Box({9, y - 0.5f}, {kButtonWidth - 9, y + 0.5f}), Rgb8(150, 108, 76, 0.85f));
    layer.Paint(Box({9, y + 0.5f}, {kButtonWidth - 9, y + 1.5f}), Rgb8(255, 250, 236, 0.7f));
  }
  return layer.ToOpaque("button");
}

}  // namespace wispen::art
