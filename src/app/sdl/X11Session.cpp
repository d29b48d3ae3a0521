#include "X11Session.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <cstdint>

namespace wispen {

namespace {

// The previous handlers, put back when the session ends; one session at a time.
const std::function<void()>* displayLostNow = nullptr;
XErrorHandler previousErrors = nullptr;
XIOErrorHandler previousIoErrors = nullptr;
SDL_EventFilter previousFilter = nullptr;
void* previousFilterData = nullptr;

Uint32 LostEventType() {
  static const Uint32 type = SDL_RegisterEvents(1);
  return type;
}

// The first error number of the GLX extension, through which SDL's renderer draws; -1 until known.
int glxErrorBase = -1;

// GLXBadDrawable, GLXBadCurrentDrawable and GLXBadWindow, counted from the extension's first error.
bool IsGlxWindowError(int code) {
  return glxErrorBase >= 0 &&
         (code == glxErrorBase + 2 || code == glxErrorBase + 11 || code == glxErrorBase + 12);
}

// After a window has been destroyed from outside, SDL's next requests on it (drawing into it too) fail before
// its DestroyNotify is read: those errors are expected, not fatal. Any other error goes where it went before.
int OnError(Display* display, XErrorEvent* error) {
  if (error->error_code == BadWindow || error->error_code == BadDrawable ||
      IsGlxWindowError(error->error_code))
    return 0;
  return previousErrors != nullptr ? previousErrors(display, error) : 0;
}

// The connection is gone (any of the ones SDL keeps). Xlib ends the program when this returns, so the game
// is ended from here, in the middle of whatever X request found the loss.
int OnIoError(Display*) {
  if (displayLostNow != nullptr && *displayLostNow) (*displayLostNow)();
  return 0;
}

// The window system's raw events are wanted only for a destroyed window; the others are dropped here, so
// they never reach the queue (where they would stand between the mouse moves the loop merges).
int SDLCALL FilterWindowSystemEvents(void* data, SDL_Event* e) {
  if (e->type == SDL_SYSWMEVENT) {
    const SDL_SysWMmsg* msg = e->syswm.msg;
    if (msg == nullptr || msg->subsystem != SDL_SYSWM_X11 || msg->msg.x11.event.type != DestroyNotify)
      return 0;
    const unsigned long xid = msg->msg.x11.event.xdestroywindow.window;
    *e = SDL_Event{};
    e->type = LostEventType();
    e->user.data1 = reinterpret_cast<void*>(static_cast<uintptr_t>(xid));
    return 1;
  }
  return previousFilter != nullptr ? previousFilter(data, e) : 1;
}

Display* DisplayOf(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
    return nullptr;
  return info.info.x11.display;
}

}  // namespace

X11Session::X11Session(std::function<void()> displayLost) : displayLost_(std::move(displayLost)) {
  displayLostNow = &displayLost_;
  previousErrors = XSetErrorHandler(OnError);
  previousIoErrors = XSetIOErrorHandler(OnIoError);
}

void X11Session::Attach(SDL_Window* main) {
  Display* display = DisplayOf(main);
  if (display == nullptr || display_ != nullptr) return;
  display_ = display;
  int opcode = 0, firstEvent = 0, firstError = 0;
  if (XQueryExtension(display, "GLX", &opcode, &firstEvent, &firstError)) glxErrorBase = firstError;
  SDL_GetEventFilter(&previousFilter, &previousFilterData);
  SDL_SetEventFilter(FilterWindowSystemEvents, previousFilterData);
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

X11Session::~X11Session() {
  if (display_ != nullptr) {
    SDL_EventState(SDL_SYSWMEVENT, SDL_DISABLE);
    SDL_SetEventFilter(previousFilter, previousFilterData);
  }
  XSetIOErrorHandler(previousIoErrors);
  XSetErrorHandler(previousErrors);
  displayLostNow = nullptr;
}

std::optional<unsigned long> X11Session::Lost(const SDL_Event& e) {
  if (e.type != LostEventType()) return std::nullopt;
  return static_cast<unsigned long>(reinterpret_cast<uintptr_t>(e.user.data1));
}

unsigned long X11Session::IdOf(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
  return info.info.x11.window;
}

std::optional<bool> X11Session::OffersDirectRendering(SDL_Window* window) {
  Display* display = DisplayOf(window);
  if (display == nullptr) return std::nullopt;
  int opcode = 0, firstEvent = 0, firstError = 0;
  return XQueryExtension(display, "DRI3", &opcode, &firstEvent, &firstError) ||
         XQueryExtension(display, "DRI2", &opcode, &firstEvent, &firstError);
}

void X11Session::Bell() {
  if (display_ == nullptr) return;
  auto* display = static_cast<Display*>(display_);
  XBell(display, 0);
  XFlush(display);
}

}  // namespace wispen
