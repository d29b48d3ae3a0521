#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "Bitmap.h"

namespace wispen {

// A picture of at most 256 colours held as one byte a pixel and a palette: a stage's map is some nine
// million pixels, which take 37 MB at 32 bits and 9 MB as indices, and its obstacle strips up to 13 MB more.
// A picture of more colours is held at 32 bits as it is.
//
// A play tick copies a 500x300 slice of the map, which a lookup per pixel would make several times slower
// than the row copy it was. So the slice last copied is kept at 32 bits in a window that wraps around at its
// edges; the next slice, a few pixels on, looks up only the columns and rows it newly covers. The masks and
// frames of obstacles, a few thousand pixels each, are looked up as they are drawn.
class PalettePicture {
 public:
  using Palette = std::array<TColor, 256>;

  PalettePicture() = default;
  // Takes `indices` as the rows, top row first, width x height of them, each an index into `palette`.
  PalettePicture(int width, int height, std::vector<uint8_t>&& indices, const Palette& palette);
  // Holds a 32-bit picture as indices when it has at most 256 colours, else as it is.
  explicit PalettePicture(TBitmap&& picture);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  bool Indexed() const { return !indices_.empty(); }

  // The colour at (x, y), or CLR_INVALID outside the picture.
  TColor Pixel(int x, int y) const;
  // The picture at 32 bits a pixel.
  TBitmap ToBitmap() const;

  // Combines the block of dest's size whose top-left is (sourceLeft, sourceTop) with `dest` of `target`, one
  // to one, as a copy of a 32-bit picture with the raster operation does: target pixels outside the target,
  // or whose source pixel lies outside this picture, are left as they are.
  void Draw(TBitmap& target, const TRect& dest, int sourceLeft, int sourceTop, RasterOp rop) const;

 private:
  // The 32-bit slice: map point (x, y) is held at (x mod width, y mod height) of `pixels`; `held` is the
  // block of the map it holds, which is never larger than the window.
  struct Window {
    int width = 0;
    int height = 0;
    std::vector<TColor> pixels;
    TRect held;
  };

  void CopyThroughWindow(TBitmap& target, const TRect& block, int targetLeft, int targetTop) const;
  void Hold(const TRect& block) const;
  void LookUp(int y, int x0, int x1) const;

  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> indices_;
  Palette palette_{};
  TBitmap full_;  // a picture of more than 256 colours
  mutable Window window_;
};

// A picture component holding a palette picture, with its integer Tag.
struct TPaletteImage {
  PalettePicture Picture;
  int32_t Tag = 0;
};

}  // namespace wispen
