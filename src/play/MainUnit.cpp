#include "MainUnit.h"

#include "Forms.h"
#include "assets/BuiltinPictures.h"
#include "data/DataFile.h"
#include "data/ProgressFile.h"
#include "platform/Platform.h"
#include "screens/NumberUnit.h"
#include "story/EndingUnit.h"
#include "story/OpningUnit.h"

namespace wispen {

namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

std::string Bool(bool b) {
  return b ? "1" : "0";
}

}  // namespace

TMainForm::TMainForm(Forms& f)
    : forms(f),
      platform(f.platform),
      StartTimer(f.platform.Timers(), 10),
      MainTimer(f.platform.Timers(), 50),
      BoomCursorTimer(f.platform.Timers(), 100),
      BoomCursorList(76, 76),
      DevilImageList(150, 165),
      SelectImageList(60, 60) {
  ScreenImage.Picture = BuiltinPicture(Builtin::Frame);
  ScreenImage.Picture.Canvas().SetTextEngine(&platform.Text());
  CursorOR.Picture = BuiltinPicture(Builtin::SoulColour);
  CursorAND.Picture = BuiltinPicture(Builtin::SoulMask);
  CurtainORImage.Picture = BuiltinPicture(Builtin::CurtainColour);
  CurtainANDImage.Picture = BuiltinPicture(Builtin::CurtainMask);
  ButtonImage.Picture = BuiltinPicture(Builtin::Button);
  BoomCursorList = BuiltinBurstList();
  DevilImageList = BuiltinDevilList();
  SelectImageList = BuiltinStageList();
  StartTimer.OnTimer = [this] { StartTimerTimer(); };
  MainTimer.OnTimer = [this] { MainTimerTimer(); };
  BoomCursorTimer.OnTimer = [this] { BoomCursorTimerTimer(); };
  MidiPlayer = platform.CreateMediaPlayer();
  WavePlayer = platform.CreateMediaPlayer();
}

TMainForm::~TMainForm() = default;

std::string TMainForm::GamePath(const std::string& relative) const {
  return platform.GameDir() + relative;
}

void TMainForm::FormCreate() {
  // The client area is the screen image's size; nothing beside it is ever visible.
  PlayWindowRect = Bounds(70, 60, 500, 300);
  BackBuffer = std::make_unique<TBitmap>();
  BackBuffer->SetWidth(600);
  BackBuffer->SetHeight(400);
  BackBuffer->Canvas().SetTextEngine(&platform.Text());
  BackBufferViewRect = Bounds(100, 100, 500, 300);
  // Only the shown part is cleared; the margin is never shown.
  BackBuffer->Canvas().BrushColor = clBlack;
  BackBuffer->Canvas().FillRect(BackBufferViewRect);
  InitSoulSprite();
  InitStageButtons();
  LoadProgress(platform.ProgressSource(), *this);
  GameMode = 0;
}

void TMainForm::FormShow() {
  // No speed factor in the progress file: the first run since installing, which always shows the whole
  // opening.
  firstRun_ = SpeedFactor == 0;
  if (firstRun_) forms.OpningForm->CalibrateSpeed();
  TCanvas& screen = ScreenImage.Picture.Canvas();
  forms.NumberForm->InitStageDigits(screen);
  forms.NumberForm->InitLifeDigits(screen);
  forms.NumberForm->InitSoulIcons(screen);
  forms.OpningForm->OpningTimer.SetEnabled(true);
  if (!firstRun_ && platform.SkipOpening()) forms.OpningForm->SkipToEnd();
}

void TMainForm::FormKeyDown(GameKey /*key*/) {
  // Each of the three keys does the same; clicks keep having no effect during the opening.
  if (!firstRun_ && forms.OpningForm->OpningTimer.Enabled()) forms.OpningForm->SkipToEnd();
}

void TMainForm::FormClose() {
  // A failed save throws here: nothing is released and the window stays open, so the game goes on.
  SaveProgress(platform.PrepareProgressSave(), *this);
  FormCloseUnsaved();
}

// What the close does after the save; alone when the game must end although the save failed.
void TMainForm::FormCloseUnsaved() {
  BackBuffer.reset();
  StopMusic();
  CloseEffect();
  DeleteTemporaryFiles(platform.TempDir());
}

void TMainForm::PresentView() {
  ScreenImage.Picture.Canvas().StretchBlt(PlayWindowRect, *BackBuffer, BackBufferViewRect, SRCCOPY);
}

void TMainForm::InitSoulSprite() {
  SoulWidth = CursorOR.Picture.Width();
  SoulHeight = CursorOR.Picture.Height();
  SoulSourceRect = TRect{0, 0, SoulWidth, SoulHeight};
  SoulDestRect = Bounds(0, 0, SoulWidth, SoulHeight);
}

void TMainForm::InitStageButtons() {
  static constexpr std::array<TPoint, kStageCount> kTopLeft{{{95, 295},
                                                             {225, 270},
                                                             {355, 245},
                                                             {485, 220},
                                                             {355, 195},
                                                             {225, 170},
                                                             {95, 145},
                                                             {225, 120},
                                                             {355, 95},
                                                             {485, 70}}};
  for (int k = 0; k < kStageCount; ++k) {
    StageButtonRects[k] =
        Bounds(kTopLeft[k].X, kTopLeft[k].Y, SelectImageList.Width(), SelectImageList.Height());
  }
}

void TMainForm::AppendState(StateList& state) const {
  auto add = [&](const char* name, const std::string& value) { state.emplace_back(name, value); };
  auto num = [&](const char* name, int64_t value) { add(name, std::to_string(value)); };
  num("MenuMode", MenuMode());
  num("CurrentStage", CurrentStage);
  num("StagesOpen", StagesOpen);
  num("SoulsLeft", SoulsLeft);
  num("SoulsUsed", SoulsUsed);
  num("GameMode", GameMode);
  num("SpeedFactor", SpeedFactor);
  num("PathIndex", PathIndex);
  num("PathLength", PathLength);
  num("ViewX", ViewX);
  num("ViewY", ViewY);
  num("SoulX", SoulX);
  num("SoulY", SoulY);
  num("MouseX", MouseX);
  num("MouseY", MouseY);
  add("SoulActive", Bool(SoulActive));
  num("BurstX", BurstX);
  num("BurstY", BurstY);
  auto timer = [&](const std::string& name, const TTimer& t) {
    state.emplace_back(name + ".Enabled", Bool(t.Enabled()));
    state.emplace_back(name + ".Interval", std::to_string(t.Interval()));
    state.emplace_back(name + ".Tag", std::to_string(t.Tag));
  };
  timer("StartTimer", StartTimer);
  timer("MainTimer", MainTimer);
  timer("BoomCursorTimer", BoomCursorTimer);
  timer("OpningTimer", forms.OpningForm->OpningTimer);
  timer("EndingTimer", forms.EndingForm->EndingTimer);
  for (int i = 0; i < kHighScoreCount; ++i) {
    const ScoreEntry& e = HighScores[i];
    state.emplace_back("HighScores." + std::to_string(i),
                       std::to_string(e.Stage) + "," + std::to_string(e.Conquest) + "," +
                           std::to_string(e.Use) + "," + std::to_string(e.Point));
  }
}

}  // namespace wispen
