#include "NumberUnit.h"

#include "assets/BuiltinPictures.h"
#include "play/Forms.h"
#include "play/MainUnit.h"

namespace wispen {

namespace {

constexpr int kStageTensX = 236, kStageUnitsX = 261, kDigitsY = 384;
constexpr int kLifeHundredsX = 476, kLifeTensX = 501, kLifeUnitsX = 526;
constexpr int kIconsTop = 436, kIconSize = 33, kFirstIconX = 544, kIconStep = 41;

}  // namespace

TNumberForm::TNumberForm(Forms& forms) : NumberImageList(BuiltinDigitList()), forms_(forms) {}

void TNumberForm::FormCreate() {
  const int w = NumberImageList.Width(), h = NumberImageList.Height();
  StageBackground = TBitmap(4 * w + 10, h);
  StageBackgroundRect = Bounds(0, 0, StageBackground.Width(), StageBackground.Height());
  StageScreenRect = Bounds(kStageTensX, kDigitsY, StageBackground.Width(), StageBackground.Height());
  LifeBackground = TBitmap(3 * w + 10, h);
  LifeBackgroundRect = Bounds(0, 0, LifeBackground.Width(), LifeBackground.Height());
  LifeScreenRect = Bounds(kLifeHundredsX, kDigitsY, LifeBackground.Width(), LifeBackground.Height());
  SoulsBackground = TBitmap(640, kIconSize);
  SoulsBackgroundRect = Bounds(0, 0, 640, kIconSize);
  SoulsScreenRect = Bounds(0, kIconsTop, 640, kIconSize);
}

void TNumberForm::DrawDigit(TCanvas& surface, int digit, int x, int y) const {
  NumberImageList.Draw(surface, x, y, digit);
}

void TNumberForm::InitStageDigits(TCanvas& surface) {
  StageBackground.Canvas().CopyRect(StageBackgroundRect, surface, StageScreenRect);
  DrawStageNumber(1, surface);
}

void TNumberForm::DrawStageNumber(int n, TCanvas& surface) {
  surface.StretchBlt(StageScreenRect, StageBackground, StageBackgroundRect, SRCCOPY);
  if (n > 9) DrawDigit(surface, n / 10, kStageTensX, kDigitsY);
  DrawDigit(surface, n % 10, kStageUnitsX, kDigitsY);
}

void TNumberForm::InitLifeDigits(TCanvas& surface) {
  LifeBackground.Canvas().CopyRect(LifeBackgroundRect, surface, LifeScreenRect);
  DrawLife(99, surface);
}

void TNumberForm::DrawLife(int v, TCanvas& surface) {
  if (v == LastLifeValue) return;
  LastLifeValue = v;
  const int s = 99 - v;
  surface.StretchBlt(LifeScreenRect, LifeBackground, LifeBackgroundRect, SRCCOPY);
  if (s >= 100) DrawDigit(surface, s / 100, kLifeHundredsX, kDigitsY);
  if (s >= 10) DrawDigit(surface, (s % 100) / 10, kLifeTensX, kDigitsY);
  if (s >= 0) DrawDigit(surface, s % 10, kLifeUnitsX, kDigitsY);
}

void TNumberForm::InitSoulIcons(TCanvas& surface) {
  SoulsBackground.Canvas().CopyRect(SoulsBackgroundRect, surface, SoulsScreenRect);
}

// The icons are the soul sprite shrunk from 38x38 to 33x33, mask with AND, then colour with OR.
void TNumberForm::DrawSoulIcons(int n, TCanvas& surface) {
  surface.StretchBlt(SoulsScreenRect, SoulsBackground, SoulsBackgroundRect, SRCCOPY);
  const TMainForm& main = *forms_.MainForm;
  const TBitmap& mask = main.CursorAND.Picture;
  const TBitmap& colour = main.CursorOR.Picture;
  for (int k = 0; k < n; ++k) {
    const TRect d = Bounds(kFirstIconX - kIconStep * k, kIconsTop, kIconSize, kIconSize);
    surface.StretchBlt(d, mask, Bounds(0, 0, mask.Width(), mask.Height()), SRCAND);
    surface.StretchBlt(d, colour, Bounds(0, 0, colour.Width(), colour.Height()), SRCPAINT);
  }
}

}  // namespace wispen
