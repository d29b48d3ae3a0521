#pragma once

#include <span>

#include "IndexedImage.h"
#include "core/Bytes.h"
#include "platform/Bitmap.h"

namespace wispen::formats {

enum class BmpPacking {
  Raw,       // BI_RGB, one byte a pixel
  Rle8,      // BI_RLE8
  Smallest,  // whichever of the two gives the smaller file
};

// An 8-bit palette BMP (bottom-up, as RLE requires). Throws FormatError for an image with no palette,
// more than 256 colours, a pixel beyond the palette or an empty size.
Bytes EncodeBmp8(const IndexedImage& image, BmpPacking packing = BmpPacking::Smallest);

// Just the RLE8 pixel stream of an image (rows bottom-up, end-of-line and end-of-bitmap codes).
Bytes EncodeRle8(const IndexedImage& image);

// What the header of a BMP says.
struct BmpInfo {
  int Width = 0;
  int Height = 0;  // always positive; TopDown tells the row order
  bool TopDown = false;
  int BitCount = 0;
  uint32_t Compression = 0;
  int PaletteSize = 0;
};

BmpInfo ReadBmpInfo(std::span<const uint8_t> bytes);

// Reads a BMP of 8 bits (plain or RLE8), 24 or 32 bits into a picture of TColors. The signature bytes are
// not looked at. Anything else, or damaged data, throws FormatError.
TBitmap DecodeBmp(std::span<const uint8_t> bytes);

// The palette indices of an 8-bit BMP (plain or RLE8), with its palette.
IndexedImage DecodeBmp8(std::span<const uint8_t> bytes);

}  // namespace wispen::formats
