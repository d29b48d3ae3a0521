#include "PaletteBmp.h"

#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Errors.h"

namespace wispen {

namespace {

constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kRle8 = 1;
constexpr size_t kPaletteStart = 14 + 40;

// The file from its start, handed out a piece at a time from a buffer that is read into as it empties.
class Pieces {
 public:
  Pieces(std::istream& in, size_t longest) : in_(in), buffer_(std::max<size_t>(longest, size_t{64} << 10)) {
    in_.clear();
    in_.seekg(0);
  }

  // The next `count` bytes (at most the longest piece asked for at the start), or nullptr when the file
  // ends first. They stay valid until the next call.
  const uint8_t* Take(size_t count) {
    if (end_ - at_ < count && !Refill(count)) return nullptr;
    const uint8_t* piece = &buffer_[at_];
    at_ += count;
    offset_ += count;
    return piece;
  }

  // Passes over bytes up to `offset` of the file; false when the file ends first or `offset` lies behind.
  bool SkipTo(uint64_t offset) {
    while (offset_ < offset) {
      const auto step = static_cast<size_t>(std::min<uint64_t>(offset - offset_, buffer_.size()));
      if (Take(step) == nullptr) return false;
    }
    return offset_ == offset;
  }

 private:
  bool Refill(size_t count) {
    std::memmove(buffer_.data(), &buffer_[at_], end_ - at_);
    end_ -= at_;
    at_ = 0;
    while (end_ < count && in_) {
      in_.read(reinterpret_cast<char*>(&buffer_[end_]), static_cast<std::streamsize>(buffer_.size() - end_));
      end_ += static_cast<size_t>(in_.gcount());
    }
    if (in_.bad()) throw IoError("cannot read a picture");
    return end_ >= count;
  }

  std::istream& in_;
  std::vector<uint8_t> buffer_;
  size_t at_ = 0;
  size_t end_ = 0;
  uint64_t offset_ = 0;
};

// Fills `row` (the width's indices) from RLE8 pairs; the escape code that closes it, or -1 when the row's
// runs and literals do not fill exactly the width or the file ends first.
int DecodeRleRow(Pieces& pieces, std::span<uint8_t> row) {
  size_t x = 0;
  for (;;) {
    const uint8_t* pair = pieces.Take(2);
    if (pair == nullptr) return -1;
    const uint8_t count = pair[0], code = pair[1];
    if (count > 0) {  // a run of `count` pixels of index `code`
      if (count > row.size() - x) return -1;
      std::memset(&row[x], code, count);
      x += count;
    } else if (code >= 3) {  // a literal of `code` indices, stored padded to an even count
      const uint8_t* literal = pieces.Take(code + (code & 1u));
      if (literal == nullptr || code > row.size() - x) return -1;
      std::memcpy(&row[x], literal, code);
      x += code;
    } else {
      return x == row.size() ? code : -1;
    }
  }
}

// A map's pixels are megabytes taken fresh at each stage start; in pages of 4 KiB their first touch costs as
// much as decoding them. Large pages are asked for where the kernel grants them on request; the advice
// changes nothing but the page size.
void AdviseLargePages(const std::vector<uint8_t>& pixels) {
  constexpr uintptr_t kLargePage = uintptr_t{2} << 20;
  const auto begin = reinterpret_cast<uintptr_t>(pixels.data());
  const uintptr_t end = begin + pixels.capacity();
  const uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
  const uintptr_t last = end & ~(kLargePage - 1);
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace

std::optional<PalettePicture> DecodePaletteBmp(const BmpHeader& header, std::istream& file) {
  if (header.infoSize != 40 || header.topDown || header.bitCount != 8 ||
      (header.compression != kUncompressed && header.compression != kRle8))
    return std::nullopt;
  const uint32_t colours = header.coloursUsed == 0 ? 256 : header.coloursUsed;
  if (colours > 256 || kPaletteStart + 4 * size_t{colours} > header.pixelOffset) return std::nullopt;
  const auto width = static_cast<size_t>(header.width), height = static_cast<size_t>(header.height);
  const size_t stride = (width + 3) & ~size_t{3};
  Pieces pieces(file, stride);
  if (!pieces.SkipTo(kPaletteStart)) return std::nullopt;
  const uint8_t* entries = pieces.Take(4 * size_t{colours});  // blue, green, red, unused
  if (entries == nullptr) return std::nullopt;
  PalettePicture::Palette palette{};
  for (uint32_t i = 0; i < colours; ++i)
    palette[i] = RGB(entries[4 * i + 2], entries[4 * i + 1], entries[4 * i]);
  if (!pieces.SkipTo(header.pixelOffset)) return std::nullopt;

  std::vector<uint8_t> indices;
  indices.reserve(width * height);
  AdviseLargePages(indices);
  indices.resize(width * height);
  // Stored rows come bottom row first; each goes straight to its place in the picture.
  for (size_t stored = 0; stored < height; ++stored) {
    const std::span<uint8_t> row(&indices[(height - 1 - stored) * width], width);
    if (header.compression == kRle8) {
      const int escape = DecodeRleRow(pieces, row);
      const bool last = stored == height - 1;
      // Every row but the last ends its line; the last ends the picture, with or without ending its line
      // first.
      if (escape < 0 || escape == 2 || (!last && escape != 0)) return std::nullopt;
      if (last && escape == 0) {
        const uint8_t* end = pieces.Take(2);
        if (end == nullptr || end[0] != 0 || end[1] != 1) return std::nullopt;
      }
    } else {
      const uint8_t* bytes = pieces.Take(stride);
      if (bytes == nullptr) return std::nullopt;
      std::memcpy(row.data(), bytes, width);
    }
    if (*std::max_element(row.begin(), row.end()) >= colours) return std::nullopt;
  }
  return PalettePicture(header.width, header.height, std::move(indices), palette);
}

std::optional<PalettePicture> DecodePaletteBmp(const BmpHeader& header, std::span<const uint8_t> file) {
  std::istringstream in(std::string(file.begin(), file.end()));
  return DecodePaletteBmp(header, in);
}

}  // namespace wispen
