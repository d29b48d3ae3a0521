#pragma once

#include <array>
#include <memory>
#include <string>

#include "core/GameState.h"
#include "platform/Application.h"
#include "platform/Bitmap.h"
#include "platform/ImageList.h"
#include "platform/MediaPlayer.h"
#include "platform/PalettePicture.h"
#include "platform/Timer.h"
#include "stage/StageContent.h"

namespace wispen {

struct Forms;
class Platform;

constexpr int kStageCount = 10;

// The main window: the screen image and the hidden holders of pictures, players and timers, with the
// game's shared state.
class TMainForm : public MainWindowEvents, public GameState {
 public:
  explicit TMainForm(Forms& forms);
  ~TMainForm() override;

  // Window events.
  void FormCreate();
  void FormShow() override;
  void FormClose() override;
  void FormCloseUnsaved() override;
  void ScreenImageMouseMove(TShiftState shift, int X, int Y) override;
  void ScreenImageMouseDown(TMouseButton button, TShiftState shift, int X, int Y) override;
  // Esc, Space or Return during the opening (not on the first run) jumps to its end.
  void FormKeyDown(GameKey key) override;
  bool PointerInPlay() const override { return SoulActive; }
  const TBitmap& ScreenPicture() const override { return ScreenImage.Picture; }
  void AppendState(StateList& state) const override;

  // Copies the shown part of the back buffer onto the play window of the screen.
  void PresentView();
  void InitSoulSprite();
  void InitStageButtons();

  // Frame composition and the soul cursor.
  void ComposeFrame(int32_t x, int32_t y);
  bool SoulHitTest(int32_t x, int32_t y);

  // The stage run loop.
  void StartTimerTimer();
  void StartStage(int n);
  // Starts the stage chosen in the debug selector from the title menu: every stage open, two reserve souls,
  // the curtain first.
  void StartChosenStage(int32_t stage);
  void MainTimerTimer();
  // The part of the path covered, in per cent, as the life counter and the score table see it.
  int32_t PathPercent() const;

  // One step of the ending's drift: the view scrolls on while the soul keeps its place on the map and drifts
  // to height 300 of the back buffer; then the frame is composed.
  void EndingDriftStep();

  // Losing a soul and clearing a stage.
  void StartBurst();
  void BoomCursorTimerTimer();
  void ClearStage();

  // Menus and the stage select.
  void DrawMenu(int32_t mode);
  void DrawStageSelect();
  void MenuClick(int X, int Y, TMouseButton button, TShiftState shift);
  // The number of stages the stage select offers, kept within the ten it has.
  int32_t OpenStages() const;

  // Music and effects: the only way the game makes sound.
  void PlayMusic(int n);
  void StopMusic();
  void LoadEffect(int n);
  void PlayEffect();
  void CloseEffect();

  // The menu mode lives in the screen image's Tag.
  int32_t& MenuMode() { return ScreenImage.Tag; }
  int32_t MenuMode() const { return ScreenImage.Tag; }

  // Full names of the game's data files in the game directory ("Data/Stage1.Dat").
  std::string GamePath(const std::string& relative) const;

  Forms& forms;
  Platform& platform;

  TImage ScreenImage;
  TImage CursorOR;
  TImage CursorAND;
  TPaletteImage MapImage;
  TImage CurtainANDImage;
  TImage CurtainORImage;
  TImage ButtonImage;
  std::array<TPaletteImage, kAnimaSlotCount> AnimaImage;
  std::unique_ptr<MediaPlayer> MidiPlayer;
  std::unique_ptr<MediaPlayer> WavePlayer;
  TTimer StartTimer;
  TTimer MainTimer;
  TTimer BoomCursorTimer;
  TImageList BoomCursorList;
  TImageList DevilImageList;
  TImageList SelectImageList;

  std::unique_ptr<TBitmap> BackBuffer;
  TRect PlayWindowRect;
  TRect BackBufferViewRect;
  TRect ScoreLinkRect;
  std::array<TRect, kStageCount> StageButtonRects;
  StageContent Stage;

 private:
  // Ends the stage start on missing or damaged data: beep, message, and the window closes. A `reason` takes
  // the place of the message when the data are not to blame.
  void StageDataFailure(int n, const std::string& reason = "");
  bool StageDataInModel() const;
  bool LoadStage(int n, const std::string& mapFile, const std::string& pathFile);
  // ExtractDataFile for a sound; a copy that cannot be written is reported here and sets `full`.
  bool Extract(const std::string& dataFile, const std::string& temp, int kind, bool* full = nullptr);
  void DrawGameOverText();

  // A cursor warp whose mouse move has not arrived yet.
  bool warpPending_ = false;
  bool firstRun_ = false;
  // The progress file was there but could not be read: the close leaves it alone.
  bool keepProgressFile_ = false;
};

}  // namespace wispen
