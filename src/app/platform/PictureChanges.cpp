#include "PictureChanges.h"

#include <algorithm>
#include <cstring>

namespace wispen {

std::optional<TRect> TakeChanges(std::vector<TColor>& shown, const std::vector<TColor>& picture, int width,
                                 const uint8_t* rowsWritten) {
  if (width <= 0 || shown.size() != picture.size()) return std::nullopt;
  const int height = static_cast<int>(picture.size() / static_cast<size_t>(width));
  TRect area{width, height, 0, 0};
  for (int y = 0; y < height; ++y) {
    if (rowsWritten[y] == 0) continue;
    TColor* a = shown.data() + static_cast<size_t>(y) * width;
    const TColor* b = picture.data() + static_cast<size_t>(y) * width;
    // Most rows of a frame are as they were: a whole row is compared at once. A changed one is searched
    // pixel by pixel only where it could widen the area found so far.
    if (std::memcmp(a, b, sizeof(TColor) * static_cast<size_t>(width)) == 0) continue;
    if (area.Left > 0 && std::memcmp(a, b, sizeof(TColor) * static_cast<size_t>(area.Left)) != 0) {
      int left = 0;
      while (a[left] == b[left]) ++left;
      area.Left = left;
    }
    const int from = std::max(area.Right, area.Left);
    if (from < width &&
        std::memcmp(a + from, b + from, sizeof(TColor) * static_cast<size_t>(width - from)) != 0) {
      int right = width;
      while (a[right - 1] == b[right - 1]) --right;
      area.Right = right;
    }
    area.Top = std::min(area.Top, y);
    area.Bottom = y + 1;
    std::memcpy(a, b, sizeof(TColor) * static_cast<size_t>(width));
  }
  if (area.Bottom == 0) return std::nullopt;
  return area;
}

}  // namespace wispen
