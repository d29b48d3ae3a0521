#pragma once

#include <string>

#include "core/Colour.h"

namespace wispen {

// A drawing surface's font. Size is in points at 96 DPI (12 pt is 16 pixels of em height).
struct TFont {
  std::string Name = "Arial";
  int Size = 12;
  bool Bold = false;
  TColor Color = clBlack;
};

}  // namespace wispen
