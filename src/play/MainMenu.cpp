#include <algorithm>

#include "Forms.h"
#include "MainUnit.h"
#include "OutlinedText.h"
#include "core/Playfield.h"
#include "platform/Platform.h"
#include "screens/DebugUnit.h"
#include "screens/ScoreUnit.h"

namespace wispen {

namespace {

struct MenuTexts {
  const char* left;
  int leftX;
  const char* right;
  int rightX;
};

constexpr std::array<MenuTexts, 5> kMenus{{{"", 0, "", 0},
                                           {"Continue", 174, "New Game", 424},
                                           {"Again", 187, "Exit", 460},
                                           {"Continue", 174, "Exit", 460},
                                           {"GO", 204, "Exit", 460}}};

constexpr TRect kLeftButton{154, 340, 295, 377};
constexpr TRect kRightButton{418, 340, 559, 377};
constexpr int kTextY = 344;

}  // namespace

int32_t TMainForm::OpenStages() const {
  return std::clamp(StagesOpen, 1, kStageCount);
}

void TMainForm::DrawMenu(int32_t mode) {
  TCanvas& c = BackBuffer->Canvas();
  c.Font.Name = "Arial Black";
  c.Font.Size = 12;
  c.Font.Bold = true;
  c.Font.Color = clBlack;
  c.CopyMode = SRCCOPY;
  const TRect whole{0, 0, ButtonImage.Picture.Width(), ButtonImage.Picture.Height()};
  c.CopyRect(kLeftButton, ButtonImage.Picture, whole);
  c.CopyRect(kRightButton, ButtonImage.Picture, whole);
  if (mode >= 1 && mode <= 4) {
    const MenuTexts& m = kMenus[mode];
    c.TextOut(m.leftX, kTextY, m.left);
    c.TextOut(m.rightX, kTextY, m.right);
  }
  if (mode == 3) {
    const std::string score = "Score";
    const int w = c.TextWidth(score);
    const int x = CentredInView(w);
    OutlinedText(c, x, 344, score, clBlue, clRed, {{{2, -2}, {2, 2}, {-2, 2}, {-2, -2}}});
    ScoreLinkRect.Left = x - 30;
    ScoreLinkRect.Top = 304;
    ScoreLinkRect.Right = ScoreLinkRect.Left + w;
    ScoreLinkRect.Bottom = 304 + c.TextHeight(score);
  }
  MenuMode() = mode;
}

void TMainForm::DrawStageSelect() {
  TCanvas& screen = ScreenImage.Picture.Canvas();
  screen.BrushColor = clBlack;
  screen.FillRect(PlayWindowRect);
  auto centre = [&](int k) {
    const TRect& r = StageButtonRects[k];
    return TPoint{r.Left + (r.Right - r.Left) / 2, r.Top + (r.Bottom - r.Top) / 2};
  };
  // The band from stage i to stage i + 1 is blue when stage i + 1 is open.
  for (int i = 1; i <= 9; ++i) {
    const TPoint a = centre(i - 1), b = centre(i);
    screen.BrushColor = i < OpenStages() ? clBlue : clGray;
    screen.PenColor = clBlack;
    screen.Polygon({{a.X, a.Y - 8}, {b.X, b.Y - 8}, {b.X, b.Y + 8}, {a.X, a.Y + 8}});
  }
  for (int k = 0; k < kStageCount; ++k) {
    SelectImageList.Draw(screen, StageButtonRects[k].Left, StageButtonRects[k].Top, k);
  }
  BackBuffer->Canvas().StretchBlt(BackBufferViewRect, ScreenImage.Picture, PlayWindowRect, SRCCOPY);
}

void TMainForm::ScreenImageMouseDown(TMouseButton button, TShiftState shift, int X, int Y) {
  if (MenuMode() < 0) {
    if (button != TMouseButton::mbLeft) return;
    for (int k = 0; k < OpenStages(); ++k) {
      if (!StageButtonRects[k].ContainsInclusive(X, Y)) continue;
      MenuMode() = 0;
      CurrentStage = k + 1;
      SoulsLeft = 2;
      StartTimer.Tag = 0;
      StartTimer.SetEnabled(true);
      return;
    }
  } else if (MenuMode() > 0) {
    MenuClick(X, Y, button, shift);
  }
}

// The click areas reach one pixel further right and down than the drawn buttons.
void TMainForm::MenuClick(int X, int Y, TMouseButton button, TShiftState shift) {
  const int32_t mode = MenuMode();
  const bool left = button == TMouseButton::mbLeft;
  if (left && 124 <= X && X <= 265 && 300 <= Y && Y <= 337) {
    if (mode == 1 || mode == 3) {
      MenuMode() = -1;
      DrawStageSelect();
    } else if (mode == 2) {
      MenuMode() = 0;
      StartTimer.Tag = 0;
      StartTimer.SetEnabled(true);
    } else if (mode == 4) {
      MenuMode() = 0;
      StartTimer.Tag = kBackBufferHeight;
      StartTimer.SetEnabled(true);
    }
  } else if (left && 388 <= X && X <= 529 && 300 <= Y && Y <= 337) {
    if (mode == 1) {
      MenuMode() = 0;
      CurrentStage = 1;
      StagesOpen = 1;
      SoulsUsed = 0;
      SoulsLeft = 2;
      StartTimer.Tag = 0;
      StartTimer.SetEnabled(true);
    } else if (mode >= 2 && mode <= 4) {
      platform.CloseMainWindow();
    }
  } else if (left && mode == 3 && ScoreLinkRect.ContainsInclusive(X, Y)) {
    forms.ScoreForm->ShowModal();
  } else {
    DebugUnlock(forms, X, Y, button, shift);
  }
}

}  // namespace wispen
