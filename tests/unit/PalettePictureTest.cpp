// A palette picture against the same picture at 32 bits: every draw, with its raster operation, clipped at
// either picture's edges, must leave the target bit for bit as the 32-bit copy does, also along walks of
// small steps (the window of the map's last slice) broken by jumps and changes of size.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "WrittenRows.h"
#include "platform/Blit.h"
#include "platform/PalettePicture.h"

namespace wispen {
namespace {

// Runs of random colours from a palette of `colours`.
TBitmap RandomPicture(std::mt19937& random, int width, int height, int colours) {
  std::vector<TColor> palette(static_cast<size_t>(colours));
  for (TColor& c : palette) c = random() & 0xFFFFFF;
  TBitmap b(width, height);
  TColor c = palette[0];
  for (TColor& p : b.Pixels()) {
    if (random() % 4 == 0) c = palette[random() % palette.size()];
    p = c;
  }
  return b;
}

TEST(PalettePicture, DrawsAsTheSamePictureAt32BitsDoes) {
  std::mt19937 random(8122026);
  const RasterOp ops[] = {SRCCOPY, SRCAND, SRCPAINT, static_cast<RasterOp>(0x00660046)};
  int wide = 0;
  for (int picture = 0; picture < 40; ++picture) {
    const int colours = picture % 8 == 7 ? 300 : 1 + static_cast<int>(random() % 256);
    const TBitmap reference = RandomPicture(random, 1 + static_cast<int>(random() % 90),
                                            1 + static_cast<int>(random() % 60), colours);
    const PalettePicture held{TBitmap(reference)};
    const std::set<TColor> used(reference.Pixels().begin(), reference.Pixels().end());
    ASSERT_EQ(held.Indexed(), used.size() <= 256);
    wide += held.Indexed() ? 0 : 1;
    ASSERT_EQ(held.ToBitmap().Pixels(), reference.Pixels());
    EXPECT_EQ(held.Pixel(-1, 0), CLR_INVALID);
    EXPECT_EQ(held.Pixel(reference.Width(), 0), CLR_INVALID);
    TBitmap target(50, 40), expected(50, 40);
    int x = 0, y = 0, w = 20, h = 15;
    for (int step = 0; step < 300; ++step) {
      if (random() % 10 == 0) {  // a jump, perhaps with another size
        x = static_cast<int>(random() % 130) - 30;
        y = static_cast<int>(random() % 100) - 30;
        if (random() % 2 == 0) w = static_cast<int>(random() % 45), h = static_cast<int>(random() % 35);
      } else {
        x += static_cast<int>(random() % 7) - 3;
        y += static_cast<int>(random() % 7) - 3;
      }
      const TRect dest =
          Bounds(static_cast<int>(random() % 70) - 10, static_cast<int>(random() % 60) - 10, w, h);
      const RasterOp rop = ops[random() % 4];
      for (TColor& p : target.Pixels()) p = random();
      expected = target;
      OneToOneBlit(expected, dest, reference, Bounds(x, y, w, h), rop);
      const std::vector<TColor> before = std::as_const(target).Pixels();
      target.ForgetWrittenRows();
      held.Draw(target, dest, x, y, rop);
      ASSERT_EQ(UnmarkedChangedRow(before, target), -1) << "picture " << picture << " step " << step;
      ASSERT_EQ(std::as_const(target).Pixels(), expected.Pixels())
          << "picture " << picture << " step " << step << " from " << x << "," << y << " size " << w << "x"
          << h;
    }
  }
  EXPECT_GT(wide, 0);  // pictures of more than 256 colours were drawn too
}

}  // namespace
}  // namespace wispen
