#include "ServerPixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <cstring>

namespace wispen::test {

std::vector<TColor> ShownByTheServer(unsigned long window, int w, int h) {
  std::vector<TColor> shown;
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return shown;
  XImage* image = XGetImage(display, window, 0, 0, w, h, AllPlanes, ZPixmap);
  if (image != nullptr && image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 &&
      image->green_mask == 0xFF00 && image->blue_mask == 0xFF) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        uint32_t p = 0;
        std::memcpy(&p, image->data + static_cast<size_t>(y) * image->bytes_per_line + x * 4, 4);
        shown.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
      }
    }
  }
  if (image != nullptr) XDestroyImage(image);
  XCloseDisplay(display);
  return shown;
}

}  // namespace wispen::test
