#include "SdlImageCodec.h"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>

#include "platform/Errors.h"

namespace wispen {

namespace {

struct SurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

// A TColor is 0x00BBGGRR, which is SDL's XBGR8888: the bitmap's pixels can be wrapped as they are.
Surface Wrap(const TBitmap& picture) {
  auto* pixels = const_cast<TColor*>(picture.Pixels().data());
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(pixels, picture.Width(), picture.Height(), 32,
                                                      picture.Width() * 4, SDL_PIXELFORMAT_XBGR8888);
  if (s == nullptr) throw IoError(std::string("cannot wrap picture: ") + SDL_GetError());
  return Surface(s);
}

}  // namespace

TBitmap SdlImageCodec::Load(const std::string& path) {
  Surface loaded(IMG_Load(path.c_str()));
  if (!loaded) throw IoError("cannot read the picture " + path + ": " + IMG_GetError());
  Surface converted(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_XBGR8888, 0));
  if (!converted) throw IoError("cannot convert the picture " + path + ": " + SDL_GetError());
  TBitmap out(converted->w, converted->h);
  SDL_LockSurface(converted.get());
  for (int y = 0; y < converted->h; ++y) {
    const auto* row =
        reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(converted->pixels) + y * converted->pitch);
    for (int x = 0; x < converted->w; ++x) out.At(x, y) = row[x] & 0x00FFFFFF;
  }
  SDL_UnlockSurface(converted.get());
  return out;
}

void SdlImageCodec::SavePng(const TBitmap& picture, const std::string& path) {
  if (picture.Empty()) throw IoError("cannot write an empty picture to " + path);
  Surface s = Wrap(picture);
  if (IMG_SavePNG(s.get(), path.c_str()) != 0) throw IoError("cannot write " + path + ": " + IMG_GetError());
}

void SdlImageCodec::SaveBmp(const TBitmap& picture, const std::string& path) {
  if (picture.Empty()) throw IoError("cannot write an empty picture to " + path);
  Surface s = Wrap(picture);
  Surface rgb(SDL_ConvertSurfaceFormat(s.get(), SDL_PIXELFORMAT_BGR24, 0));
  if (!rgb || SDL_SaveBMP(rgb.get(), path.c_str()) != 0) throw IoError("cannot write " + path + ": " + SDL_GetError());
}

}  // namespace wispen
