#pragma once

#include <cstdint>

namespace wispen::assets_data {

// A built-in picture as the build embeds it: a palette of at most 256 entries and one index byte per pixel,
// row by row from the top. A palette entry is a colour 0x00BBGGRR with bit 24 set where the sprite is
// (its mask is black there); in an opaque picture every entry has it set.
struct EncodedPicture {
  int width;
  int height;
  bool masked;
  int paletteSize;
  const uint32_t* palette;
  const char* indices;
};

constexpr uint32_t kInsideBit = 1u << 24;

// Defined by the generated source (see gen/main.cpp).
extern const EncodedPicture kFrame;
extern const EncodedPicture kSoul;
extern const EncodedPicture kCurtain;
extern const EncodedPicture kButton;
extern const EncodedPicture kBeam;
extern const EncodedPicture kAngel;
extern const EncodedPicture kIcon;
extern const EncodedPicture kBurst[7];
extern const EncodedPicture kDevil[8];
extern const EncodedPicture kStages[10];
extern const EncodedPicture kDigits[11];

}  // namespace wispen::assets_data
