#include "PalettePicture.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <unordered_map>
#include <utility>

#include "Blit.h"

namespace wispen {

PalettePicture::PalettePicture(int width, int height, std::vector<uint8_t>&& indices, const Palette& palette)
    : width_(width), height_(height), indices_(std::move(indices)), palette_(palette) {
  if (width < 0 || height < 0 || indices_.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
    throw std::invalid_argument("a palette picture's indices must be width x height");
  if (Empty()) indices_.clear();
}

PalettePicture::PalettePicture(TBitmap&& picture) : width_(picture.Width()), height_(picture.Height()) {
  if (picture.Empty()) return;
  // Read only: the picture's pixels for writing would mark all its rows written at every pixel.
  const std::vector<TColor>& pixels = std::as_const(picture).Pixels();
  std::unordered_map<TColor, uint8_t> known;
  std::vector<uint8_t> indices(pixels.size());
  size_t colours = 0;
  // Pictures come in runs of one colour: the last one found is tried before the table.
  TColor last = pixels[0] + 1;
  uint8_t lastIndex = 0;
  for (size_t i = 0; i < indices.size(); ++i) {
    const TColor c = pixels[i];
    if (c != last) {
      const auto [at, added] = known.try_emplace(c, static_cast<uint8_t>(colours));
      if (added) {
        if (colours == palette_.size()) {
          full_ = std::move(picture);
          palette_ = {};
          return;
        }
        palette_[colours++] = c;
      }
      last = c;
      lastIndex = at->second;
    }
    indices[i] = lastIndex;
  }
  indices_ = std::move(indices);
}

TColor PalettePicture::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
  if (!Indexed()) return full_.At(x, y);
  return palette_[indices_[static_cast<size_t>(y) * width_ + x]];
}

TBitmap PalettePicture::ToBitmap() const {
  if (!Indexed()) return full_;
  std::vector<TColor> pixels(indices_.size());
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = palette_[indices_[i]];
  return TBitmap(width_, height_, std::move(pixels));
}

void PalettePicture::Draw(TBitmap& target, const TRect& dest, int sourceLeft, int sourceTop,
                          RasterOp rop) const {
  if (!Indexed()) {
    const TRect source = Bounds(sourceLeft, sourceTop, dest.Width(), dest.Height());
    return OneToOneBlit(target, dest, full_, source, rop);
  }
  const std::optional<OneToOneClip> clip =
      ClipOneToOne(dest, target.Width(), target.Height(), sourceLeft, sourceTop, width_, height_);
  if (!clip) return;
  const TRect& block = clip->source;
  const int x0 = clip->target.Left, y0 = clip->target.Top;
  // Every code but AND and OR copies, as the 32-bit copy does.
  if (rop != RasterOp::SRCAND && rop != RasterOp::SRCPAINT) return CopyThroughWindow(target, block, x0, y0);
  const auto cols = static_cast<size_t>(block.Width());
  for (int y = block.Top; y < block.Bottom; ++y) {
    const uint8_t* from = &indices_[static_cast<size_t>(y) * width_ + block.Left];
    TColor* to = &target.At(x0, y0 + (y - block.Top));
    if (rop == RasterOp::SRCAND) {
      for (size_t x = 0; x < cols; ++x) to[x] &= palette_[from[x]];
    } else {
      for (size_t x = 0; x < cols; ++x) to[x] |= palette_[from[x]];
    }
  }
}

void PalettePicture::CopyThroughWindow(TBitmap& target, const TRect& block, int targetLeft,
                                       int targetTop) const {
  Hold(block);
  const Window& w = window_;
  const auto cols = static_cast<size_t>(block.Width());
  const auto start = static_cast<size_t>(block.Left % w.width);
  const size_t first = std::min(cols, static_cast<size_t>(w.width) - start);
  for (int y = block.Top; y < block.Bottom; ++y) {
    const TColor* row = &w.pixels[static_cast<size_t>(y % w.height) * static_cast<size_t>(w.width)];
    TColor* to = &target.At(targetLeft, targetTop + (y - block.Top));
    std::memcpy(to, row + start, first * sizeof(TColor));
    std::memcpy(to + first, row, (cols - first) * sizeof(TColor));
  }
}

// Makes the window hold `block` (inside the picture), looking up only what it does not hold yet.
void PalettePicture::Hold(const TRect& block) const {
  Window& w = window_;
  if (block.Width() > w.width || block.Height() > w.height) {
    // Points land elsewhere in a window of another size: it starts empty.
    w.width = std::max(w.width, block.Width());
    w.height = std::max(w.height, block.Height());
    w.pixels.assign(static_cast<size_t>(w.width) * static_cast<size_t>(w.height), 0);
    w.held = TRect{};
  }
  const TRect& had = w.held;
  for (int y = block.Top; y < block.Bottom; ++y) {
    if (y < had.Top || y >= had.Bottom || had.Left >= had.Right) {
      LookUp(y, block.Left, block.Right);
      continue;
    }
    LookUp(y, block.Left, std::min(block.Right, std::max(block.Left, had.Left)));
    LookUp(y, std::max(block.Left, std::min(block.Right, had.Right)), block.Right);
  }
  w.held = block;
}

// Looks up the picture's row y from x0 to x1 into the window.
void PalettePicture::LookUp(int y, int x0, int x1) const {
  if (x0 >= x1) return;
  Window& w = window_;
  const uint8_t* from = &indices_[static_cast<size_t>(y) * width_];
  TColor* row = &w.pixels[static_cast<size_t>(y % w.height) * static_cast<size_t>(w.width)];
  int slot = x0 % w.width;
  for (int x = x0; x < x1; ++x) {
    row[slot] = palette_[from[x]];
    if (++slot == w.width) slot = 0;
  }
}

}  // namespace wispen
