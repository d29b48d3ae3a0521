#include "DebugUnit.h"

#include <algorithm>
#include <string>

#include "platform/Platform.h"
#include "play/Forms.h"
#include "play/MainUnit.h"

namespace wispen {

namespace {

constexpr int kMin = 1, kMax = 10;
constexpr TRect kEdit{32, 12, 32 + 53, 12 + 35};
constexpr TRect kUpDown{85, 12, 85 + 19, 12 + 35};
constexpr int kUpDownMiddle = 12 + 35 / 2;

void Raised(TCanvas& c, const TRect& r, bool pressed) {
  c.BrushColor = clSilver;
  c.FillRect(r);
  c.BrushColor = pressed ? 0x808080 : clWhite;
  c.FillRect(TRect{r.Left, r.Top, r.Right, r.Top + 1});
  c.FillRect(TRect{r.Left, r.Top, r.Left + 1, r.Bottom});
  c.BrushColor = pressed ? clWhite : 0x404040;
  c.FillRect(TRect{r.Left, r.Bottom - 1, r.Right, r.Bottom});
  c.FillRect(TRect{r.Right - 1, r.Top, r.Right, r.Bottom});
}

void Arrow(TCanvas& c, const TRect& r, bool up) {
  const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  c.BrushColor = clBlack;
  c.PenColor = clBlack;
  if (up) {
    c.Polygon({{cx - 3, cy + 1}, {cx + 3, cy + 1}, {cx, cy - 2}});
  } else {
    c.Polygon({{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}});
  }
}

}  // namespace

void DebugUnlock(Forms& forms, int X, int Y, TMouseButton button, TShiftState shift) {
  TMainForm& main = *forms.MainForm;
  const bool right = button == TMouseButton::mbRight;
  const bool onTitle = main.MenuMode() == 1;
  if (right && shift == (ssRight | kDebugFirstKey) && onTitle && kDebugFirstSpot.ContainsInclusive(X, Y) &&
      main.GameMode == 0) {
    main.GameMode = 1;
  } else if (right && shift == (ssRight | kDebugSecondKey) && onTitle &&
             kDebugSecondSpot.ContainsInclusive(X, Y) && main.GameMode == 1) {
    main.GameMode = 2;
    forms.DebugForm->ShowModal();
    main.MenuMode() = 0;
    main.CurrentStage = forms.DebugForm->Position();
    main.StagesOpen = 10;
    main.SoulsLeft = 2;
    main.StartTimer.Tag = 0;
    main.StartTimer.SetEnabled(true);
  } else {
    main.GameMode = 0;
  }
}

TDebugForm::TDebugForm(Forms& forms) : forms_(forms) {}

void TDebugForm::FormCreate() {
  position_ = 1;
}

void TDebugForm::ShowModal() {
  forms_.platform.ShowModal(*this);
}

void TDebugForm::SetPosition(int position) {
  position_ = static_cast<int16_t>(std::clamp(position, kMin, kMax));
}

void TDebugForm::Paint(TCanvas& c) {
  c.BrushColor = clBlack;
  c.FillRect(TRect{0, 0, 133, 63});
  c.BrushColor = clWhite;
  c.FillRect(kEdit);
  c.Font.Name = "Arial";
  c.Font.Size = 17;  // 23 pixels of character height
  c.Font.Bold = true;
  c.Font.Color = clBlack;
  c.TextOut(kEdit.Left + 3, kEdit.Top + 3, std::to_string(position_));
  const TRect up{kUpDown.Left, kUpDown.Top, kUpDown.Right, kUpDownMiddle};
  const TRect down{kUpDown.Left, kUpDownMiddle, kUpDown.Right, kUpDown.Bottom};
  Raised(c, up, pressedArrow_ > 0);
  Raised(c, down, pressedArrow_ < 0);
  Arrow(c, up, true);
  Arrow(c, down, false);
}

// No wrap-around: the arrows stop at 1 and at 10.
void TDebugForm::MouseDown(TMouseButton button, int x, int y) {
  if (button != TMouseButton::mbLeft || x < kUpDown.Left || x >= kUpDown.Right || y < kUpDown.Top ||
      y >= kUpDown.Bottom) {
    return;
  }
  pressedArrow_ = y < kUpDownMiddle ? 1 : -1;
  SetPosition(position_ + pressedArrow_);
}

// Esc and Return close it as its close box does: without a window manager there is no close box to use.
void TDebugForm::KeyDown(DialogKey key) {
  if (key == DialogKey::Up) SetPosition(position_ + 1);
  if (key == DialogKey::Down) SetPosition(position_ - 1);
  if (key == DialogKey::Enter || key == DialogKey::Escape) finished_ = true;
}

std::vector<std::string> TDebugForm::CloseHeadless(const HeadlessDialogInput& input) {
  if (input.UpDownPosition) SetPosition(*input.UpDownPosition);
  finished_ = true;
  return {"dialog debug " + std::to_string(position_)};
}

}  // namespace wispen
