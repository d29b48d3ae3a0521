#include "Blit.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace wispen {

namespace {

TColor Combine(TColor dst, TColor src, RasterOp rop) {
  switch (rop) {
    case RasterOp::SRCAND:
      return dst & src;
    case RasterOp::SRCPAINT:
      return dst | src;
    case RasterOp::SRCCOPY:
      break;
  }
  return src;
}

// Plain loops over rows that never overlap, which the compiler turns into vector code.
void AndRows(TColor* __restrict to, size_t toStride, const TColor* __restrict from, size_t fromStride,
             size_t cols, size_t rows) {
  for (size_t y = 0; y < rows; ++y, to += toStride, from += fromStride) {
    for (size_t x = 0; x < cols; ++x) to[x] &= from[x];
  }
}

void OrRows(TColor* __restrict to, size_t toStride, const TColor* __restrict from, size_t fromStride,
            size_t cols, size_t rows) {
  for (size_t y = 0; y < rows; ++y, to += toStride, from += fromStride) {
    for (size_t x = 0; x < cols; ++x) to[x] |= from[x];
  }
}

void CopyRows(TColor* to, size_t toStride, const TColor* from, size_t fromStride, size_t cols, size_t rows) {
  for (size_t y = 0; y < rows; ++y, to += toStride, from += fromStride) {
    std::memcpy(to, from, cols * sizeof(TColor));
  }
}

}  // namespace

void StretchBlit(TBitmap& target, const TRect& dest, const TBitmap& src, const TRect& source, RasterOp rop) {
  const int64_t dw = dest.Width(), dh = dest.Height();
  const int64_t sw = source.Width(), sh = source.Height();
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || src.Empty() || target.Empty()) return;
  const TBitmap* from = &src;
  TBitmap snapshot;
  if (&src == &target) {
    snapshot = src;
    from = &snapshot;
  }
  const int64_t y0 = std::max<int64_t>(0, dest.Top), y1 = std::min<int64_t>(target.Height(), dest.Bottom);
  const int64_t x0 = std::max<int64_t>(0, dest.Left), x1 = std::min<int64_t>(target.Width(), dest.Right);
  for (int64_t y = y0; y < y1; ++y) {
    const int64_t sy = source.Top + (y - dest.Top) * sh / dh;
    if (sy < 0 || sy >= from->Height()) continue;
    for (int64_t x = x0; x < x1; ++x) {
      const int64_t sx = source.Left + (x - dest.Left) * sw / dw;
      if (sx < 0 || sx >= from->Width()) continue;
      TColor& d = target.At(static_cast<int>(x), static_cast<int>(y));
      d = Combine(d, from->At(static_cast<int>(sx), static_cast<int>(sy)), rop);
    }
  }
}

std::optional<OneToOneClip> ClipOneToOne(const TRect& dest, int targetWidth, int targetHeight, int sourceLeft,
                                         int sourceTop, int sourceWidth, int sourceHeight) {
  if (dest.Width() <= 0 || dest.Height() <= 0 || targetWidth <= 0 || targetHeight <= 0 || sourceWidth <= 0 ||
      sourceHeight <= 0)
    return std::nullopt;
  // Source point minus destination point, the same for every pixel.
  const int64_t dx = int64_t{sourceLeft} - dest.Left, dy = int64_t{sourceTop} - dest.Top;
  const int64_t x0 = std::max<int64_t>({0, dest.Left, -dx});
  const int64_t x1 = std::min<int64_t>({targetWidth, dest.Right, sourceWidth - dx});
  const int64_t y0 = std::max<int64_t>({0, dest.Top, -dy});
  const int64_t y1 = std::min<int64_t>({targetHeight, dest.Bottom, sourceHeight - dy});
  if (x0 >= x1 || y0 >= y1) return std::nullopt;
  // Every corner lies inside one of the two pictures, so each fits 32 bits.
  const auto at = [](int64_t v) { return static_cast<int32_t>(v); };
  return OneToOneClip{{at(x0), at(y0), at(x1), at(y1)}, {at(x0 + dx), at(y0 + dy), at(x1 + dx), at(y1 + dy)}};
}

void OneToOneBlit(TBitmap& target, const TRect& dest, const TBitmap& src, const TRect& source, RasterOp rop) {
  const std::optional<OneToOneClip> clip =
      ClipOneToOne(dest, target.Width(), target.Height(), source.Left, source.Top, src.Width(), src.Height());
  if (!clip) return;
  const auto x0 = clip->target.Left, y0 = clip->target.Top;
  const auto cols = static_cast<size_t>(clip->target.Width()),
             rows = static_cast<size_t>(clip->target.Height());
  const TColor* from =
      src.Pixels().data() + static_cast<size_t>(clip->source.Top) * src.Width() + clip->source.Left;
  size_t fromStride = static_cast<size_t>(src.Width());
  // From the target itself: the block as it was before the copy.
  std::vector<TColor> block;
  if (&src == &target) {
    block.resize(cols * rows);
    CopyRows(block.data(), cols, from, fromStride, cols, rows);
    from = block.data();
    fromStride = cols;
  }
  TColor* to = &target.At(static_cast<int>(x0), static_cast<int>(y0));
  target.MarkRowsWritten(static_cast<int>(y0), static_cast<int>(y0 + rows));
  const auto toStride = static_cast<size_t>(target.Width());
  switch (rop) {
    case RasterOp::SRCAND:
      return AndRows(to, toStride, from, fromStride, cols, rows);
    case RasterOp::SRCPAINT:
      return OrRows(to, toStride, from, fromStride, cols, rows);
    case RasterOp::SRCCOPY:
      break;
  }
  CopyRows(to, toStride, from, fromStride, cols, rows);
}

}  // namespace wispen
