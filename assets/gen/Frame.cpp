#include <algorithm>
#include <cstddef>

#include "Artwork.h"
#include "Glyphs.h"
#include "Layer.h"
#include "Noise.h"

namespace wispen::art {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
// The play window, where the stage is shown: pure black in the frame.
constexpr float kWindowLeft = 70, kWindowTop = 60, kWindowRight = 570, kWindowBottom = 360;
// Share of the stone, outside the play window, that is not black. Black stone is safe ground for the soul,
// so the slab is pitted and cracked rather than solid.
constexpr float kSolidShare = 0.75f;

// Where the lettering and the slots for the digit display and the soul icons sit. The digits are drawn at
// (236, 384) and (476, 384) and the icons along (0, 436)-(640, 469).
constexpr float kCaptionTop = 393;
const TextStyle kCaptionStyle{2.0f, 1.75f, 1.9f};
const TextStyle kTitleStyle{2.3f, 1.9f, 3.2f};
struct Slot {
  Vec2 topLeft, bottomRight;
};
constexpr Slot kStageSlot{{231, 380}, {291, 426}};
constexpr Slot kLifeSlot{{471, 380}, {556, 426}};
constexpr Slot kSoulSlot{{210, 434}, {582, 471}};
constexpr Vec2 kGems[] = {{62, 52}, {578, 52}, {62, 368}, {578, 368}};

enum Role : uint8_t { kStone, kWindow, kKept, kVoid };

// A shape evaluated only near its box, to keep the many-stroked lettering cheap.
Sdf Near(Sdf shape, Vec2 topLeft, Vec2 bottomRight, float margin) {
  return [=](Vec2 p) {
    if (p.x < topLeft.x - margin || p.y < topLeft.y - margin || p.x > bottomRight.x + margin ||
        p.y > bottomRight.y + margin) {
      return margin;
    }
    return shape(p);
  };
}

struct Carving {
  Sdf shape;
  Vec2 topLeft, bottomRight;
  float glow;  // strength of the ember light in the grooves
};

Carving Engrave(const std::string& text, Vec2 origin, const TextStyle& style, float glow) {
  const Vec2 end{origin.x + TextWidth(text, style), origin.y + 12 * style.scale};
  return {Near(TextShape(text, origin, style), origin, end, 6), origin, end, glow};
}

// Signed distance to the play window's rectangle, positive outside.
float WindowDistance(Vec2 p) {
  const float dx = std::max(kWindowLeft - p.x, p.x - kWindowRight);
  const float dy = std::max(kWindowTop - p.y, p.y - kWindowBottom);
  return Length(Vec2{std::max(dx, 0.0f), std::max(dy, 0.0f)}) + std::min(std::max(dx, dy), 0.0f);
}

// The raised moulding round the play window: a lip that rises from the window's edge, a groove, then a
// slope back down to the slab.
float MouldingHeight(float r) {
  if (r < 0 || r > 16) return 0;
  const float groove = std::exp(-(r - 8.5f) * (r - 8.5f) / 2.2f);
  return 5.5f * SmoothStep(0, 3.2f, r) - 1.8f * groove - 5.5f * SmoothStep(12, 16, r);
}

}  // namespace

Picture DrawFrame() {
  const size_t n = static_cast<size_t>(kWidth) * kHeight;
  std::vector<float> height(n), glow(n, 0), voidness(n, 0), smooth(n, 0);
  std::vector<uint8_t> role(n, kStone);

  const float stageCaptionX = 226 - TextWidth("Stage", kCaptionStyle);
  const float lifeCaptionX = 466 - TextWidth("Life", kCaptionStyle);
  const float titleX = 320 - TextWidth("WISPEN", kTitleStyle) / 2;
  const std::vector<Carving> carvings = {
      Engrave("WISPEN", {titleX, 12}, kTitleStyle, 1.0f),
      Engrave("Stage", {stageCaptionX, kCaptionTop}, kCaptionStyle, 0.8f),
      Engrave("Life", {lifeCaptionX, kCaptionTop}, kCaptionStyle, 0.8f),
  };
  const Slot slots[] = {kStageSlot, kLifeSlot, kSoulSlot};
  std::vector<Sdf> slotShapes;
  for (const Slot& s : slots) slotShapes.push_back(Box(s.topLeft, s.bottomRight, 4));

  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const size_t i = static_cast<size_t>(y) * kWidth + x;
      const Vec2 p{x + 0.5f, y + 0.5f};
      const float r = WindowDistance(p);
      if (r < 0) {
        role[i] = kWindow;
        continue;
      }
      // How carved, rather than rough, the surface is here: carved parts are smooth and never pitted.
      float worked = 1 - SmoothStep(15, 19, r);
      // The slab's rough face, with a bevelled rim at the picture's edge.
      const float edge = std::min({p.x, p.y, kWidth - p.x, kHeight - p.y});
      float h = 6.5f * Fbm(x / 64.0f, y / 64.0f, 11, 5) + 2.2f * Fbm(x / 18.0f, y / 18.0f, 13, 3) +
                0.9f * Fbm(x / 7.0f, y / 7.0f, 12, 3);
      h = h * (1 - 0.7f * worked) + 7 * SmoothStep(0, 8, edge);
      worked = std::max(worked, 1 - SmoothStep(7, 10, edge));
      h += MouldingHeight(r);
      for (const Vec2& gem : kGems) {
        const float d = Length(p - gem);
        h += 3.0f * (1 - SmoothStep(5, 9, d));
        worked = std::max(worked, 1 - SmoothStep(9, 11, d));
      }
      for (const Carving& c : carvings) {
        const float d = c.shape(p);
        if (d < 0.8f) {
          h -= 1.7f * std::min(0.8f - d, 2.6f);
          glow[i] = std::max(glow[i], c.glow * SmoothStep(0.2f, 1.6f, -d));
        }
        if (d < 5) worked = std::max(worked, 1 - SmoothStep(3, 5, d));
      }
      for (const Sdf& slot : slotShapes) {
        const float d = slot(p);
        h -= 4.5f * (1 - SmoothStep(-2.5f, 0, d));
        if (d < -2.5f) role[i] = kVoid;
        if (d < 6) worked = std::max(worked, 1 - SmoothStep(4, 6, d));
      }
      smooth[i] = worked;
      // Pores and cracks: where the slab opens into the dark.
      const float warp = 30 * Fbm(x / 80.0f, y / 80.0f, 21, 3);
      const float crack = Ridge((x + warp) / 110.0f, (y - warp) / 110.0f, 22, 4);
      const float poreSize = 0.06f + 0.5f * SmoothStep(0.3f, 0.75f, Fbm(x / 60.0f, y / 60.0f, 23, 3));
      const float pore = 1 - Cellular(x / 6.0f, y / 6.0f, 24) / std::max(poreSize, 0.01f);
      voidness[i] =
          (1 - worked) * std::max(0.92f * SmoothStep(0.95f, 0.99f, crack), Clamp01(pore * 0.9f + 0.08f));
      height[i] = h;
    }
  }

  // Open up just enough pores and cracks that the stone keeps its share of solid pixels.
  size_t stone = 0, slotVoid = 0;
  std::vector<float> candidates;
  for (size_t i = 0; i < n; ++i) {
    if (role[i] == kWindow) continue;
    ++stone;
    if (role[i] == kVoid) ++slotVoid;
    if (role[i] == kStone && voidness[i] > 0) candidates.push_back(voidness[i]);
  }
  const auto wanted = static_cast<size_t>((1 - kSolidShare) * static_cast<float>(stone));
  float threshold = 2;
  if (wanted > slotVoid && wanted - slotVoid < candidates.size()) {
    const size_t k = wanted - slotVoid;
    std::nth_element(candidates.begin(), candidates.end() - static_cast<std::ptrdiff_t>(k), candidates.end());
    threshold = *(candidates.end() - static_cast<std::ptrdiff_t>(k));
  }
  for (size_t i = 0; i < n; ++i) {
    if (role[i] != kStone) continue;
    height[i] -= 2.5f * SmoothStep(threshold - 0.25f, threshold, voidness[i]);
    if (voidness[i] >= threshold) role[i] = kVoid;
  }

  // Light from the top left on the carved relief.
  const float lx = -0.55f, ly = -0.62f, lz = 0.56f;
  Picture frame{"frame", kWidth, kHeight, false, std::vector<uint32_t>(n, 0), std::vector<uint8_t>(n, 1)};
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const size_t i = static_cast<size_t>(y) * kWidth + x;
      if (role[i] == kWindow || role[i] == kVoid) continue;
      const auto H = [&](int xx, int yy) {
        xx = std::clamp(xx, 0, kWidth - 1);
        yy = std::clamp(yy, 0, kHeight - 1);
        return height[static_cast<size_t>(yy) * kWidth + xx];
      };
      const float dx = (H(x + 1, y) - H(x - 1, y)) * 0.5f, dy = (H(x, y + 1) - H(x, y - 1)) * 0.5f;
      const float len = std::sqrt(dx * dx + dy * dy + 1);
      const float nx = -dx / len, ny = -dy / len, nz = 1 / len;
      const float diffuse = std::max(0.0f, nx * lx + ny * ly + nz * lz);
      // Shine on the smooth, worked stone; a dull face elsewhere.
      const float reflect = 2 * (nx * lx + ny * ly + nz * lz) * nz - lz;
      const float shine = smooth[i] * 0.35f * std::pow(std::max(0.0f, reflect), 14.0f);
      const float tint = Fbm(x / 150.0f, y / 150.0f, 31, 3);
      const float grain = Fbm(x / 3.0f, y / 3.0f, 32, 2);
      Rgba albedo = Mix(Rgb8(52, 44, 62), Rgb8(92, 74, 66), SmoothStep(0.3f, 0.7f, tint));
      albedo = Scale(albedo, 0.8f + 0.4f * grain * (1 - 0.6f * smooth[i]));
      const float light = 0.24f + 1.2f * diffuse;
      float r = albedo.r * light + shine, g = albedo.g * light + shine, b = albedo.b * light + shine;
      // Embers glowing in the letters' grooves.
      r += glow[i] * 0.8f;
      g += glow[i] * 0.22f;
      b += glow[i] * 0.03f;
      uint32_t c = Pack(r, g, b);
      // Solid stone is never quite black: even its darkest crevice must be deadly to touch.
      if ((c & 0xFFFFFF) < 0x030303 || ((c & 0xFF) < 3 && (c >> 8 & 0xFF) < 3 && (c >> 16 & 0xFF) < 3))
        c = 0x040304;
      frame.colour[i] = c;
    }
  }

  // Red gems set into the moulding's corners.
  Layer gems(kWidth, kHeight);
  for (const Vec2& centre : kGems) {
    gems.Paint(Circle(centre, 5.2f), [centre](Vec2 p) {
      const float d = Length(p - (centre + Vec2{-1.6f, -1.6f})) / 6.5f;
      return Mix(Rgb8(255, 150, 110), Rgb8(110, 0, 12), Clamp01(d));
    });
    gems.Paint(Circle(centre + Vec2{-1.8f, -1.8f}, 1.1f), Rgb8(255, 235, 220, 0.9f));
  }
  for (size_t i = 0; i < n; ++i) {
    const Rgba& g = gems.At(static_cast<int>(i % kWidth), static_cast<int>(i / kWidth));
    if (g.a <= 0) continue;
    const uint32_t c = frame.colour[i];
    const float r = (c & 0xFF) / 255.0f, gg = (c >> 8 & 0xFF) / 255.0f, b = (c >> 16 & 0xFF) / 255.0f;
    frame.colour[i] = Pack(g.r + r * (1 - g.a), g.g + gg * (1 - g.a), g.b + b * (1 - g.a));
  }
  return frame;
}

}  // namespace wispen::art
