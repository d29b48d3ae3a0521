#pragma once

#include <array>
#include <string>

#include "platform/Bitmap.h"

namespace wispen {

// Text with an outline: four copies in the outline colour at the given offsets, in that order, then the text
// in its own colour on top, all on a clear background. The order of the copies is part of the look where
// anti-aliased edges overlap.
inline void OutlinedText(TCanvas& canvas, int x, int y, const std::string& text, TColor outline, TColor fill,
                         const std::array<TPoint, 4>& offsets) {
  canvas.Font.Color = outline;
  for (const TPoint& d : offsets) canvas.TextOut(x + d.X, y + d.Y, text);
  canvas.Font.Color = fill;
  canvas.TextOut(x, y, text);
}

// The diagonal offsets clockwise from the top left, at distance d.
constexpr std::array<TPoint, 4> DiagonalsFromTopLeft(int d) {
  return {{{-d, -d}, {d, -d}, {d, d}, {-d, d}}};
}

}  // namespace wispen
