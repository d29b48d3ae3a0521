#include "PictureChanges.h"

#include <algorithm>
#include <cstring>

namespace wispen {

namespace {

// A row copied in pieces of 1 KiB. glibc hands copies from about 2 KiB up to the processor's `rep movsb`,
// which some processors (the AMD EPYC this game was measured on) run several times slower than glibc's own
// vector loop when source and destination lie at the same place in their pages, as the rows of two pictures
// of one size do: a 640-pixel row is 2,560 bytes, and its copy took 40% of the window's present at scale 1.
void CopyRow(TColor* to, const TColor* from, size_t count) {
  constexpr size_t kPiece = 256;
  for (size_t at = 0; at < count; at += kPiece)
    std::memcpy(to + at, from + at, sizeof(TColor) * std::min(kPiece, count - at));
}

}  // namespace

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
    CopyRow(a, b, static_cast<size_t>(width));
  }
  if (area.Bottom == 0) return std::nullopt;
  return area;
}

}  // namespace wispen
