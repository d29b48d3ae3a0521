#pragma once

#include <functional>
#include <vector>

#include "Picture.h"
#include "Shape.h"
#include "Vec.h"

namespace wispen::art {

// The colour of a fill at a point (the pixel's centre), with straight alpha.
using Shader = std::function<Rgba(Vec2)>;

// A drawing layer of premultiplied colour and coverage, painted shape by shape with anti-aliased edges.
class Layer {
 public:
  Layer(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }

  // Paints the shape over what is there.
  void Paint(const Sdf& shape, const Shader& shader);
  void Paint(const Sdf& shape, const Rgba& colour);
  // Paints everywhere, as a shape that covers the layer.
  void PaintAll(const Shader& shader);
  // Erases the layer inside the shape.
  void Cut(const Sdf& shape);

  // Premultiplied colour and coverage at a pixel.
  const Rgba& At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  Rgba& At(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  // A sprite: pixels with at least `threshold` coverage belong to it, the others are black and outside.
  // Edge pixels keep their colour as seen over black (the ground the sprites mostly fly over), or, with
  // `fullEdges`, their full colour.
  Picture ToSprite(const std::string& name, float threshold = 0.5f, bool fullEdges = false) const;
  // An opaque picture: the layer seen over black.
  Picture ToOpaque(const std::string& name) const;

 private:
  int width_;
  int height_;
  std::vector<Rgba> pixels_;
};

// 0x00BBGGRR from a colour with channels 0..1 (rounded, clamped).
uint32_t Pack(float r, float g, float b);

}  // namespace wispen::art
