#include "PaletteBmp.h"

#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace wispen {

namespace {

constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kRle8 = 1;
constexpr size_t kPaletteStart = 14 + 40;

// Indices beyond the palette look up this, which no colour has.
constexpr TColor kBeyondPalette = 0xFF000000;

struct Layout {
  int width = 0;
  int height = 0;
  uint32_t compression = 0;
  size_t pixelOffset = 0;
  std::array<TColor, 256> table{};  // kBeyondPalette past the palette's colours
};

// The headers are already read and their size checked; only the layouts of one possible reading go on.
std::optional<Layout> ReadLayout(const BmpHeader& header, std::span<const uint8_t> file) {
  if (header.infoSize != 40 || header.topDown || header.bitCount != 8 ||
      (header.compression != kUncompressed && header.compression != kRle8))
    return std::nullopt;
  const uint32_t colours = header.coloursUsed == 0 ? 256 : header.coloursUsed;
  if (colours > 256 || kPaletteStart + 4 * size_t{colours} > header.pixelOffset ||
      header.pixelOffset >= file.size())
    return std::nullopt;
  Layout layout;
  layout.width = header.width;
  layout.height = header.height;
  layout.compression = header.compression;
  layout.pixelOffset = header.pixelOffset;
  layout.table.fill(kBeyondPalette);
  for (uint32_t i = 0; i < colours; ++i) {
    const uint8_t* entry = &file[kPaletteStart + 4 * i];  // blue, green, red, unused
    layout.table[i] = RGB(entry[2], entry[1], entry[0]);
  }
  return layout;
}

// Where each stored row starts (bottom row first), when every row holds exactly the width in runs and
// literals, closed by the end of the row or, after the top row, of the picture. The indices are checked as
// they are decoded.
std::optional<std::vector<size_t>> RleRowStarts(std::span<const uint8_t> file, const Layout& layout) {
  std::vector<size_t> starts(static_cast<size_t>(layout.height));
  const uint8_t* data = file.data();
  const size_t end = file.size();
  size_t at = layout.pixelOffset;
  for (int row = 0; row < layout.height; ++row) {
    starts[static_cast<size_t>(row)] = at;
    uint64_t x = 0;
    for (;;) {
      if (at + 2 > end) return std::nullopt;
      const uint32_t count = data[at];
      const uint32_t code = data[at + 1];
      if (count == 0 && code < 3) break;  // an escape
      // A run is `count` pixels in two bytes; a literal `code` pixels, stored padded to an even count.
      const uint32_t literal = count == 0 ? code : 0;
      x += count + literal;
      at += 2 + literal + (literal & 1);
    }
    const uint8_t escape = data[at + 1];
    at += 2;
    if (x != static_cast<uint64_t>(layout.width)) return std::nullopt;
    if (row < layout.height - 1) {
      if (escape != 0) return std::nullopt;  // a jump, or the picture ended early
    } else if (escape == 0) {
      if (at + 2 > end || data[at] != 0 || data[at + 1] != 1) return std::nullopt;
    } else if (escape != 1) {
      return std::nullopt;
    }
  }
  return starts;
}

// Pixels are stored in groups, the last group of a run or literal running up to kGroup - 1 pixels on into
// pixels the next one overwrites, or into the row buffer's slack. A literal's last group reads up to three
// bytes past it, which the stream holds: its padding and the pair after it.
constexpr size_t kGroup = 8;

void DecodeRleRow(const uint8_t* in, const Layout& layout, TColor* out) {
  const TColor* rowEnd = out + layout.width;
  while (out < rowEnd) {
    const uint32_t count = in[0];
    const uint32_t code = in[1];
    if (count > 0) {
      std::array<TColor, kGroup> group;
      group.fill(layout.table[code]);
      for (uint32_t i = 0; i < count; i += kGroup) std::memcpy(out + i, group.data(), sizeof group);
      out += count;
      in += 2;
    } else {
      for (uint32_t i = 0; i < code; i += 4) {
        out[i] = layout.table[in[2 + i]];
        out[i + 1] = layout.table[in[3 + i]];
        out[i + 2] = layout.table[in[4 + i]];
        out[i + 3] = layout.table[in[5 + i]];
      }
      out += code;
      in += 2 + code + (code & 1);
    }
  }
}

bool InPalette(const TColor* row, size_t width) {
  TColor seen = 0;
  for (size_t x = 0; x < width; ++x) seen |= row[x];
  return (seen & kBeyondPalette) == 0;
}

// A map's pixels are tens of megabytes taken fresh at each stage start; in pages of 4 KiB their first touch
// costs as much as decoding them. Large pages are asked for where the kernel grants them on request; the
// advice changes nothing but the page size.
void AdviseLargePages(const std::vector<TColor>& pixels) {
  constexpr uintptr_t kLargePage = uintptr_t{2} << 20;
  const auto begin = reinterpret_cast<uintptr_t>(pixels.data());
  const uintptr_t end = begin + pixels.capacity() * sizeof(TColor);
  const uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
  const uintptr_t last = end & ~(kLargePage - 1);
  if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace

std::optional<TBitmap> DecodePaletteBmp(const BmpHeader& header, std::span<const uint8_t> file) {
  const std::optional<Layout> layout = ReadLayout(header, file);
  if (!layout) return std::nullopt;
  const size_t width = static_cast<size_t>(layout->width);
  const size_t height = static_cast<size_t>(layout->height);
  std::vector<size_t> rowStarts;
  if (layout->compression == kRle8) {
    std::optional<std::vector<size_t>> starts = RleRowStarts(file, *layout);
    if (!starts) return std::nullopt;
    rowStarts = std::move(*starts);
  } else {
    const size_t stride = (width + 3) & ~size_t{3};
    if ((file.size() - layout->pixelOffset) / stride < height) return std::nullopt;
    for (size_t row = 0; row < height; ++row) rowStarts.push_back(layout->pixelOffset + row * stride);
  }
  // Rows are appended top first from a buffer the cache holds, so the picture's memory is written once.
  std::vector<TColor> row(width + kGroup);
  std::vector<TColor> pixels;
  pixels.reserve(width * height);
  AdviseLargePages(pixels);
  for (size_t y = 0; y < height; ++y) {
    const uint8_t* in = &file[rowStarts[height - 1 - y]];
    if (layout->compression == kRle8) {
      DecodeRleRow(in, *layout, row.data());
    } else {
      for (size_t x = 0; x < width; ++x) row[x] = layout->table[in[x]];
    }
    if (!InPalette(row.data(), width)) return std::nullopt;
    pixels.insert(pixels.end(), row.begin(), row.begin() + static_cast<ptrdiff_t>(width));
  }
  return TBitmap(layout->width, layout->height, std::move(pixels));
}

}  // namespace wispen
