#include <algorithm>
#include <array>

#include "FaceNames.h"
#include "Forms.h"
#include "MainUnit.h"
#include "OutlinedText.h"
#include "core/Playfield.h"
#include "platform/Language.h"
#include "platform/Platform.h"
#include "screens/ScoreUnit.h"
#include "stage/Obstacles.h"
#include "story/EndingUnit.h"

namespace wispen {

namespace {

struct DevilPlacement {
  int32_t X, Y, Picture;
};

// The devil swoops in from the top left of the play window, settles, swings its scythe and rests. Screen
// coordinates; the entry with a negative picture ends the table.
constexpr std::array<DevilPlacement, 23> DevilPath{
    {{0, 24, 0},    {40, 68, 0},   {92, 112, 0},  {144, 140, 0}, {208, 164, 0}, {268, 180, 0},
     {312, 156, 0}, {288, 116, 0}, {252, 84, 0},  {256, 140, 0}, {256, 144, 0}, {256, 150, 0},
     {256, 150, 0}, {256, 150, 0}, {256, 150, 0}, {256, 150, 1}, {256, 150, 2}, {256, 150, 3},
     {256, 150, 4}, {256, 150, 5}, {256, 150, 6}, {256, 150, 0}, {0, 0, -1}}};

constexpr int kDevilInterval = 60;

}  // namespace

void TMainForm::StartBurst() {
  SoulActive = false;
  BurstX = SoulX - (BoomCursorList.Width() - SoulWidth) / 2;
  BurstY = SoulY - (BoomCursorList.Height() - SoulHeight) / 2;
  BoomCursorTimer.Tag = 0;
  PlayEffect();
  StopMusic();
  BoomCursorTimer.SetEnabled(true);
  platform.SetCursorVisible(true);
}

void TMainForm::DrawGameOverText() {
  const bool japanese = IsJapanese(platform.LanguageId());
  TCanvas& c = BackBuffer->Canvas();
  const std::string text = japanese
                               ? "\xE5\x9C\xB0\xE7\x8D\x84\xE3\x81\xAB\xE8\x90\xBD\xE3\x81\xA1\xE3\x81\xAA"
                               : "Fall in the hell";  // 地獄に落ちな
  c.Font.Name = japanese ? kGothicFace : "Arial";
  c.Font.Size = japanese ? 36 : 30;
  c.Font.Bold = true;
  const int x = CentredInView(c.TextWidth(text));
  const int y = 128;
  OutlinedText(c, x, y, text, clRed, 0xFF00FF, DiagonalsFromTopLeft(2));
}

// The interval becomes 60 ms at the first devil tick and is never set back, so every later burst of the run
// plays its explosion at 60 ms too. Kept: it is how the burst has always felt after the first loss.
void TMainForm::BoomCursorTimerTimer() {
  const int32_t k = BoomCursorTimer.Tag;
  TCanvas& back = BackBuffer->Canvas();
  MapImage.Picture.Draw(*BackBuffer, BackBufferViewRect, ViewX, ViewY, SRCCOPY);
  DrawObstacles(Stage, AnimaImage, PathIndex, ViewX, ViewY, *BackBuffer);
  if (k < BoomCursorList.Count()) {
    BoomCursorList.Draw(back, BurstX, BurstY, k);
  } else {
    BoomCursorTimer.SetInterval(kDevilInterval);
    const size_t i = std::min(static_cast<size_t>(k - BoomCursorList.Count()), DevilPath.size() - 2);
    const DevilPlacement& d = DevilPath[i];
    const TPoint at = ScreenToBackBuffer({d.X, d.Y});
    DevilImageList.Draw(back, at.X, at.Y, d.Picture);
    if (DevilPath[i + 1].Picture < 0) {
      SoulsLeft -= 1;
      // The count comes unchecked from the progress file; at its largest it wraps round rather than overflow.
      SoulsUsed = static_cast<int32_t>(static_cast<uint32_t>(SoulsUsed) + 1u);
      if (SoulsLeft < 0) {
        DrawGameOverText();
        LoadEffect(3);
        PlayEffect();
        InsertHighScore(HighScores, CurrentStage, PathPercent(), SoulsUsed);
      }
      DrawMenu(SoulsLeft >= 0 ? 2 : 3);
      BoomCursorTimer.SetEnabled(false);
    }
  }
  PresentView();
  BoomCursorTimer.Tag = BoomCursorTimer.Tag + 1;
}

void TMainForm::ClearStage() {
  SoulActive = false;
  if (CurrentStage >= kStageCount) {
    // The last stage: the ending takes over; nothing is booked and the pointer stays hidden.
    PlayMusic(3);
    forms.EndingForm->EndingTimer.Tag = 0;
    forms.EndingForm->EndingTimer.SetEnabled(true);
    return;
  }
  PlayMusic(2);
  DrawMenu(4);
  PresentView();
  CurrentStage += 1;
  if (StagesOpen < CurrentStage) StagesOpen = CurrentStage;
  SoulsLeft = std::min(SoulsLeft + 1, 9);
  platform.SetCursorVisible(true);
}

}  // namespace wispen
