#include "BmpReader.h"

#include <bit>
#include <cstring>

#include "platform/Errors.h"

namespace wispen {

namespace {

constexpr uint32_t kRgb = 0;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;

uint16_t U16(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

uint32_t U32(std::span<const uint8_t> b, size_t at) {
  return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
         static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

// The Windows info headers. The OS/2 ones (12 bytes, and 16 to 64) give compression 3 another meaning.
bool IsWindowsInfo(uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

[[noreturn]] void Damaged(const std::string& path) {
  throw IoError("the picture " + path + " has a damaged header");
}

// One colour channel of a pixel, widened from however many bits its mask has to 8 by scaling, so that the
// largest value becomes 255 and every other lands on the nearest step.
class Channel {
 public:
  explicit Channel(uint32_t mask)
      : mask_(mask), shift_(mask == 0 ? 0 : std::countr_zero(mask)), max_(mask == 0 ? 0 : mask >> shift_) {}
  uint32_t Of(uint32_t pixel) const {
    if (max_ == 0) return 0;
    const uint64_t value = (pixel & mask_) >> shift_;
    return static_cast<uint32_t>((value * 255 + max_ / 2) / max_);
  }

 private:
  uint32_t mask_;
  int shift_;
  uint64_t max_;
};

uint64_t Stride(const BmpHeader& header) {
  return (static_cast<uint64_t>(header.width) * header.bitCount + 31) / 32 * 4;
}

}  // namespace

void CheckPictureSize(int64_t width, int64_t height, const std::string& path) {
  if (width <= 0 || height <= 0) throw IoError("the picture " + path + " has no pixels");
  if (width > kMaxPictureSide || height > kMaxPictureSide ||
      static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4 > kMaxPictureBytes) {
    throw IoError("the picture " + path + " is too large to hold: " + std::to_string(width) + " x " +
                  std::to_string(height) + " pixels");
  }
}

bool IsBmp(std::span<const uint8_t> head) {
  return head.size() >= 2 && head[0] == 'B' && head[1] == 'M';
}

BmpHeader ParseBmpHeader(std::span<const uint8_t> head, const std::string& path) {
  if (!IsBmp(head) || head.size() < 18) Damaged(path);
  BmpHeader header;
  header.pixelOffset = U32(head, 10);
  header.infoSize = U32(head, 14);
  int64_t width = 0;
  int64_t height = 0;
  if (header.infoSize == 12) {
    if (head.size() < 26) Damaged(path);
    width = U16(head, 18);
    height = U16(head, 20);
    header.bitCount = U16(head, 24);
  } else if (header.infoSize >= 16) {
    if (head.size() < 30) Damaged(path);
    width = static_cast<int32_t>(U32(head, 18));
    height = static_cast<int32_t>(U32(head, 22));
    header.bitCount = U16(head, 28);
    if (header.infoSize >= 20) {
      if (head.size() < 34) Damaged(path);
      header.compression = U32(head, 30);
    }
    if (header.infoSize >= 36 && head.size() >= 50) header.coloursUsed = U32(head, 46);
  } else {
    Damaged(path);
  }
  // A negative height marks rows stored top row first.
  header.topDown = height < 0;
  if (height < 0) height = -height;
  CheckPictureSize(width, height, path);
  header.width = static_cast<int>(width);
  header.height = static_cast<int>(height);

  if (IsWindowsInfo(header.infoSize) && header.compression == kRgb) {
    // Plain 16-bit pixels are 5-5-5; plain 32-bit ones are blue, green, red and an unused byte.
    const bool wide = header.bitCount == 32;
    header.masks[0] = wide ? 0xFF0000 : 0x7C00;
    header.masks[1] = wide ? 0x00FF00 : 0x03E0;
    header.masks[2] = wide ? 0x0000FF : 0x001F;
  } else if (IsWindowsInfo(header.infoSize) &&
             (header.compression == kBitFields || header.compression == kAlphaBitFields)) {
    // The masks follow a 40-byte header and are part of the longer ones, at the same place either way.
    if (head.size() < 14 + 40 + 12) Damaged(path);
    for (int i = 0; i < 3; ++i) header.masks[i] = U32(head, 14 + 40 + 4 * i);
  }
  return header;
}

bool DecodesItself(const BmpHeader& header) {
  return IsWindowsInfo(header.infoSize) && (header.bitCount == 16 || header.bitCount == 32) &&
         (header.compression == kRgb || header.compression == kBitFields ||
          header.compression == kAlphaBitFields);
}

uint64_t BmpPixelBytes(const BmpHeader& header) {
  return Stride(header) * static_cast<uint64_t>(header.height);
}

TBitmap DecodeBmpPixels(const BmpHeader& header, std::span<const uint8_t> data, const std::string& path) {
  if (!DecodesItself(header)) throw IoError("the picture " + path + " is of a kind not decoded here");
  CheckPictureSize(header.width, header.height, path);
  const uint64_t stride = Stride(header);
  const uint64_t pixelBytes = static_cast<uint64_t>(header.bitCount / 8);
  const uint64_t lastRowEnd = stride * static_cast<uint64_t>(header.height - 1) + pixelBytes * header.width;
  if (data.size() < lastRowEnd) throw IoError("the picture " + path + " is cut short");

  const Channel red(header.masks[0]);
  const Channel green(header.masks[1]);
  const Channel blue(header.masks[2]);
  TBitmap out(header.width, header.height);
  for (int row = 0; row < header.height; ++row) {
    const uint8_t* in = data.data() + stride * static_cast<uint64_t>(row);
    const int y = header.topDown ? row : header.height - 1 - row;
    for (int x = 0; x < header.width; ++x, in += pixelBytes) {
      uint32_t pixel = in[0] | in[1] << 8;
      if (pixelBytes == 4) pixel |= static_cast<uint32_t>(in[2]) << 16 | static_cast<uint32_t>(in[3]) << 24;
      out.At(x, y) = red.Of(pixel) | green.Of(pixel) << 8 | blue.Of(pixel) << 16;
    }
  }
  return out;
}

}  // namespace wispen
