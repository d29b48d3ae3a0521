#include "MainUnit.h"
#include "core/Playfield.h"
#include "core/ProbeOffsets.h"
#include "stage/Obstacles.h"

namespace wispen {

// The sprite's top-left corner is the mouse point, moved into back-buffer coordinates.
void TMainForm::ScreenImageMouseMove(TShiftState /*shift*/, int X, int Y) {
  warpPending_ = false;
  if (!SoulActive) return;
  MouseX = X;
  MouseY = Y;
  const TPoint soul = ScreenToBackBuffer({X, Y});
  SoulX = soul.X;
  SoulY = soul.Y;
}

void TMainForm::ComposeFrame(int32_t x, int32_t y) {
  TCanvas& back = BackBuffer->Canvas();
  MapImage.Picture.Draw(*BackBuffer, BackBufferViewRect, x, y, SRCCOPY);
  DrawObstacles(Stage, AnimaImage, PathIndex, x, y, *BackBuffer);
  SoulDestRect = Bounds(SoulX, SoulY, SoulWidth, SoulHeight);
  back.StretchBlt(SoulDestRect, CursorAND.Picture, SoulSourceRect, SRCAND);
  back.StretchBlt(SoulDestRect, CursorOR.Picture, SoulSourceRect, SRCPAINT);
  PresentView();
}

// Reads the screen as the player sees it: map, obstacles and, outside the play window, the stone frame.
// Only pure black is free ground; a point off the screen has no colour and counts as a touch.
bool TMainForm::SoulHitTest(int32_t x, int32_t y) {
  const TCanvas& screen = ScreenImage.Picture.Canvas();
  for (const TPoint& probe : ProbeOffsets) {
    if (screen.Pixel(x + probe.X, y + probe.Y) != clBlack) return true;
  }
  return false;
}

void TMainForm::EndingDriftStep() {
  PathIndex += 1;
  ViewX += 1;
  SoulX -= 1;
  if (SoulY > 300) {
    SoulY -= 1;
  } else if (SoulY < 300) {
    SoulY += 1;
  }
  ComposeFrame(ViewX, ViewY);
}

}  // namespace wispen
