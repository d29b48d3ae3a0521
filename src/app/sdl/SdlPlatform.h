#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/PlatformBase.h"
#include "platform/Script.h"

struct SDL_Window;
union SDL_Event;

namespace wispen {

class SdlWindow;
class LogicalClock;

// No window can be opened here (no display). The message is one line that says how to run without one.
class NoDisplayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The game in a real window: the screen picture scaled by whole pixels, the mouse mapped back to the picture,
// a message loop that sleeps until the next input or the next due timer, real message boxes and dialogs.
class AudioService;

class SdlPlatform : public PlatformBase {
 public:
  struct Options {
    int Scale = 1;  // the window is Scale times 640x480
  };

  // Opens the window, hidden until Run. Throws NoDisplayError when there is no display.
  SdlPlatform(const Settings& settings, const Options& options, TextEngine& text, ImageCodec& images);
  ~SdlPlatform() override;
  SdlPlatform(const SdlPlatform&) = delete;
  SdlPlatform& operator=(const SdlPlatform&) = delete;

  std::unique_ptr<MediaPlayer> CreateMediaPlayer() override;
  void MessageBeep(unsigned type) override;
  void SetCursorPos(int x, int y) override;
  TPoint CursorPos() const override;
  void Repaint() override;

  // The window's icon, from a 32x32 picture.
  void SetWindowIcon(const TBitmap& icon);

  // Shows the window and runs the message loop until the window has closed; with a script, plays it in real
  // time and then closes the window. Returns the exit status. Throws std::runtime_error when the window
  // system fails under it.
  int Run(Application& app, const std::vector<ScriptCommand>* script);

  SDL_Window* Window() const;
  int Scale() const { return scale_; }

 protected:
  void RunMessageBox(const std::string& caption, const std::string& text, MessageIcon icon) override;
  void RunModal(ModalDialog& dialog) override;
  void ApplyCursorVisible(bool visible) override;

 private:
  // Runs the loop until the window closes or, given `until`, until that clock time has come.
  void Pump(std::optional<int64_t> until);
  // Waits for the first event or the deadline; false when the deadline came first.
  bool WaitForEvent(SDL_Event& e, std::optional<int64_t> deadline);
  void Handle(const SDL_Event& e);
  void HandleMouseMotion(const SDL_Event& e);
  void HandleMouseDown(const SDL_Event& e);
  void RunDueTick();
  void GameMouseMove(TShiftState shift, int x, int y);
  void CloseBox();
  void AfterHandler();
  void Present();
  TShiftState HeldNow() const;

  LogicalClock* clock_;  // set by the base class constructor, so no initializer here
  int scale_;
  std::unique_ptr<SdlWindow> window_;
  std::unique_ptr<AudioService> audio_;
  bool dirty_ = false;
  // While a script plays it is the only mouse: real pointer input would make a run unrepeatable.
  bool scripted_ = false;
  TPoint pointer_{0, 0};
  std::optional<TPoint> warp_;
  TPoint seen_{0, 0};  // where the game last saw the pointer
  bool stoppedByPlayer_ = false;
  std::optional<int> upDown_;
};

}  // namespace wispen
