#include "CloseRequest.h"

#include <X11/Xlib.h>

namespace wispen::test {

namespace {

// A window that has gone already is no failure here; Xlib's own handler would end the process.
int IgnoreError(Display*, XErrorEvent*) {
  return 0;
}

}  // namespace

bool RequestClose(unsigned long window) {
  XSetErrorHandler(IgnoreError);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = window;
  e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  const bool sent = XSendEvent(display, window, False, NoEventMask, &e) != 0;
  XSync(display, False);
  XCloseDisplay(display);
  return sent;
}

}  // namespace wispen::test
