#include "ImageList.h"

#include <stdexcept>

namespace wispen {

void TImageList::Add(TBitmap image, TBitmap mask) {
  if (image.Width() != width_ || image.Height() != height_ || mask.Width() != width_ ||
      mask.Height() != height_) {
    throw std::invalid_argument("image list picture of the wrong size");
  }
  images_.push_back(std::move(image));
  masks_.push_back(std::move(mask));
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
  if (index < 0 || index >= Count()) return;
  const TRect area = Bounds(x, y, width_, height_);
  const TRect whole = Bounds(0, 0, width_, height_);
  canvas.StretchBlt(area, masks_[index], whole, SRCAND);
  canvas.StretchBlt(area, images_[index], whole, SRCPAINT);
}

}  // namespace wispen
