#pragma once

#include <SDL.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Application.h"
#include "platform/TextEngine.h"

namespace wispen::test {

struct MoveSeen {
  TShiftState shift;
  int x, y;
  friend bool operator==(const MoveSeen&, const MoveSeen&) = default;
  friend std::ostream& operator<<(std::ostream& out, const MoveSeen& m) {
    return out << "move " << int(m.shift) << " " << m.x << "," << m.y;
  }
};

struct PressSeen {
  TMouseButton button;
  TShiftState shift;
  int x, y;
  friend bool operator==(const PressSeen&, const PressSeen&) = default;
  friend std::ostream& operator<<(std::ostream& out, const PressSeen& p) {
    return out << "press " << int(p.button) << " " << int(p.shift) << " " << p.x << "," << p.y;
  }
};

// The main window as the game would be: it records what reaches it and runs what a test hangs on its events.
class FakeGame : public MainWindowEvents {
 public:
  FakeGame() : screen(640, 480) {}

  std::function<void()> onShow;
  std::function<void()> onClose;
  std::function<void(const MoveSeen&)> onMove;
  std::function<void(const PressSeen&)> onPress;

  int shows = 0;
  int closes = 0;
  int unsavedCloses = 0;
  std::vector<MoveSeen> moves;
  std::vector<PressSeen> presses;
  TBitmap screen;

  void FormShow() override {
    ++shows;
    if (onShow) onShow();
  }
  void FormClose() override {
    ++closes;
    if (onClose) onClose();
  }
  void FormCloseUnsaved() override { ++unsavedCloses; }
  void ScreenImageMouseMove(TShiftState shift, int x, int y) override {
    moves.push_back({shift, x, y});
    if (onMove) onMove(moves.back());
  }
  void ScreenImageMouseDown(TMouseButton button, TShiftState shift, int x, int y) override {
    presses.push_back({button, shift, x, y});
    if (onPress) onPress(presses.back());
  }
  const TBitmap& ScreenPicture() const override { return screen; }
  void AppendState(StateList& state) const override {
    state.emplace_back("Moves", std::to_string(moves.size()));
  }
};

// Text that draws nothing: these tests look at windows and input, not at letters.
class BlankText : public TextEngine {
 public:
  TextCoverage Render(const TFont&, const std::string&) override { return {}; }
  TSize Measure(const TFont&, const std::string&) override { return {}; }
};

inline void PushButton(uint32_t window, Uint32 type, uint8_t button, int x, int y, uint8_t clicks = 1) {
  SDL_Event e{};
  e.type = type;
  e.button.windowID = window;
  e.button.button = button;
  e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.button.clicks = clicks;
  e.button.x = x;
  e.button.y = y;
  SDL_PushEvent(&e);
}

inline void PushMotion(uint32_t window, int x, int y, uint32_t buttons = 0) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = window;
  e.motion.state = buttons;
  e.motion.x = x;
  e.motion.y = y;
  SDL_PushEvent(&e);
}

inline void PushKey(uint32_t window, SDL_Keycode key) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.windowID = window;
  e.key.state = SDL_PRESSED;
  e.key.keysym.sym = key;
  SDL_PushEvent(&e);
}

// The window's close box.
inline void PushClose(uint32_t window) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = window;
  e.window.event = SDL_WINDOWEVENT_CLOSE;
  SDL_PushEvent(&e);
}

// The open window with this title, if any.
inline SDL_Window* FindWindow(const std::string& title) {
  for (Uint32 id = 1; id < 256; ++id) {
    SDL_Window* w = SDL_GetWindowFromID(id);
    if (w != nullptr && title == SDL_GetWindowTitle(w)) return w;
  }
  return nullptr;
}

// Sets (or, with nullopt, removes) an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace wispen::test
