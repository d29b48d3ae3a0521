#include "SdlPlatform.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <string>

#include "AudioService.h"
#include "SdlDialogWindow.h"
#include "SdlInput.h"
#include "SdlMediaPlayer.h"
#include "SdlWindow.h"
#include "X11Session.h"
#include "platform/LogicalClock.h"
#include "platform/MessageBoxDialog.h"
#include "platform/PictureChanges.h"
#include "platform/ScriptRunner.h"
#include "view/PictureFit.h"

namespace wispen {

namespace {

// A window larger than any display is of no use; the bound also keeps the window size in range.
constexpr int kMaxScale = 16;

NoDisplayError NoDisplay(std::string why) {
  std::replace(why.begin(), why.end(), '\n', ' ');
  std::replace(why.begin(), why.end(), '\r', ' ');
  return NoDisplayError(
      "no window can be opened (" + why +
      "): run it in a desktop session or under xvfb-run, or without a window with --headless "
      "--script FILE");
}

std::unique_ptr<Clock> MakeLogicalClock(LogicalClock*& raw) {
  auto clock = std::make_unique<LogicalClock>();
  raw = clock.get();
  return clock;
}

// SDL falls back on drivers that draw where no one sees (offscreen, dummy) when it finds no display: the game
// would run on unseen. Unless SDL_VIDEODRIVER names a driver, SDL may try only those that show a window.
// Wayland is tried only in a Wayland session: outside one, its library prints a warning of its own.
std::string VisibleDisplayDrivers() {
  std::string list;
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
    const std::string name = SDL_GetVideoDriver(i);
    if (name == "offscreen" || name == "dummy" || name == "evdev") continue;
    if (name == "wayland" && (wayland == nullptr || *wayland == 0)) continue;
    list += (list.empty() ? "" : ",") + name;
  }
  return list;
}

// Why no display could be opened, in the user's terms rather than in the drivers' list.
std::string NoDisplayReason() {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || *display == 0) return "DISPLAY is not set";
  return std::string("cannot open the display ") + display;
}

// The largest whole multiple of the picture that fits the usable desktop of the first display.
int DesktopScale(TSize decorations) {
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
  return std::min(kMaxScale, FitWindowScale({usable.w, usable.h}, decorations));
}

// Keeps the window's after-handler hook for the life of a run, also when the loop throws.
class AfterHandlerHook {
 public:
  AfterHandlerHook(Application& app, std::function<void()> hook) : app_(app) {
    app_.SetAfterHandler(std::move(hook));
  }
  ~AfterHandlerHook() { app_.SetAfterHandler(nullptr); }
  AfterHandlerHook(const AfterHandlerHook&) = delete;
  AfterHandlerHook& operator=(const AfterHandlerHook&) = delete;

 private:
  Application& app_;
};

}  // namespace

SdlPlatform::SdlPlatform(const Settings& settings, const Options& options, TextEngine& text,
                         ImageCodec& images)
    : PlatformBase(MakeLogicalClock(clock_), settings, text, images),
      scale_(std::clamp(options.Scale, 1, kMaxScale)),
      fitToDesktop_(options.Scale <= 0),
      fullscreen_(options.Fullscreen),
      confineMouse_(options.ConfineMouse),
      fullscreenChanged_(options.FullscreenChanged) {
  // Closing the window is the game's own business (its close handler may keep it open); SDL must not turn it
  // into a quit request as well.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  // A drag off the window keeps reporting the pointer, out of range, until the button is let go.
  SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "1");
  // A plain window: the screen saver and the desktop's compositor go on as with any other window.
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // The window's class and app id name the launcher (its StartupWMClass and file name). SDL reads them from
  // the environment; a value the user set there is kept.
  SDL_setenv("SDL_VIDEO_X11_WMCLASS", WISPEN_APP_ID, 0);
  SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", WISPEN_APP_ID, 0);
  SDL_SetHint(SDL_HINT_APP_NAME, "Wispen");
  x11_ = std::make_unique<X11Session>([this] { EndWithDisplayGone(); });
  const char* named = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  const bool chosen = named != nullptr && *named != 0;
  if (!chosen) SDL_SetHint(SDL_HINT_VIDEODRIVER, VisibleDisplayDrivers().c_str());
  const int started = SDL_InitSubSystem(SDL_INIT_VIDEO);
  const std::string reason = started != 0 ? (chosen ? SDL_GetError() : NoDisplayReason()) : "";
  if (!chosen) SDL_ResetHint(SDL_HINT_VIDEODRIVER);
  if (started != 0) throw NoDisplay(reason);
  // The decorations are not known before the window is shown; FitToDesktop allows for them then.
  if (fitToDesktop_) scale_ = DesktopScale({0, 0});
  // Resizable, and high-DPI aware: the picture is fitted to whatever the drawable is.
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  if (fullscreen_) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  SDL_Window* raw = SDL_CreateWindow(Application::kTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                     kPictureWidth * scale_, kPictureHeight * scale_, flags);
  if (raw == nullptr) {
    const std::string error = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    throw NoDisplay(error);
  }
  SDL_SetWindowMinimumSize(raw, kPictureWidth, kPictureHeight);
  try {
    window_ = std::make_unique<SdlWindow>(raw);
  } catch (...) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    throw;
  }
  x11_->Attach(window_->Get());
  // The soundfont starts loading now, off the game's thread; the audio device opens at the first sound.
  AudioOptions audio;
  audio.soundFonts = SoundFontsWith(options.SoundFont);
  audio.trouble = &std::cerr;
  audio.musicVolume = options.MusicVolume;
  audio.effectsVolume = options.EffectsVolume;
  audio_ = std::make_unique<AudioService>(std::move(audio));
}

// The forms that own the players are gone before the platform, so the audio can go before the window.
SdlPlatform::~SdlPlatform() {
  audio_.reset();
  window_.reset();
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  // Only now: a window destroyed from outside, or a display gone, still makes the clean-up's requests fail.
  x11_.reset();
}

SDL_Window* SdlPlatform::Window() const {
  return window_->Get();
}

std::unique_ptr<MediaPlayer> SdlPlatform::CreateMediaPlayer() {
  return CreateSdlMediaPlayer(*audio_);
}

// SDL has no system sounds: the display's bell stands in for them.
void SdlPlatform::MessageBeep(unsigned /*type*/) {
  x11_->Bell();
}

void SdlPlatform::SetCursorPos(int x, int y) {
  Log().Write("warp " + std::to_string(x) + " " + std::to_string(y));
  warp_ = TPoint{x, y};
  if (scripted_) pointer_ = {x, y};
  const TPoint at = PictureToWindow({x, y}, WindowSize(), window_->DrawableSize());
  SDL_WarpMouseInWindow(window_->Get(), at.X, at.Y);
}

TSize SdlPlatform::WindowSize() const {
  TSize size;
  SDL_GetWindowSize(window_->Get(), &size.cx, &size.cy);
  return size;
}

TPoint SdlPlatform::ToPicture(int x, int y) const {
  return WindowToPicture({x, y}, WindowSize(), window_->DrawableSize());
}

// Where the pointer is, asked of the window system: it is right after a warp and outside the window too.
TPoint SdlPlatform::CursorPos() const {
  if (scripted_) return pointer_;
  int gx = 0, gy = 0, wx = 0, wy = 0;
  SDL_GetGlobalMouseState(&gx, &gy);
  SDL_GetWindowPosition(window_->Get(), &wx, &wy);
  return ToPicture(gx - wx, gy - wy);
}

void SdlPlatform::Repaint() {
  if (App() != nullptr && !App()->Closed()) Present();
}

void SdlPlatform::SetWindowIcon(const TBitmap& icon) {
  if (icon.Empty()) return;
  auto* pixels = const_cast<TColor*>(icon.Pixels().data());
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels, icon.Width(), icon.Height(), 32,
                                                            icon.Width() * 4, SDL_PIXELFORMAT_XBGR8888);
  if (surface == nullptr) return;  // the window keeps the desktop's default icon
  SDL_SetWindowIcon(window_->Get(), surface);
  SDL_FreeSurface(surface);
}

int SdlPlatform::Run(Application& app, const std::vector<ScriptCommand>* script) {
  Attach(app);
  AfterHandlerHook hook(app, [this] { AfterHandler(); });
  scripted_ = script != nullptr;
  SDL_ShowWindow(window_->Get());
  if (fitToDesktop_ && !fullscreen_) FitToDesktop();
  clock_->StartHere();
  app.Show();
  if (dirty_ && !app.Closed()) Present();
  int status = kExitOk;
  if (script != nullptr) {
    ScriptRunner::Hooks hooks;
    hooks.Wait = [this](int64_t ms) { Pump(GetClock().NowMs() + ms); };
    hooks.WaitUntil = [this](int64_t ms, const std::function<bool()>& holds) {
      return Pump(GetClock().NowMs() + ms, holds);
    };
    hooks.Pointer = [this] { return pointer_; };
    hooks.MovePointer = [this](TPoint p) { pointer_ = p; };
    hooks.SetUpDown = [this](int n) { SetScriptedUpDown(n); };
    hooks.Record = GetRecorder();
    hooks.Replay = IsReplay();
    hooks.StoppedByPlayer = [this] { return stoppedByPlayer_; };
    status = ScriptRunner(app, Images(), hooks).Run(*script);
  } else {
    Pump(std::nullopt);
  }
  scripted_ = false;
  UpdateConfinement();  // the window is closed: the pointer goes free
  SDL_HideWindow(window_->Get());
  return endStatus_ != 0 ? endStatus_ : status;
}

void SdlPlatform::FitToDesktop() {
  int top = 0, left = 0, bottom = 0, right = 0;
  // Without a window manager there are no decorations to allow for.
  if (SDL_GetWindowBordersSize(window_->Get(), &top, &left, &bottom, &right) != 0)
    top = left = bottom = right = 0;
  const int scale = DesktopScale({left + right, top + bottom});
  if (scale == scale_) return;
  scale_ = scale;
  SDL_SetWindowSize(window_->Get(), kPictureWidth * scale_, kPictureHeight * scale_);
  SDL_SetWindowPosition(window_->Get(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

void SdlPlatform::ToggleFullscreen() {
  const bool want = !fullscreen_;
  if (SDL_SetWindowFullscreen(window_->Get(), want ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
    std::fprintf(stderr, "wispen: cannot switch %s: %s\n", want ? "to full screen" : "back to the window",
                 SDL_GetError());
    return;
  }
  fullscreen_ = want;
  dirty_ = mustDraw_ = true;
  UpdateConfinement();
  if (fullscreenChanged_) fullscreenChanged_(fullscreen_);
}

// The grab holds the pointer in the window; one on a border goes back onto the picture's edge. (SDL's own
// confinement rectangle is not used: it reports positions held inside it while the real pointer is not.)
void SdlPlatform::KeepOnPicture(int x, int y) {
  const TRect& r = *confinedTo_;
  const int cx = std::clamp(x, r.Left, r.Right - 1);
  const int cy = std::clamp(y, r.Top, r.Bottom - 1);
  if (cx != x || cy != y) SDL_WarpMouseInWindow(window_->Get(), cx, cy);
}

void SdlPlatform::UpdateConfinement() {
  const MainWindowEvents* main = App() != nullptr ? App()->MainWindow() : nullptr;
  // A script is the only mouse of its run: the real pointer is left alone.
  const bool want = confineMouse_ && !scripted_ && !inModal_ && main != nullptr && !App()->Closed() &&
                    (SDL_GetWindowFlags(window_->Get()) & SDL_WINDOW_INPUT_FOCUS) != 0 &&
                    main->PointerInPlay();
  std::optional<TRect> rect;
  if (want) rect = PictureRectInWindow(WindowSize(), window_->DrawableSize());
  if (rect == confinedTo_) return;
  confinedTo_ = rect;
  SDL_SetWindowMouseGrab(window_->Get(), rect ? SDL_TRUE : SDL_FALSE);
  if (rect) {
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    KeepOnPicture(x, y);
  }
}

// Time passes on the game clock (see LogicalClock): ticks fire at their due times, so tick k of a timer comes
// at its start + k x Interval whatever the loop's delays; with `until`, the clock ends at exactly that time,
// as a headless wait does. Given `holds`, it also stops as soon as that is true after a turn of the loop, and
// says so.
bool SdlPlatform::Pump(std::optional<int64_t> until, const std::function<bool()>& holds) {
  Application& app = *App();
  while (!app.Closed()) {
    if (holds && holds()) return true;
    std::optional<int64_t> deadline = Timers().NextDue();
    if (until && (!deadline || *until < *deadline)) {
      if (clock_->RealNow() >= *until) {
        clock_->AdvanceTo(*until);
        return false;
      }
      deadline = until;
    }
    SDL_Event e;
    if (WaitForEvent(e, deadline)) {
      Handle(e);
      // Then what else has come by now, but not what comes while these run: the timers get their turn.
      SDL_PumpEvents();
      while (!app.Closed() && SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1)
        Handle(e);
    }
    RunDueTick(until);
    if (dirty_ && !app.Closed()) Present();
  }
  return false;
}

// The earliest due tick, once real time has come to it. A tick late by a whole period or more would be
// followed by a burst of catch-up ticks: the game clock holds back instead, and a recording notes it.
// A tick due after `until` waits, however late real time is: a stalled wait must not let it slip in before
// the script's next input, which a headless run puts first.
void SdlPlatform::RunDueTick(std::optional<int64_t> until) {
  const std::optional<int64_t> due = Timers().NextDue();
  if (!due || App()->Closed() || (until && *due > *until)) return;
  const int64_t late = clock_->RealNow() - *due;
  if (late < 0) return;
  const TTimer* timer = Timers().DueAt(*due);
  if (timer != nullptr && late >= std::max(timer->Interval(), 1)) {
    clock_->HoldBack(late);
    if (GetRecorder() != nullptr)
      GetRecorder()->Note("a tick at " + std::to_string(*due) + " ms came " + std::to_string(late) +
                          " ms late");
  }
  clock_->AdvanceTo(*due);
  App()->RunDueTimers(*due);
}

bool SdlPlatform::WaitForEvent(SDL_Event& e, std::optional<int64_t> deadline) {
  if (!deadline) {
    // Nothing is due: sleep until input comes.
    if (SDL_WaitEvent(&e) != 0) return true;
    throw std::runtime_error(std::string("the window's events cannot be read: ") + SDL_GetError());
  }
  const int64_t left = *deadline - clock_->RealNow();
  // Something is due now: take what input is there and go on to it without sleeping.
  if (left <= 0) return SDL_PollEvent(&e) != 0;
  return SDL_WaitEventTimeout(&e, static_cast<int>(std::min<int64_t>(left, INT_MAX))) != 0;
}

void SdlPlatform::Handle(const SDL_Event& e) {
  if (const std::optional<unsigned long> lost = X11Session::Lost(e)) {
    if (*lost == X11Session::IdOf(window_->Get())) EndWithoutAsking("the window was destroyed");
    return;
  }
  switch (e.type) {
    case SDL_QUIT:
      // SIGINT or SIGTERM (Ctrl+C, the session ending): the game ends now, keeping the progress if it can.
      EndWithoutAsking("asked to end");
      break;
    case SDL_WINDOWEVENT:
      if (e.window.windowID != window_->Id()) break;
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
        CloseBox();
      } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED) {
        dirty_ = mustDraw_ = true;
      } else if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        dirty_ = mustDraw_ = true;
        UpdateConfinement();
      } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED ||
                 e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        UpdateConfinement();
      }
      break;
    case SDL_KEYDOWN:
      HandleKeyDown(e);
      break;
    case SDL_MOUSEMOTION:
      HandleMouseMotion(e);
      break;
    case SDL_MOUSEBUTTONDOWN:
      HandleMouseDown(e);
      break;
    default:
      break;
  }
}

void SdlPlatform::EndWithoutAsking(const char* why) {
  if (!App()->Closed()) {
    // The run ends here: a recording takes its end state, a replay was stopped.
    stoppedByPlayer_ = scripted_;
    if (!scripted_ && GetRecorder() != nullptr) {
      clock_->PlaceInput(Timers().NextDue());
      GetRecorder()->End(*App());
    }
  }
  const std::string failure = App()->CloseWithoutAsking();
  if (failure.empty()) return;
  std::fprintf(stderr, "wispen: %s, and the progress could not be saved: %s\n", why, failure.c_str());
  endStatus_ = 1;
}

// Called from inside the X request that found the display gone: nothing of the window system can be used
// any more, so the game saves and the program ends here, without the clean-up that would need the display.
void SdlPlatform::EndWithDisplayGone() {
  if (App() != nullptr) {
    EndWithoutAsking("the display is gone");
  } else {
    std::fprintf(stderr, "wispen: the display is gone\n");
  }
  std::fflush(nullptr);
  std::_Exit(App() != nullptr ? endStatus_ : 1);
}

void SdlPlatform::HandleMouseMotion(const SDL_Event& e) {
  if (scripted_ || e.motion.windowID != window_->Id()) return;
  if (confinedTo_) KeepOnPicture(e.motion.x, e.motion.y);
  // A mouse move reports where the pointer is now, as on Windows: of a run of moves waiting together only the
  // last is passed on.
  SDL_Event next;
  if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
      next.type == SDL_MOUSEMOTION && next.motion.windowID == e.motion.windowID) {
    return;
  }
  const TShiftState shift = ModifierFlags(SDL_GetModState()) | ButtonFlags(e.motion.state);
  GameMouseMove(shift, ToPicture(e.motion.x, e.motion.y));
}

// The player's input reaches the game at its place on the game clock; a recording writes it down there.
void SdlPlatform::GameMouseMove(TShiftState shift, TPoint at) {
  clock_->PlaceInput(Timers().NextDue());
  seen_ = at;
  if (GetRecorder() != nullptr) GetRecorder()->Move(at.X, at.Y);
  App()->MouseMove(shift, at.X, at.Y);
}

void SdlPlatform::CloseBox() {
  if (App()->Closed()) return;
  stoppedByPlayer_ = scripted_;
  Recorder* recorder = scripted_ ? nullptr : GetRecorder();
  if (!scripted_) clock_->PlaceInput(Timers().NextDue());
  if (recorder != nullptr) recorder->End(*App());
  if (!App()->CloseBox() && recorder != nullptr) recorder->Close();
}

void SdlPlatform::HandleMouseDown(const SDL_Event& e) {
  if (scripted_ || e.button.windowID != window_->Id()) return;
  const std::optional<TMouseButton> button = GameButton(e.button.button);
  if (!button) return;
  const TShiftState shift =
      PressFlags(*button, e.button.clicks, SDL_GetModState(), SDL_GetMouseState(nullptr, nullptr));
  const TPoint at = ToPicture(e.button.x, e.button.y);
  // A script's press moves the mouse there first when it was elsewhere; so does this, that a replay goes
  // alike.
  if (seen_.X != at.X || seen_.Y != at.Y)
    GameMouseMove(ModifierFlags(SDL_GetModState()) | ButtonFlags(SDL_GetMouseState(nullptr, nullptr)), at);
  if (App()->Closed()) return;
  clock_->PlaceInput(Timers().NextDue());
  if (GetRecorder() != nullptr) GetRecorder()->Press(*button, shift, at.X, at.Y);
  App()->MouseDown(*button, shift, at.X, at.Y);
}

void SdlPlatform::HandleKeyDown(const SDL_Event& e) {
  if (e.key.windowID != window_->Id()) return;
  // A held key repeats: only its first press counts, so a toggle does not flip back.
  if (e.key.repeat != 0) return;
  const SDL_Keycode key = e.key.keysym.sym;
  const bool enter = key == SDLK_RETURN || key == SDLK_KP_ENTER;
  if (key == SDLK_F11 || (enter && (e.key.keysym.mod & KMOD_ALT) != 0)) {
    ToggleFullscreen();
    return;
  }
  if (scripted_) {
    // Watching a replay, Esc ends it.
    if (key == SDLK_ESCAPE) CloseBox();
    return;
  }
  std::optional<GameKey> game;
  if (key == SDLK_ESCAPE) {
    game = GameKey::Escape;
  } else if (key == SDLK_SPACE) {
    game = GameKey::Space;
  } else if (enter) {
    game = GameKey::Return;
  }
  if (!game) return;
  clock_->PlaceInput(Timers().NextDue());
  if (GetRecorder() != nullptr) GetRecorder()->Key(*game);
  App()->KeyDown(*game);
}

// After every handler: the picture may have changed, and a warp's mouse move is due. That move comes right
// after the handler that warped, before any timer ticks, so the soul starts where the pointer was put; the
// window system's own report of the jump comes later and repeats the same place.
void SdlPlatform::AfterHandler() {
  dirty_ = true;
  UpdateConfinement();
  while (warp_ && App() != nullptr && !App()->Closed()) {
    const TPoint at = *warp_;
    warp_.reset();
    seen_ = at;
    App()->MouseMove(scripted_ ? 0 : HeldNow(), at.X, at.Y);
  }
}

TShiftState SdlPlatform::HeldNow() const {
  return ModifierFlags(SDL_GetModState()) | ButtonFlags(SDL_GetMouseState(nullptr, nullptr));
}

// The loop asks for a drawing after every handler, and most of them (a mouse move in play) change nothing on
// the screen: comparing the picture costs a few hundredths of a millisecond, drawing it at 3x well over one.
// What changed since the picture last shown is all that is drawn again, where the window still holds that
// one.
void SdlPlatform::Present(bool always) {
  dirty_ = false;
  const MainWindowEvents* main = App() != nullptr ? App()->MainWindow() : nullptr;
  const PictureView view = FitPicture(window_->DrawableSize());
  const TBitmap& picture = main != nullptr ? main->ScreenPicture() : noPicture_;
  const std::vector<TColor>& pixels = picture.Pixels();
  // The rows written are counted by the picture itself: another picture, even of the same size, is new.
  const bool placed = &picture == shownPicture_ && shown_.size() == pixels.size() &&
                      shownWidth_ == picture.Width() && shownX_ == view.X && shownY_ == view.Y &&
                      shownScale_ == view.Scale;
  const std::optional<TRect> changed =
      placed ? TakeChanges(shown_, pixels, picture.Width(), picture.WrittenRows()) : std::nullopt;
  // From here `shown_` is the picture (below, if it was not placed).
  picture.ForgetWrittenRows();
  const bool same = placed && !changed;
  if (same && !always && !mustDraw_) return;
  const bool whole = !placed || always || mustDraw_;
  if (!placed) {
    shown_ = pixels;
    shownPicture_ = &picture;
    shownWidth_ = picture.Width();
    shownX_ = view.X;
    shownY_ = view.Y;
    shownScale_ = view.Scale;
  }
  // `shown_` is the new picture already: should it not get to the window, the next one is drawn whole.
  mustDraw_ = true;
  window_->Present(picture, view.X, view.Y, view.Scale, whole ? nullptr : &*changed);
  mustDraw_ = false;
}

void SdlPlatform::RunMessageBox(const std::string& caption, const std::string& text, MessageIcon icon) {
  // A script cannot answer a box: as in a headless run, the box (already in the log) is dismissed at once.
  if (scripted_) return;
  MessageBoxDialog box(Text(), LanguageId(), caption, text, icon, MessageBoxDialog::Buttons::Ok);
  ShowBox(box, caption, text);
}

bool SdlPlatform::RunQuestionBox(const std::string& caption, const std::string& text) {
  // A script cannot answer either: No, which leaves things as they are.
  if (scripted_) return false;
  MessageBoxDialog box(Text(), LanguageId(), caption, text, MessageIcon::None,
                       MessageBoxDialog::Buttons::YesNo);
  ShowBox(box, caption, text);
  return box.Chosen() == MessageBoxDialog::Answer::Yes;
}

void SdlPlatform::ShowBox(MessageBoxDialog& box, const std::string& caption, const std::string& text) {
  ModalPointer released(*this);
  try {
    RunDialogWindow(
        box, Text(), *window_, [this] { Present(true); }, DialogPlacement::CentredOnOwner);
  } catch (const std::runtime_error& e) {
    // No box can be shown: the message is not lost for that.
    std::fprintf(stderr, "wispen: %s: %s (%s)\n", caption.c_str(), text.c_str(), e.what());
  }
  dirty_ = mustDraw_ = true;
}

void SdlPlatform::RunModal(ModalDialog& dialog) {
  if (scripted_) {
    CloseScripted(dialog);
    return;
  }
  ModalPointer released(*this);
  RunDialogWindow(dialog, Text(), *window_, [this] { Present(true); });
  dirty_ = mustDraw_ = true;
}

void SdlPlatform::ApplyCursorVisible(bool visible) {
  SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

}  // namespace wispen
