#include "SdlWindow.h"

#include <SDL.h>

#include <stdexcept>
#include <string>

namespace wispen {

SdlWindow::SdlWindow(SDL_Window* window) : window_(window), id_(SDL_GetWindowID(window)) {
  // No vsync: a present must not hold up the loop, whose timers tick every 10 ms at the fastest.
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (renderer_ == nullptr) {
    const std::string error = SDL_GetError();
    SDL_DestroyWindow(window_);
    throw std::runtime_error("cannot draw into the window: " + error);
  }
}

SdlWindow::~SdlWindow() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  SDL_DestroyRenderer(renderer_);
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
  if (SDL_GetRendererOutputSize(renderer_, &size.cx, &size.cy) != 0)
    SDL_GetWindowSize(window_, &size.cx, &size.cy);
  return size;
}

void SdlWindow::Present(const TBitmap& picture, int x, int y, int scale) {
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

}  // namespace wispen
