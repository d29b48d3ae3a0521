#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/Bitmap.h"

namespace wispen {

// The largest picture the game takes: no side over 16384 pixels and no more than 256 MiB of 32-bit pixels.
constexpr int64_t kMaxPictureSide = 16384;
constexpr uint64_t kMaxPictureBytes = uint64_t{256} << 20;

// Refuses with IoError a picture that has no pixels or is too large to hold, before any memory is taken for
// it.
void CheckPictureSize(int64_t width, int64_t height, const std::string& path);

// Enough of a BMP file's start to hold its file header, the largest info header and three colour masks.
constexpr size_t kBmpHeadBytes = 14 + 124 + 12;

// What the headers at the start of a BMP file say.
struct BmpHeader {
  uint32_t pixelOffset = 0;
  uint32_t infoSize = 0;
  int width = 0;
  int height = 0;  // rows, always positive
  bool topDown = false;
  int bitCount = 0;
  uint32_t compression = 0;
  uint32_t coloursUsed = 0;  // the palette's length as the header gives it (0: as many as the bits allow)
  uint32_t masks[3] = {};    // red, green, blue; filled for the pictures DecodesItself takes
};

bool IsBmp(std::span<const uint8_t> head);

// Reads the headers from the first bytes of a BMP file (all of them when it is shorter than kBmpHeadBytes).
// Throws IoError when they are cut short or describe a picture that is empty or too large to hold.
BmpHeader ParseBmpHeader(std::span<const uint8_t> head, const std::string& path);

// True for the 16- and 32-bit pictures, plain or with colour masks, that are decoded here rather than by SDL:
// SDL widens 16-bit colours by repeating bits instead of scaling them, takes the unused fourth byte of a
// plain 32-bit picture for alpha, and refuses masks it has no pixel format for.
bool DecodesItself(const BmpHeader& header);

// The bytes of pixel rows from pixelOffset on, with each row padded to four bytes.
uint64_t BmpPixelBytes(const BmpHeader& header);

// Decodes the pixel rows of a picture that DecodesItself takes, each channel scaled exactly to 8 bits;
// pictures come out opaque. Throws IoError when `data` stops before the last pixel.
TBitmap DecodeBmpPixels(const BmpHeader& header, std::span<const uint8_t> data, const std::string& path);

}  // namespace wispen
