#include "EndingUnit.h"

#include "assets/BuiltinPictures.h"
#include "core/Playfield.h"
#include "platform/Language.h"
#include "platform/Platform.h"
#include "play/FaceNames.h"
#include "play/Forms.h"
#include "play/MainUnit.h"
#include "play/OutlinedText.h"

namespace wispen {

namespace {

void Stamp(TCanvas& canvas, int x, int y, const TBitmap& mask, const TBitmap& colour, const TRect& whole) {
  const TRect at = Bounds(x, y, whole.Width(), whole.Height());
  canvas.StretchBlt(at, mask, whole, SRCAND);
  canvas.StretchBlt(at, colour, whole, SRCPAINT);
}

}  // namespace

TEndingForm::TEndingForm(Forms& forms) : EndingTimer(forms.platform.Timers(), 50), forms_(forms) {
  EndingTimer.OnTimer = [this] { EndingTimerTimer(); };
  BeamANDImage.Picture = BuiltinPicture(Builtin::BeamMask);
  BeamORImage.Picture = BuiltinPicture(Builtin::BeamColour);
  AngalANDImage.Picture = BuiltinPicture(Builtin::AngelMask);
  AngalORImage.Picture = BuiltinPicture(Builtin::AngelColour);
}

void TEndingForm::FormCreate() {
  BeamWidth = BeamANDImage.Picture.Width();
  BeamHeight = BeamANDImage.Picture.Height();
  BeamRect = TRect{0, 0, BeamWidth, BeamHeight};
  AngalWidth = AngalANDImage.Picture.Width();
  AngalHeight = AngalANDImage.Picture.Height();
  AngalRect = TRect{0, 0, AngalWidth, AngalHeight};
  AngalBackground = TBitmap(AngalWidth, AngalHeight);
}

void TEndingForm::StampBeam(TCanvas& canvas, int x, int y) const {
  Stamp(canvas, x, y, BeamANDImage.Picture, BeamORImage.Picture, BeamRect);
}

void TEndingForm::StampAngal(TCanvas& canvas, int x, int y) const {
  Stamp(canvas, x, y, AngalANDImage.Picture, AngalORImage.Picture, AngalRect);
}

void TEndingForm::NextPhase() {
  EndingTick = 0;
  EndingPhase() = EndingPhase() + 1;
}

void TEndingForm::EndingTimerTimer() {
  TMainForm& main = *forms_.MainForm;
  TBitmap& back = *main.BackBuffer;
  TCanvas& canvas = back.Canvas();
  const TRect angal = Bounds(AngalX, AngalY, AngalWidth, AngalHeight);
  switch (EndingPhase()) {
    case 0:
      EndingTick = 0;
      EndingPhase() = 1;
      break;
    case 1:  // the view scrolls on while the soul keeps its place on the map
      main.EndingDriftStep();
      if (main.SoulX <= 300) {
        BeamX = 600;
        BeamY = 0;
        NextPhase();
      }
      break;
    case 2:  // the beam's stamps leave a trail
      StampBeam(canvas, BeamX, BeamY);
      BeamX -= 2;
      BeamY += 2;
      if (BeamX <= main.SoulWidth + 300) {
        AngalX = main.SoulX - 20;
        AngalY = main.SoulY - 20;
        AngalBackground.Canvas().StretchBlt(AngalRect, back, Bounds(AngalX, AngalY, AngalWidth, AngalHeight),
                                            SRCCOPY);
        NextPhase();
      }
      break;
    case 3:
    case 5:
      EndingTick += 1;
      if (EndingTick > 40) NextPhase();
      break;
    case 4:  // the blink: eleven times the angel, ten times the soul
      if (EndingTick % 2 == 0) {
        canvas.BrushColor = clBlack;
        canvas.FillRect(angal);
        StampAngal(canvas, AngalX, AngalY);
      } else {
        canvas.StretchBlt(angal, AngalBackground, AngalRect, SRCCOPY);
      }
      EndingTick += 1;
      if (EndingTick > 20) NextPhase();
      break;
    case 6: {  // the rise
      canvas.StretchBlt(angal, AngalBackground, AngalRect, SRCCOPY);
      if (EndingTick == 0) {
        canvas.BrushColor = clBlack;
        canvas.FillRect(angal);
        EndingTick = 1;
      }
      AngalX += 1;
      AngalY -= 1;
      AngalBackground.Canvas().StretchBlt(AngalRect, back, Bounds(AngalX, AngalY, AngalWidth, AngalHeight),
                                          SRCCOPY);
      StampAngal(canvas, AngalX, AngalY);
      if (AngalY < 0) NextPhase();
      break;
    }
    case 7:  // the beam withdraws, redrawn from the top each tick
      main.ComposeFrame(main.ViewX, main.ViewY);
      canvas.BrushColor = clBlack;
      canvas.FillRect(Bounds(main.SoulX, main.SoulY, main.SoulWidth, main.SoulHeight));
      for (int k = 0; k <= BeamY; ++k) StampBeam(canvas, 600 - k, k);
      BeamX += 8;
      BeamY -= 8;
      if (BeamY < 0) NextPhase();
      break;
    default: {  // the caption and the game-over menu
      const bool japanese = IsJapanese(forms_.platform.LanguageId());
      TFont font;
      font.Name = japanese ? kGothicFace : "Arial";
      font.Size = japanese ? 36 : 24;
      font.Bold = true;
      const std::string text =
          japanese ? "\xE9\xAD\x82\xE3\x81\xAF\xE8\x81\x96\xE5\xA4\xA9\xE3\x81\x97\xE3\x81\x9F"
                   : "Soul Did The Saint Sky";  // 魂は聖天した
      canvas.Font = font;
      const int x = CentredInView(canvas.TextWidth(text));
      const int y = 150;
      OutlinedText(canvas, x, y, text, clWhite, clBlue, DiagonalsFromTopLeft(2));
      main.DrawMenu(3);
      forms_.platform.SetCursorVisible(true);
      EndingTimer.SetEnabled(false);
      break;
    }
  }
  main.PresentView();
}

}  // namespace wispen
