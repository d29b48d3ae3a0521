#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/Colour.h"

namespace wispen::formats {

// A palette picture: one byte a pixel, rows top to bottom, and up to 256 palette colours.
struct IndexedImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Pixels;
  std::vector<TColor> Palette;

  IndexedImage() = default;
  IndexedImage(int width, int height, uint8_t fill = 0)
      : Width(width), Height(height), Pixels(static_cast<size_t>(width) * height, fill) {}

  uint8_t At(int x, int y) const { return Pixels[static_cast<size_t>(y) * Width + x]; }
  uint8_t& At(int x, int y) { return Pixels[static_cast<size_t>(y) * Width + x]; }
  TColor ColourAt(int x, int y) const { return Palette.at(At(x, y)); }
};

}  // namespace wispen::formats
