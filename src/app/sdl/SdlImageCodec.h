#pragma once

#include "platform/ImageCodec.h"

namespace wispen {

// Pictures through SDL2_image: every BMP variant and PNG in, PNG and BMP out.
class SdlImageCodec : public ImageCodec {
 public:
  TBitmap Load(const std::string& path) override;
  void SavePng(const TBitmap& picture, const std::string& path) override;
  void SaveBmp(const TBitmap& picture, const std::string& path) override;
};

}  // namespace wispen
