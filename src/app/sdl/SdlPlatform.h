#pragma once

#include <functional>
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

class MessageBoxDialog;

class SdlWindow;
class LogicalClock;
class X11Session;

// No window can be opened here (no display). The message is one line that says how to run without one.
class NoDisplayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The game in a real window: the screen picture scaled by whole pixels and centred (in a window or on the
// whole screen), the mouse mapped back to the picture, the pointer kept on the picture while the soul is in
// play, a message loop that sleeps until the next input or the next due timer, real message boxes and
// dialogs.
class AudioService;

class SdlPlatform : public PlatformBase {
 public:
  struct Options {
    Options() = default;
    explicit Options(int scale) : Scale(scale) {}

    int Scale = 1;  // the window is Scale times 640x480; 0: the largest that fits the desktop
    bool Fullscreen = false;
    bool ConfineMouse = true;              // keep the pointer on the picture while the soul is in play
    std::optional<std::string> SoundFont;  // tried after SDL_SOUNDFONTS, before the Debian soundfonts
    int MusicVolume = 100;                 // 0..100
    int EffectsVolume = 100;
    // Told after Alt+Enter or F11 has switched between window and full screen.
    std::function<void(bool fullscreen)> FullscreenChanged;
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
  // time and then closes the window. Returns the exit status: 1 when the game had to end without saving (a
  // signal, or the window or the display gone, while the progress file could not be written). Throws
  // std::runtime_error when the window system fails under it.
  int Run(Application& app, const std::vector<ScriptCommand>* script);

  SDL_Window* Window() const;
  // Switches between the window and the desktop's full screen (no video mode change).
  void ToggleFullscreen();

 protected:
  void RunMessageBox(const std::string& caption, const std::string& text, MessageIcon icon) override;
  bool RunQuestionBox(const std::string& caption, const std::string& text) override;
  void RunModal(ModalDialog& dialog) override;
  void ApplyCursorVisible(bool visible) override;

 private:
  // Shows a box of the game's own over the window; one that cannot be shown is said on standard error.
  void ShowBox(MessageBoxDialog& box, const std::string& caption, const std::string& text);
  // Lets the pointer go for the life of a message box or a dialog, also when it throws.
  class ModalPointer {
   public:
    explicit ModalPointer(SdlPlatform& p) : p_(p) {
      p_.inModal_ = true;
      p_.UpdateConfinement();
    }
    ~ModalPointer() {
      p_.inModal_ = false;
      p_.UpdateConfinement();
    }
    ModalPointer(const ModalPointer&) = delete;
    ModalPointer& operator=(const ModalPointer&) = delete;

   private:
    SdlPlatform& p_;
  };

  // Runs the loop until the window closes or, given `until`, until that clock time has come; given `holds`,
  // also as soon as it is true after a turn of the loop. True when `holds` stopped it.
  bool Pump(std::optional<int64_t> until, const std::function<bool()>& holds = nullptr);
  // Waits for the first event or the deadline; false when the deadline came first.
  bool WaitForEvent(SDL_Event& e, std::optional<int64_t> deadline);
  void Handle(const SDL_Event& e);
  // Ends the game where no one can be asked: saves if it can; if not, one line on standard error.
  void EndWithoutAsking(const char* why);
  [[noreturn]] void EndWithDisplayGone();
  void HandleMouseMotion(const SDL_Event& e);
  void HandleMouseDown(const SDL_Event& e);
  void HandleKeyDown(const SDL_Event& e);
  // A window point as a screen-picture point.
  TPoint ToPicture(int x, int y) const;
  TSize WindowSize() const;
  // With a scale of 0: the window sized to the desktop once its decorations are known.
  void FitToDesktop();
  // Keeps the pointer on the picture exactly while it should be, and lets it go otherwise.
  void UpdateConfinement();
  void KeepOnPicture(int x, int y);
  void RunDueTick(std::optional<int64_t> until);
  void GameMouseMove(TShiftState shift, TPoint at);
  void CloseBox();
  void AfterHandler();
  // Draws the game's picture into the window, unless the window already shows it and nothing (an expose, a
  // resize, a switch of screen) asked for it again; `always` draws it in any case.
  void Present(bool always = false);
  TShiftState HeldNow() const;

  LogicalClock* clock_;  // set by the base class constructor, so no initializer here
  int scale_;
  bool fitToDesktop_;
  bool fullscreen_;
  bool confineMouse_;
  std::function<void(bool)> fullscreenChanged_;
  bool inModal_ = false;
  std::optional<TRect> confinedTo_;
  std::unique_ptr<SdlWindow> window_;
  std::unique_ptr<AudioService> audio_;
  std::unique_ptr<X11Session> x11_;
  int endStatus_ = 0;
  bool dirty_ = false;
  bool mustDraw_ = true;  // the window's contents may be gone
  // What the window shows: a copy of the picture and where it went.
  std::vector<TColor> shown_;
  const TBitmap* shownPicture_ = nullptr;
  const TBitmap noPicture_;  // shown while there is no main window
  int shownWidth_ = 0, shownX_ = 0, shownY_ = 0, shownScale_ = 0;
  // While a script plays it is the only mouse: real pointer input would make a run unrepeatable.
  bool scripted_ = false;
  TPoint pointer_{0, 0};
  std::optional<TPoint> warp_;
  TPoint seen_{0, 0};  // where the game last saw the pointer
  bool stoppedByPlayer_ = false;
};

}  // namespace wispen
