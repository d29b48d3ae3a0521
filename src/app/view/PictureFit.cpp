#include "PictureFit.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace wispen {

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int64_t CeilDiv(int64_t a, int64_t b) {
  return -FloorDiv(-a, b);
}

int ToInt(int64_t v) {
  return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

// One axis: window point p of a window `w` points wide whose drawable is `d` pixels wide, the picture at
// `offset` drawable pixels with `scale`. The drawable pixel is p * d / w; kept as a fraction for exactness.
int AxisToPicture(int p, int w, int d, int offset, int scale, int pictureSize) {
  if (w <= 0 || d <= 0) return p;
  const int64_t picture = FloorDiv(static_cast<int64_t>(p) * d - static_cast<int64_t>(offset) * w,
                                   static_cast<int64_t>(scale) * w);
  if (p < 0 || p >= w) return ToInt(picture);
  return ToInt(std::clamp<int64_t>(picture, 0, pictureSize - 1));
}

int AxisToWindow(int p, int w, int d, int offset, int scale) {
  if (w <= 0 || d <= 0) return p;
  return ToInt(CeilDiv((static_cast<int64_t>(p) * scale + offset) * w, d));
}

}  // namespace

PictureView FitPicture(TSize drawable) {
  const int scale = std::max(1, std::min(drawable.cx / kPictureWidth, drawable.cy / kPictureHeight));
  // A drawable smaller than the picture shows its top-left part rather than a picture off-centre.
  return PictureView{std::max(0, (drawable.cx - kPictureWidth * scale) / 2),
                     std::max(0, (drawable.cy - kPictureHeight * scale) / 2), scale};
}

TPoint WindowToPicture(TPoint point, TSize window, TSize drawable) {
  const PictureView v = FitPicture(drawable);
  return {AxisToPicture(point.X, window.cx, drawable.cx, v.X, v.Scale, kPictureWidth),
          AxisToPicture(point.Y, window.cy, drawable.cy, v.Y, v.Scale, kPictureHeight)};
}

TPoint PictureToWindow(TPoint point, TSize window, TSize drawable) {
  const PictureView v = FitPicture(drawable);
  return {AxisToWindow(point.X, window.cx, drawable.cx, v.X, v.Scale),
          AxisToWindow(point.Y, window.cy, drawable.cy, v.Y, v.Scale)};
}

TRect PictureRectInWindow(TSize window, TSize drawable) {
  const PictureView v = FitPicture(drawable);
  const TPoint topLeft = PictureToWindow({0, 0}, window, drawable);
  const TPoint end{AxisToWindow(kPictureWidth, window.cx, drawable.cx, v.X, v.Scale),
                   AxisToWindow(kPictureHeight, window.cy, drawable.cy, v.Y, v.Scale)};
  return TRect{topLeft.X, topLeft.Y, std::min(end.X, window.cx), std::min(end.Y, window.cy)};
}

int FitWindowScale(TSize usable, TSize decorations) {
  const int w = usable.cx - decorations.cx;
  const int h = usable.cy - decorations.cy;
  return std::max(1, std::min(w / kPictureWidth, h / kPictureHeight));
}

}  // namespace wispen
