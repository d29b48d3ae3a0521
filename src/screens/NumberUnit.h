#pragma once

#include "platform/Bitmap.h"
#include "platform/ImageList.h"

namespace wispen {

struct Forms;

// The digit display under the play window: the stage number, the life countdown and the row of soul icons,
// drawn straight onto the screen picture over saved pieces of the frame.
class TNumberForm {
 public:
  explicit TNumberForm(Forms& forms);

  void FormCreate();
  void InitStageDigits(TCanvas& surface);
  void DrawStageNumber(int n, TCanvas& surface);
  void InitLifeDigits(TCanvas& surface);
  void DrawLife(int v, TCanvas& surface);
  void InitSoulIcons(TCanvas& surface);
  void DrawSoulIcons(int n, TCanvas& surface);

  TImageList NumberImageList;
  TBitmap StageBackground;
  TBitmap LifeBackground;
  TBitmap SoulsBackground;
  TRect StageBackgroundRect, StageScreenRect;
  TRect LifeBackgroundRect, LifeScreenRect;
  TRect SoulsBackgroundRect, SoulsScreenRect;
  int32_t LastLifeValue = 0;

 private:
  void DrawDigit(TCanvas& surface, int digit, int x, int y) const;

  Forms& forms_;
};

}  // namespace wispen
