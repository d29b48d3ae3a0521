#include "SdlWindow.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "X11Session.h"
#include "platform/PixelRows.h"

namespace wispen {

namespace {

// SDL's own software renderer, or an OpenGL that draws on the CPU (a virtual display's, a machine's without
// a graphics driver): both lose to writing the window's surface directly.
bool DrawsInSoftware(SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0) return false;
  if (std::strcmp(info.name, "software") == 0) return true;
  if (std::strncmp(info.name, "opengl", 6) != 0) return false;
  // The renderer's context is the current one: its GL names the rasteriser.
  using GetString = const unsigned char* (*)(unsigned);
  constexpr unsigned kGlRenderer = 0x1F01;
  auto get = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = get != nullptr ? get(kGlRenderer) : nullptr;
  if (name == nullptr) return false;
  const std::string rasteriser(reinterpret_cast<const char*>(name));
  for (const char* soft : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"})
    if (rasteriser.find(soft) != std::string::npos) return true;
  return false;
}

}  // namespace

SdlWindow::SdlWindow(SDL_Window* window) : window_(window), id_(SDL_GetWindowID(window)) {
  // No vsync: a present must not hold up the loop, whose timers tick every 10 ms at the fastest.
  // A window's surface is the one the display system gives (shared memory on X11), not one that SDL would
  // upload through an OpenGL renderer of its own every frame: only a window without a renderer of ours
  // draws on it. (The variable SDL_FRAMEBUFFER_ACCELERATION still has its say.)
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // An X server without direct rendering (a virtual display) leaves OpenGL only the CPU: it is not even
  // loaded then (tens of megabytes), unless the user named a renderer.
  const char* named = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  if ((named == nullptr || *named == 0) && X11Session::OffersDirectRendering(window_) == false) return;
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (renderer_ == nullptr) {
    const std::string error = SDL_GetError();
    SDL_DestroyWindow(window_);
    throw std::runtime_error("cannot draw into the window: " + error);
  }
  // SDL's software renderer clears the whole window, stretches the picture pixel by pixel and then copies it
  // to the window's surface: at scale 3 that took over 20 ms a frame. Written to the surface directly, with
  // each row widened once and repeated, it takes a few.
  if (DrawsInSoftware(renderer_)) {
    SDL_DestroyRenderer(renderer_);
    renderer_ = nullptr;
  }
}

SdlWindow::~SdlWindow() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  SDL_DestroyWindow(window_);
}

void SdlWindow::EnsureTexture(int width, int height) {
  if (texture_ != nullptr && textureWidth_ == width && textureHeight_ == height) return;
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  textureWidth_ = textureHeight_ = 0;
  // A TColor is 0x00BBGGRR, which is SDL's XBGR8888: the bitmap's pixels go up as they are.
  texture_ =
      SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XBGR8888, SDL_TEXTUREACCESS_STREAMING, width, height);
  if (texture_ == nullptr)
    throw std::runtime_error(std::string("cannot make the window's picture: ") + SDL_GetError());
  // Whole-pixel scaling must not blur: every screen pixel stays a sharp square.
  SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
  textureWidth_ = width;
  textureHeight_ = height;
}

TSize SdlWindow::DrawableSize() const {
  TSize size;
  if (renderer_ == nullptr || SDL_GetRendererOutputSize(renderer_, &size.cx, &size.cy) != 0)
    SDL_GetWindowSize(window_, &size.cx, &size.cy);
  return size;
}

void SdlWindow::Present(const TBitmap& picture, int x, int y, int scale, const TRect* changed) {
  if (renderer_ == nullptr) {
    PresentOnSurface(picture, x, y, scale, changed);
    return;
  }
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  if (!picture.Empty()) {
    EnsureTexture(picture.Width(), picture.Height());
    SDL_UpdateTexture(texture_, nullptr, picture.Pixels().data(), picture.Width() * 4);
    const SDL_Rect dest{x, y, picture.Width() * scale, picture.Height() * scale};
    SDL_RenderCopy(renderer_, texture_, nullptr, &dest);
  }
  SDL_RenderPresent(renderer_);
}

namespace {

// Black everywhere in `surface` outside `inside`.
void FillAround(SDL_Surface* surface, const SDL_Rect& inside) {
  const uint32_t black = SDL_MapRGB(surface->format, 0, 0, 0);
  const int w = surface->w, h = surface->h;
  const SDL_Rect bands[] = {{0, 0, w, inside.y},
                            {0, inside.y + inside.h, w, h - inside.y - inside.h},
                            {0, inside.y, inside.x, inside.h},
                            {inside.x + inside.w, inside.y, w - inside.x - inside.w, inside.h}};
  for (const SDL_Rect& band : bands)
    if (band.w > 0 && band.h > 0) SDL_FillRect(surface, &band, black);
}

}  // namespace

void SdlWindow::PresentOnSurface(const TBitmap& picture, int x, int y, int scale, const TRect* changed) {
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (surface == nullptr)
    throw std::runtime_error(std::string("cannot draw into the window: ") + SDL_GetError());
  scale = std::max(scale, 1);
  const uint32_t format = surface->format->format;
  const bool direct = format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_BGR888;
  const Drawn now{surface, surface->pixels, surface->w,      surface->h,      surface->pitch, x,
                  y,       scale,           picture.Width(), picture.Height()};
  const bool partial = changed != nullptr && direct && now == drawn_;
  drawn_ = {};  // until this picture is all there
  const SDL_Rect dest{x, y, picture.Width() * scale, picture.Height() * scale};
  // What is written, in the window's pixels: the changes only, or the picture and the black around it.
  SDL_Rect area = dest;
  if (partial) {
    area = {x + changed->Left * scale, y + changed->Top * scale, changed->Width() * scale,
            changed->Height() * scale};
  } else {
    FillAround(surface, dest);
  }
  // Only the part inside the surface is written.
  const int left = std::max(0, area.x), right = std::min(surface->w, area.x + area.w);
  const int top = std::max(0, area.y), bottom = std::min(surface->h, area.y + area.h);
  if (!picture.Empty() && direct) {
    const bool swap = format == SDL_PIXELFORMAT_RGB888;
    if (left < right && top < bottom) {
      if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
      // Kept from one present to the next: made afresh each time, its place in the heap moved with whatever
      // else the game had allocated, and the copies out of it into the window's memory cost up to a fifth
      // more of the main thread's time in play from one build to the next.
      std::vector<uint32_t>& row = row_;
      row.resize(static_cast<size_t>(right - left));
      int widened = -1;  // the source row `row` holds
      for (int dy = top; dy < bottom; ++dy) {
        const int sy = (dy - y) / scale;
        if (sy != widened) {
          const TColor* source = picture.Pixels().data() + static_cast<size_t>(sy) * picture.Width();
          if ((left - x) % scale == 0 && (right - x) % scale == 0) {  // whole pixels: the usual case
            WidenRow(source + (left - x) / scale, (right - left) / scale, scale, swap, row.data());
          } else {
            // No division per pixel: a source pixel is written `scale` times, from where the clip begins.
            int sx = (left - x) / scale, repeat = (left - x) % scale;
            for (int dx = left; dx < right; ++dx) {
              const uint32_t p = source[sx];
              row[dx - left] = swap ? SwapRedBlue(p) : p;
              if (++repeat == scale) {
                repeat = 0;
                ++sx;
              }
            }
          }
          widened = sy;
        }
        auto* line = static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(dy) * surface->pitch;
        StreamRow(reinterpret_cast<uint32_t*>(line) + left, row.data(), row.size());
      }
      StreamedRowsDone();
      if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    }
  } else if (!picture.Empty()) {
    // Any other layout of the surface: SDL converts and stretches.
    auto* pixels = const_cast<TColor*>(picture.Pixels().data());
    SDL_Surface* from = SDL_CreateRGBSurfaceWithFormatFrom(pixels, picture.Width(), picture.Height(), 32,
                                                           picture.Width() * 4, SDL_PIXELFORMAT_XBGR8888);
    if (from == nullptr)
      throw std::runtime_error(std::string("cannot make the window's picture: ") + SDL_GetError());
    SDL_Rect to = dest;
    SDL_BlitScaled(from, nullptr, surface, &to);
    SDL_FreeSurface(from);
  }
  if (!partial) {
    SDL_UpdateWindowSurface(window_);
  } else if (left < right && top < bottom) {
    const SDL_Rect shown{left, top, right - left, bottom - top};
    SDL_UpdateWindowSurfaceRects(window_, &shown, 1);
  }
  drawn_ = now;
}

}  // namespace wispen
