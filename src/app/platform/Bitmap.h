#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "Font.h"
#include "core/Colour.h"
#include "core/Geometry.h"

namespace wispen {

class TextEngine;
class TBitmap;

// The drawing surface of a bitmap: copies with a raster operation, fills, polygons, text and pixel reads.
// Every operation clips against the surfaces it touches; nothing outside a picture is read or written.
class TCanvas {
 public:
  explicit TCanvas(TBitmap& owner) : bitmap_(owner) {}
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TFont Font;
  TColor BrushColor = clWhite;
  TColor PenColor = clBlack;
  RasterOp CopyMode = SRCCOPY;

  // Copies `source` of `src` onto `dest` of this surface with CopyMode. Stretches when the sizes differ.
  void CopyRect(const TRect& dest, const TCanvas& src, const TRect& source);
  void CopyRect(const TRect& dest, const TBitmap& src, const TRect& source);
  // StretchBlt: copies with an explicit raster operation, one-to-one or stretched.
  void StretchBlt(const TRect& dest, const TBitmap& src, const TRect& source, RasterOp rop);
  // BitBlt: a one-to-one copy of a width x height block from (sx, sy) of src to (x, y).
  void BitBlt(int x, int y, int width, int height, const TBitmap& src, int sx, int sy, RasterOp rop);

  // Fills the rectangle (Right and Bottom exclusive) with BrushColor.
  void FillRect(const TRect& rect);
  // Fills the polygon with BrushColor (alternate rule) and outlines it with a 1-pixel PenColor line.
  void Polygon(const std::vector<TPoint>& points);

  // Draws text with its cell's top-left at (x, y), in Font, on a clear background, anti-aliased.
  void TextOut(int x, int y, const std::string& utf8);
  int TextWidth(const std::string& utf8);
  int TextHeight(const std::string& utf8);
  TSize TextExtent(const std::string& utf8);

  // The pixel at (x, y), or CLR_INVALID outside the surface.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor colour);

  // The rasteriser that text goes through; a canvas without one refuses to draw or measure text.
  void SetTextEngine(TextEngine* engine) { text_ = engine; }
  TextEngine* GetTextEngine() const { return text_; }

 private:
  TextEngine& RequireText() const;
  void DrawLine(TPoint a, TPoint b);

  TBitmap& bitmap_;
  TextEngine* text_ = nullptr;
};

// An off-screen picture of 32-bit pixels, each a TColor (0x00BBGGRR), with its drawing surface.
class TBitmap {
 public:
  TBitmap() : canvas_(*this) {}
  TBitmap(int width, int height, TColor fill = clBlack);
  // Takes `pixels` as the picture's rows, top row first; they must be width x height.
  TBitmap(int width, int height, std::vector<TColor>&& pixels);
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  TBitmap(TBitmap&& other) noexcept;
  TBitmap& operator=(TBitmap&& other) noexcept;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  // Resizes, keeping the pixels that stay inside; new pixels are black.
  void SetSize(int width, int height);
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }

  TCanvas& Canvas() { return canvas_; }
  const TCanvas& Canvas() const { return canvas_; }

  TColor At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  TColor& At(int x, int y) {
    written_[static_cast<size_t>(y)] = 1;
    return pixels_[static_cast<size_t>(y) * width_ + x];
  }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  const std::vector<TColor>& Pixels() const { return pixels_; }
  std::vector<TColor>& Pixels() {
    MarkAllWritten();
    return pixels_;
  }

  // Which rows may have changed since ForgetWrittenRows (all of them at first), one flag a row: the window
  // compares only those with the picture it shows. Whatever gets a pixel for writing (At, Pixels) marks its
  // row or every row; a writer that goes on from At's pixel into the rows below marks them itself.
  const uint8_t* WrittenRows() const { return written_.data(); }
  void MarkRowsWritten(int top, int bottom);
  void ForgetWrittenRows() const { std::fill(written_.begin(), written_.end(), uint8_t{0}); }

 private:
  void MarkAllWritten() { written_.assign(static_cast<size_t>(height_), 1); }

  int width_ = 0;
  int height_ = 0;
  std::vector<TColor> pixels_;
  // Kept by the picture that is shown, for the one that shows it: forgetting them changes no pixel.
  mutable std::vector<uint8_t> written_;
  TCanvas canvas_;
};

// A picture component: its picture and its integer Tag.
struct TImage {
  TBitmap Picture;
  int32_t Tag = 0;
};

}  // namespace wispen
