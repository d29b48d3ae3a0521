#include "Layer.h"

#include <cmath>

namespace wispen::art {

Layer::Layer(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, Rgba{0, 0, 0, 0}) {}

void Layer::Paint(const Sdf& shape, const Shader& shader) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const Vec2 p{x + 0.5f, y + 0.5f};
      const float coverage = Clamp01(0.5f - shape(p));
      if (coverage <= 0) continue;
      const Rgba c = shader(p);
      const float a = Clamp01(c.a) * coverage;
      Rgba& d = At(x, y);
      d.r = c.r * a + d.r * (1 - a);
      d.g = c.g * a + d.g * (1 - a);
      d.b = c.b * a + d.b * (1 - a);
      d.a = a + d.a * (1 - a);
    }
  }
}

void Layer::Paint(const Sdf& shape, const Rgba& colour) {
  Paint(shape, [&](Vec2) { return colour; });
}

void Layer::PaintAll(const Shader& shader) {
  Paint([](Vec2) { return -1.0f; }, shader);
}

void Layer::Cut(const Sdf& shape) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const float keep = 1 - Clamp01(0.5f - shape(Vec2{x + 0.5f, y + 0.5f}));
      Rgba& d = At(x, y);
      d = {d.r * keep, d.g * keep, d.b * keep, d.a * keep};
    }
  }
}

uint32_t Pack(float r, float g, float b) {
  const auto channel = [](float v) { return static_cast<uint32_t>(std::lround(Clamp01(v) * 255.0f)); };
  return channel(r) | channel(g) << 8 | channel(b) << 16;
}

Picture Layer::ToSprite(const std::string& name, float threshold, bool fullEdges) const {
  Picture out{name, width_, height_, true, {}, {}};
  out.colour.resize(pixels_.size());
  out.inside.resize(pixels_.size());
  for (size_t i = 0; i < pixels_.size(); ++i) {
    const Rgba& p = pixels_[i];
    const bool in = p.a >= threshold;
    out.inside[i] = in ? 1 : 0;
    const float scale = fullEdges && p.a > 0 ? 1 / p.a : 1;
    out.colour[i] = in ? Pack(p.r * scale, p.g * scale, p.b * scale) : 0;
  }
  return out;
}

Picture Layer::ToOpaque(const std::string& name) const {
  Picture out{name, width_, height_, false, {}, {}};
  out.colour.resize(pixels_.size());
  out.inside.assign(pixels_.size(), 1);
  for (size_t i = 0; i < pixels_.size(); ++i) out.colour[i] = Pack(pixels_[i].r, pixels_[i].g, pixels_[i].b);
  return out;
}

}  // namespace wispen::art
