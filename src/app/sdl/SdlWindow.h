#pragma once

#include <cstdint>
#include <vector>

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
  // is black. Given `changed`, the picture differs from the one shown last, at the same place and scale, only
  // inside that rectangle of it: where the window still holds that one, only the rectangle is drawn. Throws
  // std::runtime_error when the picture cannot be uploaded.
  void Present(const TBitmap& picture, int x = 0, int y = 0, int scale = 1, const TRect* changed = nullptr);
  // The size of what is drawn into, in pixels: larger than the window's size on a high-DPI display.
  TSize DrawableSize() const;

 private:
  void EnsureTexture(int width, int height);
  void PresentOnSurface(const TBitmap& picture, int x, int y, int scale, const TRect* changed);

  SDL_Window* window_;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int textureWidth_ = 0;
  int textureHeight_ = 0;
  uint32_t id_ = 0;
  // The surface written whole last, and what went there: a later picture in the same place needs only its
  // changes written. (SDL makes a new surface when the window's size changes.)
  struct Drawn {
    SDL_Surface* surface = nullptr;
    void* pixels = nullptr;
    int w = 0, h = 0, pitch = 0;
    int x = 0, y = 0, scale = 0, width = 0, height = 0;
    friend bool operator==(const Drawn&, const Drawn&) = default;
  };
  Drawn drawn_;
  std::vector<uint32_t> row_;  // one row of the picture, widened
};

}  // namespace wispen
