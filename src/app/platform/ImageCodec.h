#pragma once

#include <string>

#include "Bitmap.h"

namespace wispen {

// Reads picture files into bitmaps and writes them out. Reading throws IoError for a file that is missing,
// unreadable or too large to hold.
class ImageCodec {
 public:
  virtual ~ImageCodec() = default;
  virtual TBitmap Load(const std::string& path) = 0;
  virtual void SavePng(const TBitmap& picture, const std::string& path) = 0;
  virtual void SaveBmp(const TBitmap& picture, const std::string& path) = 0;
};

}  // namespace wispen
