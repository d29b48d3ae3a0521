#pragma once

#include "Bitmap.h"

namespace wispen {

// The one-pixel raised or lowered edge of the game's dialogs and their buttons: the top and left edges in one
// colour, the bottom and right in the other.
inline void Bevel(TCanvas& c, const TRect& r, TColor topLeft, TColor bottomRight) {
  c.BrushColor = topLeft;
  c.FillRect(TRect{r.Left, r.Top, r.Right, r.Top + 1});
  c.FillRect(TRect{r.Left, r.Top, r.Left + 1, r.Bottom});
  c.BrushColor = bottomRight;
  c.FillRect(TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom});
  c.FillRect(TRect{r.Right - 1, r.Top, r.Right, r.Bottom});
}

}  // namespace wispen
