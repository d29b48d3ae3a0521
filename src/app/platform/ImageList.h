#pragma once

#include <vector>

#include "Bitmap.h"

namespace wispen {

// Pictures of one size, each with its mask (black where the picture is, white elsewhere), drawn by index.
class TImageList {
 public:
  TImageList(int width, int height) : width_(width), height_(height) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return static_cast<int>(images_.size()); }

  // Adds a picture and its mask; both must have the list's size.
  void Add(TBitmap image, TBitmap mask);
  const TBitmap& Image(int index) const { return images_.at(index); }
  const TBitmap& Mask(int index) const { return masks_.at(index); }

  // Draws picture `index` with its mask at (x, y): the mask with AND, then the picture with OR.
  // An index outside the list draws nothing.
  void Draw(TCanvas& canvas, int x, int y, int index) const;

 private:
  int width_;
  int height_;
  std::vector<TBitmap> images_;
  std::vector<TBitmap> masks_;
};

}  // namespace wispen
