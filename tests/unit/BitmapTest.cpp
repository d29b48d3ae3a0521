#include <gtest/gtest.h>

#include "platform/Bitmap.h"
#include "platform/ImageList.h"

namespace wispen {
namespace {

TBitmap Filled(int w, int h, TColor c) {
  return TBitmap(w, h, c);
}

// A source whose pixel value names its position, so a copy shows where each pixel came from.
TBitmap Numbered(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.At(x, y) = static_cast<TColor>((y << 8) | x | 0x010000);
  return b;
}

TEST(RasterOps, CopyAndOrCombinePixelsBitwise) {
  TBitmap dst = Filled(4, 1, 0x00F0F0F0);
  const TBitmap src = Filled(4, 1, 0x000F0FFF);
  dst.Canvas().StretchBlt(TRect{0, 0, 1, 1}, src, TRect{0, 0, 1, 1}, SRCCOPY);
  dst.Canvas().StretchBlt(TRect{1, 0, 2, 1}, src, TRect{0, 0, 1, 1}, SRCAND);
  dst.Canvas().StretchBlt(TRect{2, 0, 3, 1}, src, TRect{0, 0, 1, 1}, SRCPAINT);
  EXPECT_EQ(dst.At(0, 0), 0x000F0FFFu);
  EXPECT_EQ(dst.At(1, 0), 0x000000F0u);
  EXPECT_EQ(dst.At(2, 0), 0x00FFFFFFu);
  EXPECT_EQ(dst.At(3, 0), 0x00F0F0F0u);
}

TEST(RasterOps, MaskedSpriteKeepsBackgroundAroundIt) {
  TBitmap dst = Filled(3, 1, 0x123456);
  TBitmap mask(3, 1, clWhite), colour(3, 1, clBlack);
  mask.At(1, 0) = clBlack;
  colour.At(1, 0) = 0xABCDEF;
  dst.Canvas().StretchBlt(TRect{0, 0, 3, 1}, mask, TRect{0, 0, 3, 1}, SRCAND);
  dst.Canvas().StretchBlt(TRect{0, 0, 3, 1}, colour, TRect{0, 0, 3, 1}, SRCPAINT);
  EXPECT_EQ(dst.At(0, 0), 0x123456u);
  EXPECT_EQ(dst.At(1, 0), 0xABCDEFu);
  EXPECT_EQ(dst.At(2, 0), 0x123456u);
}

struct ClipCase {
  const char* name;
  TRect dest;
  TRect source;
};

class ClippedCopy : public ::testing::TestWithParam<ClipCase> {};

// Every destination pixel inside the surface whose source pixel exists gets exactly that pixel; every
// other pixel is untouched, at all four edges of both surfaces.
TEST_P(ClippedCopy, CopiesOnlyPixelsInsideBothSurfaces) {
  const ClipCase& c = GetParam();
  const TBitmap src = Numbered(10, 8);
  TBitmap dst = Filled(12, 9, 0x777777);
  dst.Canvas().StretchBlt(c.dest, src, c.source, SRCCOPY);
  for (int y = 0; y < dst.Height(); ++y) {
    for (int x = 0; x < dst.Width(); ++x) {
      const int sx = c.source.Left + (x - c.dest.Left), sy = c.source.Top + (y - c.dest.Top);
      const bool inDest = x >= c.dest.Left && x < c.dest.Right && y >= c.dest.Top && y < c.dest.Bottom;
      const TColor expected = inDest && src.Contains(sx, sy) ? src.At(sx, sy) : 0x777777;
      ASSERT_EQ(dst.At(x, y), expected) << c.name << " at " << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Edges, ClippedCopy,
    ::testing::Values(ClipCase{"negative left", Bounds(-3, 2, 6, 4), Bounds(0, 0, 6, 4)},
                      ClipCase{"negative top", Bounds(2, -3, 6, 5), Bounds(1, 1, 6, 5)},
                      ClipCase{"past right", Bounds(8, 1, 6, 4), Bounds(0, 0, 6, 4)},
                      ClipCase{"past bottom", Bounds(1, 6, 6, 5), Bounds(2, 0, 6, 5)},
                      ClipCase{"source negative", Bounds(2, 2, 6, 4), Bounds(-2, -1, 6, 4)},
                      ClipCase{"source past its edges", Bounds(0, 0, 8, 6), Bounds(5, 4, 8, 6)},
                      ClipCase{"entirely outside", Bounds(20, 20, 4, 4), Bounds(0, 0, 4, 4)}),
    [](const auto& info) {
      std::string n = info.param.name;
      for (char& ch : n)
        if (ch == ' ') ch = '_';
      return n;
    });

TEST(StretchedCopy, ShrinksByNearestPixelAndKeepsCorners) {
  const TBitmap src = Numbered(38, 38);
  TBitmap dst = Filled(40, 40, 0);
  dst.Canvas().StretchBlt(Bounds(2, 3, 33, 33), src, Bounds(0, 0, 38, 38), SRCCOPY);
  EXPECT_EQ(dst.At(2, 3), src.At(0, 0));
  EXPECT_EQ(dst.At(34, 35), src.At(32 * 38 / 33, 32 * 38 / 33));
  // Each destination column takes source column x * 38 / 33.
  for (int x = 0; x < 33; ++x) EXPECT_EQ(dst.At(2 + x, 3), src.At(x * 38 / 33, 0)) << x;
  EXPECT_EQ(dst.At(35, 3), 0u);  // nothing past the destination rectangle
  EXPECT_EQ(dst.At(2, 36), 0u);
}

TEST(StretchedCopy, EnlargesAndClipsAgainstTheDestination) {
  const TBitmap src = Numbered(2, 2);
  TBitmap dst = Filled(3, 3, 0);
  dst.Canvas().StretchBlt(Bounds(-1, -1, 4, 4), src, Bounds(0, 0, 2, 2), SRCCOPY);
  EXPECT_EQ(dst.At(0, 0), src.At(0, 0));
  EXPECT_EQ(dst.At(1, 1), src.At(1, 1));
  EXPECT_EQ(dst.At(2, 2), src.At(1, 1));
  EXPECT_EQ(dst.At(1, 0), src.At(1, 0));
}

TEST(StretchedCopy, CopyOntoItselfReadsTheOldPixels) {
  TBitmap b = Numbered(6, 1);
  const TBitmap before = b;
  b.Canvas().StretchBlt(Bounds(1, 0, 5, 1), b, Bounds(0, 0, 5, 1), SRCCOPY);
  for (int x = 1; x < 6; ++x) EXPECT_EQ(b.At(x, 0), before.At(x - 1, 0));
}

TEST(PixelRead, OutsideTheSurfaceIsInvalidNotBlack) {
  const TBitmap b = Filled(5, 4, clBlack);
  EXPECT_EQ(b.Canvas().Pixel(0, 0), clBlack);
  EXPECT_EQ(b.Canvas().Pixel(4, 3), clBlack);
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {5, 0}, {0, 4}, {-100, -100}, {1000, 2}}) {
    EXPECT_EQ(b.Canvas().Pixel(x, y), CLR_INVALID) << x << "," << y;
  }
  EXPECT_NE(CLR_INVALID, clBlack);
}

TEST(FillRect, RightAndBottomAreExclusiveAndClipped) {
  TBitmap b = Filled(5, 5, 0);
  b.Canvas().BrushColor = 0x00FF00;
  b.Canvas().FillRect(TRect{-2, 1, 3, 3});
  EXPECT_EQ(b.At(0, 1), 0x00FF00u);
  EXPECT_EQ(b.At(2, 2), 0x00FF00u);
  EXPECT_EQ(b.At(3, 2), 0u);
  EXPECT_EQ(b.At(2, 3), 0u);
}

TEST(Polygon, FillsTheBandWithTheBrushAndOutlinesWithThePen) {
  TBitmap b = Filled(60, 40, 0x111111);
  b.Canvas().BrushColor = clBlue;
  b.Canvas().PenColor = clBlack;
  // A band like the stage select's: from centre (10, 20) to centre (50, 10), 8 pixels either side.
  b.Canvas().Polygon({{10, 12}, {50, 2}, {50, 18}, {10, 28}});
  EXPECT_EQ(b.At(30, 15), clBlue);    // inside
  EXPECT_EQ(b.At(10, 20), clBlack);   // on the left edge: the pen
  EXPECT_EQ(b.At(10, 12), clBlack);   // a corner
  EXPECT_EQ(b.At(30, 2), 0x111111u);  // outside, above
  EXPECT_EQ(b.At(55, 10), 0x111111u);
  int blue = 0;
  for (TColor c : b.Pixels()) blue += c == clBlue;
  // The parallelogram's area is 40 x 16 = 640; the pen takes its outline.
  EXPECT_GT(blue, 500);
  EXPECT_LT(blue, 640);
}

TEST(ImageList, DrawsByIndexThroughTheMaskAndIgnoresBadIndexes) {
  TImageList list(2, 1);
  TBitmap img(2, 1, clBlack), mask(2, 1, clWhite);
  img.At(0, 0) = 0x0000AA;
  mask.At(0, 0) = clBlack;
  list.Add(img, mask);
  TBitmap dst = Filled(4, 1, 0x505050);
  list.Draw(dst.Canvas(), 1, 0, 0);
  list.Draw(dst.Canvas(), 0, 0, 1);
  list.Draw(dst.Canvas(), 0, 0, -1);
  EXPECT_EQ(dst.At(0, 0), 0x505050u);
  EXPECT_EQ(dst.At(1, 0), 0x0000AAu);
  EXPECT_EQ(dst.At(2, 0), 0x505050u);
  EXPECT_THROW(list.Add(TBitmap(3, 1), TBitmap(3, 1)), std::invalid_argument);
}

TEST(Bitmap, SetSizeKeepsWhatStaysInside) {
  TBitmap b = Numbered(4, 4);
  const TColor kept = b.At(1, 1);
  b.SetWidth(2);
  b.SetHeight(6);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.Height(), 6);
  EXPECT_EQ(b.At(1, 1), kept);
  EXPECT_EQ(b.At(1, 5), 0u);
}

}  // namespace
}  // namespace wispen
