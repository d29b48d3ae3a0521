#pragma once

#include <cstdint>
#include <string>

#include "Bitmap.h"
#include "PalettePicture.h"

namespace wispen {

// The largest picture a use takes, checked against the picture's header before memory is taken for its
// pixels. The default is the most any picture may be: no side over 16384 and 64 Mi pixels (256 MiB).
struct PictureLimit {
  int64_t MaxWidth = 16384;
  int64_t MaxHeight = 16384;
  uint64_t MaxPixels = uint64_t{64} << 20;

  bool Allows(int64_t width, int64_t height) const {
    return width <= MaxWidth && height <= MaxHeight &&
           static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= MaxPixels;
  }
};

// Reads picture files into bitmaps and writes them out. Reading throws IoError for a file that is missing,
// unreadable, too large to hold or larger than the limit.
class ImageCodec {
 public:
  virtual ~ImageCodec() = default;
  virtual TBitmap Load(const std::string& path, const PictureLimit& limit) = 0;
  TBitmap Load(const std::string& path) { return Load(path, PictureLimit{}); }
  // The same picture, held as indices where it has at most 256 colours.
  virtual PalettePicture LoadPalette(const std::string& path, const PictureLimit& limit) {
    return PalettePicture(Load(path, limit));
  }
  virtual void SavePng(const TBitmap& picture, const std::string& path) = 0;
  virtual void SaveBmp(const TBitmap& picture, const std::string& path) = 0;
};

}  // namespace wispen
