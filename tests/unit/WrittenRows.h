#pragma once

#include <algorithm>
#include <vector>

#include "platform/Bitmap.h"

namespace wispen {

// The first row of `after` that differs from `before` (its pixels before a drawing, of the same size) but
// is not marked written since the marks were last forgotten; -1 when every changed row is marked.
inline int UnmarkedChangedRow(const std::vector<TColor>& before, const TBitmap& after) {
  const std::vector<TColor>& now = after.Pixels();
  const auto width = static_cast<size_t>(after.Width());
  for (int y = 0; y < after.Height(); ++y) {
    const size_t row = static_cast<size_t>(y) * width;
    const bool changed = !std::equal(now.begin() + row, now.begin() + row + width, before.begin() + row);
    if (changed && after.WrittenRows()[y] == 0) return y;
  }
  return -1;
}

}  // namespace wispen
