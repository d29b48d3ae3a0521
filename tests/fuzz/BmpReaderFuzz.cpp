// The BMP headers and the 16- and 32-bit pixel decoder, with the signature in place so that every input is
// read as a BMP.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/Errors.h"
#include "sdl/BmpReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace wispen;
  std::vector<uint8_t> bytes(data, data + size);
  if (bytes.size() >= 2) bytes[0] = 'B', bytes[1] = 'M';
  const std::span<const uint8_t> all(bytes);
  try {
    const BmpHeader header = ParseBmpHeader(all.first(std::min(all.size(), kBmpHeadBytes)), "fuzz");
    if (!DecodesItself(header) || header.pixelOffset >= all.size()) return 0;
    const uint64_t available = all.size() - header.pixelOffset;
    const TBitmap picture = DecodeBmpPixels(
        header, all.subspan(header.pixelOffset, std::min(BmpPixelBytes(header), available)), "fuzz");
    if (picture.Width() != header.width || picture.Height() != header.height) __builtin_trap();
  } catch (const IoError&) {
  }
  return 0;
}
