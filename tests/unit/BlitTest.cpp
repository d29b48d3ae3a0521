// The one-to-one copy against the general pixel-by-pixel copy, bit for bit, on random pictures, rectangles
// (inside, across and beyond both edges), raster operations and copies of a picture onto itself.
#include <gtest/gtest.h>

#include <random>
#include <utility>

#include "WrittenRows.h"
#include "platform/Blit.h"

namespace wispen {
namespace {

TBitmap RandomPicture(std::mt19937& random, int maxSide) {
  TBitmap b(static_cast<int>(random() % (maxSide + 1)), static_cast<int>(random() % (maxSide + 1)));
  for (TColor& c : b.Pixels()) c = random();
  return b;
}

int Coordinate(std::mt19937& random, int side) {
  return static_cast<int>(random() % (3 * side + 9)) - side - 4;
}

TEST(OneToOneBlit, MatchesTheGeneralCopyBitForBit) {
  std::mt19937 random(20261208);
  // Unknown codes copy, as the general path does.
  const RasterOp ops[] = {SRCCOPY, SRCAND, SRCPAINT, static_cast<RasterOp>(0x00660046)};
  for (int round = 0; round < 20000; ++round) {
    TBitmap target = RandomPicture(random, 24);
    const bool self = round % 4 == 0;
    const TBitmap other = RandomPicture(random, 24);
    const TBitmap& src = self ? target : other;
    const int w = static_cast<int>(random() % 30) - 2, h = static_cast<int>(random() % 30) - 2;
    const TRect dest = Bounds(Coordinate(random, target.Width()), Coordinate(random, target.Height()), w, h);
    const TRect source = Bounds(Coordinate(random, src.Width()), Coordinate(random, src.Height()), w, h);
    const RasterOp rop = ops[random() % 4];
    TBitmap expected = target;
    StretchBlit(expected, dest, self ? expected : src, source, rop);
    // Through the canvas, which takes the one-to-one path for rectangles of one size.
    const std::vector<TColor> before = std::as_const(target).Pixels();
    target.ForgetWrittenRows();
    target.Canvas().StretchBlt(dest, src, source, rop);
    ASSERT_EQ(UnmarkedChangedRow(before, target), -1) << "round " << round;
    ASSERT_EQ(std::as_const(target).Pixels(), expected.Pixels())
        << "round " << round << " dest " << dest.Left << "," << dest.Top << " size " << w << "x" << h
        << " source " << source.Left << "," << source.Top << (self ? " onto itself" : "");
  }
}

}  // namespace
}  // namespace wispen
