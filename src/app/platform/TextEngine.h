#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Font.h"
#include "core/Geometry.h"

namespace wispen {

// Coverage of a rendered line of text, 0 (none) to 255 (full), row by row. Its (0, 0) is the top-left of the
// text cell, as a text output position names it.
struct TextCoverage {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Alpha;
};

// Rasterises text in a named face. The backend supplies it; canvases only blend what it gives.
class TextEngine {
 public:
  virtual ~TextEngine() = default;
  virtual TextCoverage Render(const TFont& font, const std::string& utf8) = 0;
  // Width and height of the text cell, as GetTextExtentPoint gives them.
  virtual TSize Measure(const TFont& font, const std::string& utf8) = 0;
};

}  // namespace wispen
