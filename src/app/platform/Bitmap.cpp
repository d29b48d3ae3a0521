#include "Bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

#include "Blit.h"
#include "TextEngine.h"

namespace wispen {

TBitmap::TBitmap(int width, int height, TColor fill) : canvas_(*this) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<size_t>(width_) * height_, fill);
  MarkAllWritten();
}

TBitmap::TBitmap(int width, int height, std::vector<TColor>&& pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)), canvas_(*this) {
  if (width_ < 0 || height_ < 0 || pixels_.size() != static_cast<size_t>(width_) * height_)
    throw std::invalid_argument("a picture's pixels do not match its size");
  MarkAllWritten();
}

TBitmap::TBitmap(const TBitmap& other)
    : width_(other.width_), height_(other.height_), pixels_(other.pixels_), canvas_(*this) {
  canvas_.Font = other.canvas_.Font;
  canvas_.BrushColor = other.canvas_.BrushColor;
  canvas_.PenColor = other.canvas_.PenColor;
  canvas_.CopyMode = other.canvas_.CopyMode;
  canvas_.SetTextEngine(other.canvas_.GetTextEngine());
  MarkAllWritten();
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
  if (this != &other) {
    width_ = other.width_;
    height_ = other.height_;
    pixels_ = other.pixels_;
    MarkAllWritten();
    if (canvas_.GetTextEngine() == nullptr) canvas_.SetTextEngine(other.canvas_.GetTextEngine());
  }
  return *this;
}

TBitmap::TBitmap(TBitmap&& other) noexcept
    : width_(other.width_), height_(other.height_), pixels_(std::move(other.pixels_)), canvas_(*this) {
  canvas_.Font = other.canvas_.Font;
  canvas_.BrushColor = other.canvas_.BrushColor;
  canvas_.PenColor = other.canvas_.PenColor;
  canvas_.CopyMode = other.canvas_.CopyMode;
  canvas_.SetTextEngine(other.canvas_.GetTextEngine());
  MarkAllWritten();
  other.width_ = other.height_ = 0;
  other.written_.clear();
}

// Assigning a picture keeps this surface's own drawing state (font, brush, text engine), as an image
// component keeps its canvas settings when it is given a new picture.
TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
  if (this != &other) {
    width_ = other.width_;
    height_ = other.height_;
    pixels_ = std::move(other.pixels_);
    MarkAllWritten();
    if (canvas_.GetTextEngine() == nullptr) canvas_.SetTextEngine(other.canvas_.GetTextEngine());
    other.width_ = other.height_ = 0;
    other.pixels_.clear();
    other.written_.clear();
  }
  return *this;
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  std::vector<TColor> resized(static_cast<size_t>(width) * height, clBlack);
  for (int y = 0; y < std::min(height, height_); ++y) {
    for (int x = 0; x < std::min(width, width_); ++x) resized[static_cast<size_t>(y) * width + x] = At(x, y);
  }
  width_ = width;
  height_ = height;
  pixels_ = std::move(resized);
  MarkAllWritten();
}

void TBitmap::MarkRowsWritten(int top, int bottom) {
  top = std::max(top, 0);
  bottom = std::min(bottom, height_);
  if (top < bottom) std::fill(written_.begin() + top, written_.begin() + bottom, uint8_t{1});
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& src, const TRect& source) {
  StretchBlt(dest, src.bitmap_, source, CopyMode);
}

void TCanvas::CopyRect(const TRect& dest, const TBitmap& src, const TRect& source) {
  StretchBlt(dest, src, source, CopyMode);
}

void TCanvas::BitBlt(int x, int y, int width, int height, const TBitmap& src, int sx, int sy, RasterOp rop) {
  StretchBlt(Bounds(x, y, width, height), src, Bounds(sx, sy, width, height), rop);
}

// One-to-one copies, nearly all of them, go row by row; stretched ones pixel by pixel.
void TCanvas::StretchBlt(const TRect& dest, const TBitmap& src, const TRect& source, RasterOp rop) {
  if (dest.Width() == source.Width() && dest.Height() == source.Height()) {
    OneToOneBlit(bitmap_, dest, src, source, rop);
  } else {
    StretchBlit(bitmap_, dest, src, source, rop);
  }
}

void TCanvas::FillRect(const TRect& rect) {
  const int x0 = std::max(0, rect.Left), x1 = std::min(bitmap_.Width(), rect.Right);
  const int y0 = std::max(0, rect.Top), y1 = std::min(bitmap_.Height(), rect.Bottom);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) bitmap_.At(x, y) = BrushColor;
  }
}

void TCanvas::SetPixel(int x, int y, TColor colour) {
  if (bitmap_.Contains(x, y)) bitmap_.At(x, y) = colour;
}

TColor TCanvas::Pixel(int x, int y) const {
  return bitmap_.Contains(x, y) ? bitmap_.At(x, y) : CLR_INVALID;
}

void TCanvas::DrawLine(TPoint a, TPoint b) {
  // Bresenham, both end points drawn: the outline of a closed polygon.
  int x = a.X, y = a.Y;
  const int dx = std::abs(b.X - a.X), dy = -std::abs(b.Y - a.Y);
  const int stepX = a.X < b.X ? 1 : -1, stepY = a.Y < b.Y ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    SetPixel(x, y, PenColor);
    if (x == b.X && y == b.Y) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += stepX;
    }
    if (e2 <= dx) {
      err += dx;
      y += stepY;
    }
  }
}

// Scan-line fill with the alternate (even-odd) rule, sampling each pixel at its centre, then the outline.
void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.empty()) return;
  int minY = points[0].Y, maxY = points[0].Y;
  for (const TPoint& p : points) {
    minY = std::min(minY, p.Y);
    maxY = std::max(maxY, p.Y);
  }
  minY = std::max(minY, 0);
  maxY = std::min(maxY, bitmap_.Height() - 1);
  std::vector<double> crossings;
  for (int y = minY; y <= maxY; ++y) {
    const double cy = y + 0.5;
    crossings.clear();
    for (size_t i = 0; i < points.size(); ++i) {
      const TPoint& a = points[i];
      const TPoint& b = points[(i + 1) % points.size()];
      if ((a.Y <= cy && b.Y > cy) || (b.Y <= cy && a.Y > cy)) {
        crossings.push_back(a.X + (cy - a.Y) * (b.X - a.X) / static_cast<double>(b.Y - a.Y));
      }
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const int xa = std::max(0, static_cast<int>(std::ceil(crossings[i] - 0.5)));
      const int xb = std::min(bitmap_.Width() - 1, static_cast<int>(std::ceil(crossings[i + 1] - 0.5)) - 1);
      for (int x = xa; x <= xb; ++x) bitmap_.At(x, y) = BrushColor;
    }
  }
  for (size_t i = 0; i < points.size(); ++i) DrawLine(points[i], points[(i + 1) % points.size()]);
}

TextEngine& TCanvas::RequireText() const {
  if (text_ == nullptr) throw std::logic_error("this drawing surface has no text engine");
  return *text_;
}

void TCanvas::TextOut(int x, int y, const std::string& utf8) {
  const TextCoverage cover = RequireText().Render(Font, utf8);
  const TColor c = Font.Color;
  for (int row = 0; row < cover.Height; ++row) {
    for (int col = 0; col < cover.Width; ++col) {
      const unsigned a = cover.Alpha[static_cast<size_t>(row) * cover.Width + col];
      if (a == 0 || !bitmap_.Contains(x + col, y + row)) continue;
      TColor& d = bitmap_.At(x + col, y + row);
      TColor blended = 0;
      for (int shift = 0; shift <= 16; shift += 8) {
        const unsigned dv = (d >> shift) & 0xFF, sv = (c >> shift) & 0xFF;
        blended |= ((sv * a + dv * (255 - a) + 127) / 255) << shift;
      }
      d = blended;
    }
  }
}

TSize TCanvas::TextExtent(const std::string& utf8) {
  return RequireText().Measure(Font, utf8);
}
int TCanvas::TextWidth(const std::string& utf8) {
  return TextExtent(utf8).cx;
}
int TCanvas::TextHeight(const std::string& utf8) {
  return TextExtent(utf8).cy;
}

}  // namespace wispen
