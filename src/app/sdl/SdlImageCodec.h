#pragma once

#include <cstdint>
#include <span>

#include "platform/ImageCodec.h"

namespace wispen {

// Pictures in: every BMP variant and PNG, through SDL2_image, except 16- and 32-bit BMPs, which are decoded
// here so that their colours come through exact, and plain 8-bit and RLE8 BMPs of one possible reading,
// decoded here for speed. Pictures out: PNG and BMP.
class SdlImageCodec : public ImageCodec {
 public:
  using ImageCodec::Load;
  TBitmap Load(const std::string& path, const PictureLimit& limit) override;
  // An 8-bit BMP of one possible reading goes straight to indices, never through 32 bits.
  PalettePicture LoadPalette(const std::string& path, const PictureLimit& limit) override;
  void SavePng(const TBitmap& picture, const std::string& path) override;
  void SaveBmp(const TBitmap& picture, const std::string& path) override;
};

// A BMP file's bytes as SDL2_image alone reads them, with none of the decoders here: the reading that the
// palette decoder must give back pixel for pixel. Throws IoError where SDL refuses the file.
TBitmap DecodeBmpThroughSdl(std::span<const uint8_t> file);

}  // namespace wispen
