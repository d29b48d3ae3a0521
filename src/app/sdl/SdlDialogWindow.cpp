#include "SdlDialogWindow.h"

#include <SDL.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "SdlInput.h"
#include "X11Session.h"

namespace wispen {

namespace {

class DialogLoop {
 public:
  DialogLoop(ModalDialog& dialog, const SdlWindow& window, const SdlWindow& owner,
             const std::function<void()>& repaintOwner)
      : dialog_(dialog), window_(window), owner_(owner), repaintOwner_(repaintOwner) {}

  bool Open() const { return open_ && !dialog_.Finished(); }

  // Handles one event; returns whether the dialog's picture may have changed.
  bool Handle(const SDL_Event& e) {
    if (const std::optional<unsigned long> lost = X11Session::Lost(e)) {
      if (*lost == X11Session::IdOf(owner_.Get())) {
        Close();
        SDL_PushEvent(const_cast<SDL_Event*>(&e));
      } else if (*lost == X11Session::IdOf(window_.Get())) {
        Close();
      }
      return false;
    }
    switch (e.type) {
      case SDL_QUIT:
        // The session is ending: the dialog goes as by its close box, and the main window gets the request
        // once the dialog is gone.
        Close();
        SDL_PushEvent(const_cast<SDL_Event*>(&e));
        return false;
      case SDL_WINDOWEVENT:
        return HandleWindow(e.window);
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        const std::optional<TMouseButton> button = GameButton(e.button.button);
        if (e.button.windowID != window_.Id() || !button) return false;
        if (e.type == SDL_MOUSEBUTTONDOWN) {
          dialog_.MouseDown(*button, e.button.x, e.button.y);
        } else {
          dialog_.MouseUp(*button, e.button.x, e.button.y);
        }
        return true;
      }
      case SDL_KEYDOWN:
        // Keys pressed over the disabled main window belong to the dialog as well.
        dialog_.KeyDown(DialogKeyFor(e.key.keysym.sym));
        return true;
      default:
        return false;
    }
  }

 private:
  bool HandleWindow(const SDL_WindowEvent& w) {
    if (w.windowID == owner_.Id()) {
      // The main window's close box does nothing while the dialog is up.
      if (w.event == SDL_WINDOWEVENT_EXPOSED) repaintOwner_();
      return false;
    }
    if (w.windowID != window_.Id()) return false;
    if (w.event == SDL_WINDOWEVENT_CLOSE) {
      Close();
      return false;
    }
    return w.event == SDL_WINDOWEVENT_EXPOSED;
  }

  void Close() {
    dialog_.CloseBox();
    open_ = false;
  }

  ModalDialog& dialog_;
  const SdlWindow& window_;
  const SdlWindow& owner_;
  const std::function<void()>& repaintOwner_;
  bool open_ = true;
};

int DropInputFilter(void* userdata, SDL_Event* e) {
  const uint32_t id = *static_cast<const uint32_t*>(userdata);
  switch (e->type) {
    case SDL_MOUSEMOTION:
      return e->motion.windowID != id;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      return e->button.windowID != id;
    case SDL_MOUSEWHEEL:
      return e->wheel.windowID != id;
    case SDL_WINDOWEVENT:
      return e->window.windowID != id || e->window.event != SDL_WINDOWEVENT_CLOSE;
    default:
      return 1;
  }
}

}  // namespace

void RunDialogWindow(ModalDialog& dialog, TextEngine& text, const SdlWindow& owner,
                     const std::function<void()>& repaintOwner, DialogPlacement placement) {
  const TSize size = dialog.ClientSize();
  const int width = std::max(1, size.cx);
  const int height = std::max(1, size.cy);
  const int display = std::max(0, SDL_GetWindowDisplayIndex(owner.Get()));
  int x = SDL_WINDOWPOS_CENTERED_DISPLAY(display);
  int y = SDL_WINDOWPOS_CENTERED_DISPLAY(display);
  if (placement == DialogPlacement::CentredOnOwner) {
    // Placed by the game itself: without a window manager nothing else would put it over the game.
    int ox = 0, oy = 0, ow = 0, oh = 0;
    SDL_GetWindowPosition(owner.Get(), &ox, &oy);
    SDL_GetWindowSize(owner.Get(), &ow, &oh);
    x = ox + (ow - width) / 2;
    y = oy + (oh - height) / 2;
  }
  SDL_Window* raw = SDL_CreateWindow(dialog.Caption().c_str(), x, y, width, height,
                                     SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR);
  if (raw == nullptr)
    throw std::runtime_error(std::string("cannot open the dialog window: ") + SDL_GetError());
  SdlWindow window(raw);
  // Transient for the main window, so the window manager keeps it above the game and treats it as modal.
  SDL_SetWindowModalFor(window.Get(), owner.Get());
  SDL_RaiseWindow(window.Get());

  TBitmap picture(width, height);
  picture.Canvas().SetTextEngine(&text);
  const auto paint = [&] {
    dialog.Paint(picture.Canvas());
    window.Present(picture);
  };
  paint();

  DialogLoop loop(dialog, window, owner, repaintOwner);
  while (loop.Open()) {
    SDL_Event e;
    // Nothing ticks while a dialog is up, so there is no deadline: the loop sleeps until input comes.
    if (SDL_WaitEvent(&e) == 0)
      throw std::runtime_error(std::string("the dialog's events failed: ") + SDL_GetError());
    bool changed = loop.Handle(e);
    while (loop.Open() && SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
      changed = loop.Handle(e) || changed;
    }
    if (changed && loop.Open()) paint();
  }
  DropWindowInput(owner.Id());
}

void DropWindowInput(uint32_t windowId) {
  SDL_PumpEvents();
  SDL_FilterEvents(DropInputFilter, &windowId);
}

}  // namespace wispen
