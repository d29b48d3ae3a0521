#include "Preview.h"

#include <algorithm>

namespace wispen::stagegen {

TBitmap ShrinkForPreview(const formats::IndexedImage& map, int scale) {
  scale = std::max(scale, 1);
  TBitmap out(std::max(1, map.Width / scale), std::max(1, map.Height / scale));
  for (int y = 0; y < out.Height(); ++y) {
    for (int x = 0; x < out.Width(); ++x) {
      unsigned r = 0, g = 0, b = 0;
      for (int dy = 0; dy < scale; ++dy) {
        for (int dx = 0; dx < scale; ++dx) {
          const TColor c =
              map.ColourAt(std::min(x * scale + dx, map.Width - 1), std::min(y * scale + dy, map.Height - 1));
          r += GetRValue(c);
          g += GetGValue(c);
          b += GetBValue(c);
        }
      }
      const unsigned n = static_cast<unsigned>(scale * scale);
      out.At(x, y) =
          RGB(static_cast<uint8_t>(r / n), static_cast<uint8_t>(g / n), static_cast<uint8_t>(b / n));
    }
  }
  return out;
}

TBitmap CropForPreview(const formats::IndexedImage& map, const TRect& area) {
  TBitmap out(std::max(1, area.Width()), std::max(1, area.Height()));
  for (int y = 0; y < out.Height(); ++y) {
    for (int x = 0; x < out.Width(); ++x) {
      const int mx = area.Left + x, my = area.Top + y;
      if (mx >= 0 && my >= 0 && mx < map.Width && my < map.Height) out.At(x, y) = map.ColourAt(mx, my);
    }
  }
  return out;
}

}  // namespace wispen::stagegen
