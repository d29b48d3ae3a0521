#include <new>

#include "Forms.h"
#include "MainUnit.h"
#include "core/Playfield.h"
#include "data/DataFile.h"
#include "data/FileIo.h"
#include "platform/Errors.h"
#include "platform/Platform.h"
#include "screens/NumberUnit.h"
#include "stage/Obstacles.h"

namespace wispen {

namespace {

constexpr int kCurtainStep = 8;
constexpr const char* kErrorCaption = "\xEF\xBD\xB4\xEF\xBE\x97\xEF\xBD\xB0";  // ｴﾗｰ
constexpr unsigned kAsteriskBeep = 0x40;

bool ViewInside(const TPoint& view, const PalettePicture& map) {
  return view.X >= 0 && view.Y >= 0 && int64_t{view.X} + kViewWidth <= map.Width() &&
         int64_t{view.Y} + kViewHeight <= map.Height();
}

}  // namespace

void TMainForm::StartTimerTimer() {
  const int32_t t = StartTimer.Tag;
  if (t == 0) {
    StopMusic();
    LoadEffect(1);
    PlayEffect();
  } else if (t < BackBuffer->Height()) {
    // The curtain is never restored between steps: its black body grows down over whatever was shown.
    const TRect source{0, 0, CurtainANDImage.Picture.Width(), CurtainANDImage.Picture.Height()};
    const TRect dest = Bounds(kBackBufferViewRect.Left, t, source.Width(), source.Height());
    BackBuffer->Canvas().StretchBlt(dest, CurtainANDImage.Picture, source, SRCAND);
    BackBuffer->Canvas().StretchBlt(dest, CurtainORImage.Picture, source, SRCPAINT);
    PresentView();
  } else {
    StartTimer.SetEnabled(false);
    StartStage(CurrentStage);
  }
  StartTimer.Tag = StartTimer.Tag + kCurtainStep;
}

void TMainForm::StageDataFailure(int n, const std::string& reason) {
  platform.MessageBeep(kAsteriskBeep);
  platform.ShowMessage(
      kErrorCaption,
      reason.empty() ? "There is not data! [" + std::to_string(n) + "] Install it again." : reason,
      MessageIcon::Error);
  platform.CloseMainWindow();
}

// Values the stage files may not hold: they would read past the path or the obstacle tables, divide by
// zero, or show a view beyond the map. Such a stage counts as damaged.
bool TMainForm::StageDataInModel() const {
  if (Stage.ObstacleCount > kObstacleCapacity) return false;
  for (int k = 0; k < std::max(Stage.ObstacleCount, 0); ++k) {
    if (!ObstacleInModel(Stage.Obstacles[k])) return false;
  }
  if (PathLength < 0 || PathLength >= kMaxPathPoints) return false;
  if (!ViewInside(ViewStart, MapImage.Picture)) return false;
  // The soul starts in the first view, where the pointer can be put on it; anywhere else it is lost on the
  // first tick, and far enough away its screen position leaves the 32-bit range.
  const int64_t soulX = int64_t{SoulStart.X} - ViewStart.X, soulY = int64_t{SoulStart.Y} - ViewStart.Y;
  if (soulX < 0 || soulX >= 500 || soulY < 0 || soulY >= 300) return false;
  for (int i = 0; i <= PathLength; ++i) {
    if (!ViewInside(PathPoints[i], MapImage.Picture)) return false;
  }
  return true;
}

void TMainForm::StartChosenStage(int32_t stage) {
  MenuMode() = 0;
  CurrentStage = stage;
  StagesOpen = 10;
  SoulsLeft = 2;
  StartTimer.Tag = 0;
  StartTimer.SetEnabled(true);
}

// Loads the stage's files and places the view and the soul; false when they are damaged.
bool TMainForm::LoadStage(int n, const std::string& mapFile, const std::string& pathFile) {
  const bool knownStage = n >= 1 && n <= kStageCount;
  LoadDataPicture(platform.Images(), platform.TempDir(), mapFile, MapImage, kMapPictureLimit);
  if (!knownStage || MapImage.Picture.Pixel(0, 0) != StageCheckColour(n)) return false;
  Stage.LoadStagePath(pathFile, *this);
  if (!StageDataInModel()) return false;
  PathIndex = 0;
  ViewX = ViewStart.X;
  ViewY = ViewStart.Y;
  const TPoint soul = MapToBackBuffer(SoulStart, ViewStart);
  SoulX = soul.X;
  SoulY = soul.Y;
  const uint64_t mapBytes = PictureBytes(MapImage.Picture);
  LoadObstaclePictures(Stage, AnimaImage, platform.Images(), platform.GameDir(), platform.TempDir(),
                       kStagePictureBudget > mapBytes ? kStagePictureBudget - mapBytes : 0);
  return true;
}

void TMainForm::StartStage(int n) {
  const std::string mapFile = GamePath("Data/StageP" + std::to_string(n) + ".Dat");
  const std::string pathFile = GamePath("Data/Stage" + std::to_string(n) + ".Dat");
  if (!FileExists(mapFile) || !FileExists(pathFile)) return StageDataFailure(n);
  bool loaded = false;
  std::string reason;
  try {
    loaded = LoadStage(n, mapFile, pathFile);
  } catch (const WriteError& e) {
    reason = e.what();  // a full disk is no fault of the data, and the message says what it is
  } catch (const IoError&) {
    // A map or obstacle picture that cannot be read would leave the player on a dead screen.
  } catch (const std::bad_alloc&) {
    // Pictures within their limits may still be more than this machine can give.
  }
  // Outside the try: the close that follows the message may fail to save and throw, and that error is the
  // close's own; caught here it would show the message again and close again.
  if (!loaded) return StageDataFailure(n, reason);
  ComposeFrame(ViewX, ViewY);
  TCanvas& screen = ScreenImage.Picture.Canvas();
  forms.NumberForm->DrawStageNumber(CurrentStage, screen);
  forms.NumberForm->DrawLife(100, screen);
  LoadEffect(2);
  PlayMusic(1);
  platform.SetCursorVisible(false);
  // The pointer lands on the soul's start point; the mouse move it causes places the soul where the
  // pointer really is.
  warpPending_ = true;
  const TPoint pointer = MapToScreen(SoulStart, ViewStart);
  platform.SetCursorPos(pointer.X, pointer.Y);
  SoulActive = true;
  MainTimer.Tag = 0;
  MainTimer.SetEnabled(true);
  forms.NumberForm->DrawSoulIcons(SoulsLeft, screen);
}

// The quotient is rounded to extended precision before it is multiplied, so a whole-number percentage can
// come out one less (step 53 of 100 gives 52). Kept: the life counter and every stored score follow it.
int32_t TMainForm::PathPercent() const {
  if (PathLength <= 0) return 100;  // no path at all: the run is over on its first tick
  const long double quotient = static_cast<long double>(PathIndex) / static_cast<long double>(PathLength);
  const long double percent = quotient * 100.0L;
  return static_cast<int32_t>(percent);
}

void TMainForm::MainTimerTimer() {
  if (warpPending_) {
    // The platform delivered no mouse move for the warp: take the pointer where it really is.
    const TPoint p = platform.CursorPos();
    ScreenImageMouseMove(0, p.X, p.Y);
  }
  const int32_t k = MainTimer.Tag;
  // A stored factor is used as it stands; only a zero, which calibration never leaves, is read as 1.
  const int32_t factor = SpeedFactor == 0 ? 1 : SpeedFactor;
  if (k % factor == 0) PathIndex += 1;
  MainTimer.Tag = k + 1;
  ViewX = PathPoints[PathIndex].X;
  ViewY = PathPoints[PathIndex].Y;
  if (PathIndex >= PathLength) {
    platform.Repaint();
    StartBurst();
    MainTimer.SetEnabled(false);
    return;
  }
  ComposeFrame(ViewX, ViewY);
  if (SoulHitTest(MouseX, MouseY)) {
    if (GameMode != PlayMode::Invulnerable) {
      platform.Repaint();
      StartBurst();
      MainTimer.SetEnabled(false);
      return;
    }
    PlayEffect();
  }
  forms.NumberForm->DrawLife(PathPercent(), ScreenImage.Picture.Canvas());
  const TPoint g = BackBufferToMap({SoulX, SoulY}, {ViewX, ViewY});
  if (GoalRect.Left <= g.X && g.X <= GoalRect.Right && GoalRect.Top <= g.Y && g.Y <= GoalRect.Bottom) {
    ClearStage();
    MainTimer.SetEnabled(false);
  }
}

}  // namespace wispen
