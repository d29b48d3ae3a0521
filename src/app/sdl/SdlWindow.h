#pragma once

#include <cstdint>

#include "platform/Bitmap.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Surface;

namespace wispen {

// A window that shows one picture, scaled by whole pixels: owns the window, its renderer and the streaming
// texture the picture is uploaded to; or, where the renderer would only draw in software, no renderer: the
// picture is then written to the window's surface directly.
class SdlWindow {
 public:
  // Takes ownership of `window` (not null) and gives it a renderer, unless that could only draw in software.
  // Throws std::runtime_error when there is none; the window is destroyed then.
  explicit SdlWindow(SDL_Window* window);
  ~SdlWindow();
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  SDL_Window* Get() const { return window_; }
  uint32_t Id() const { return id_; }

  // Shows `picture` with its top-left at (x, y) of the drawable, each pixel a scale x scale square; the rest
  // is black. Throws std::runtime_error when the picture cannot be uploaded.
  void Present(const TBitmap& picture, int x = 0, int y = 0, int scale = 1);
  // The size of what is drawn into, in pixels: larger than the window's size on a high-DPI display.
  TSize DrawableSize() const;

 private:
  void EnsureTexture(int width, int height);
  void PresentOnSurface(const TBitmap& picture, int x, int y, int scale);

  SDL_Window* window_;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int textureWidth_ = 0;
  int textureHeight_ = 0;
  uint32_t id_ = 0;
};

}  // namespace wispen
