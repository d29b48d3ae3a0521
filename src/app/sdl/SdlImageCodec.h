#pragma once

#include "platform/ImageCodec.h"

namespace wispen {

// Pictures in: every BMP variant and PNG, through SDL2_image, except 16- and 32-bit BMPs, which are decoded
// here so that their colours come through exact. Pictures out: PNG and BMP.
class SdlImageCodec : public ImageCodec {
 public:
  using ImageCodec::Load;
  TBitmap Load(const std::string& path, const PictureLimit& limit) override;
  void SavePng(const TBitmap& picture, const std::string& path) override;
  void SaveBmp(const TBitmap& picture, const std::string& path) override;
};

}  // namespace wispen
