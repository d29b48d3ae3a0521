#pragma once

#include <set>

#include "platform/Bitmap.h"

namespace wispen::test {

inline bool IsBlack(TColor c) {
  return c == clBlack;
}

inline int DistinctColours(const TBitmap& picture) {
  return static_cast<int>(std::set<TColor>(picture.Pixels().begin(), picture.Pixels().end()).size());
}

// Pixels of the sprite (black in the mask).
inline int SpritePixels(const TBitmap& mask) {
  int n = 0;
  for (TColor c : mask.Pixels()) n += c == clBlack ? 1 : 0;
  return n;
}

inline int Brightness(TColor c) {
  return (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
}

}  // namespace wispen::test
