#pragma once

#include <functional>
#include <optional>

struct SDL_Window;
union SDL_Event;

namespace wispen {

// What SDL leaves to the program about the X connection under its windows. Xlib's default is to end the
// program at the first error about a window that is gone, or when the connection breaks. While a session
// lives, a window destroyed from outside (xdotool windowclose, a crashing window manager) becomes an event
// that the message loops see, and the loss of the display calls `displayLost`, which ends the program itself
// (Xlib does when it returns). Does nothing when SDL draws through another window system.
//
// It must be made before SDL's video starts and go after it has stopped: SDL wraps the error handler it finds
// and puts it back as it closes the display, when the last requests on a destroyed window fail.
class X11Session {
 public:
  explicit X11Session(std::function<void()> displayLost);
  ~X11Session();
  X11Session(const X11Session&) = delete;
  X11Session& operator=(const X11Session&) = delete;

  // Watches the display of the game's main window from now on.
  void Attach(SDL_Window* main);

  // When `e` says that a window is gone: its X window id.
  static std::optional<unsigned long> Lost(const SDL_Event& e);
  // The X window id of an SDL window (0 when it is not an X window).
  static unsigned long IdOf(SDL_Window* window);
  // Whether the X server of `window` lets its clients draw on a graphics card (it offers DRI3 or DRI2); empty
  // when it is not an X window. Without either, as on a virtual display, OpenGL can only draw on the CPU.
  static std::optional<bool> OffersDirectRendering(SDL_Window* window);
  // The display's bell, the desktop's own beep.
  void Bell();

 private:
  void* display_ = nullptr;
  std::function<void()> displayLost_;
};

}  // namespace wispen
