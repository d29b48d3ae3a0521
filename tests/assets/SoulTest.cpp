#include <gtest/gtest.h>

#include <queue>

#include "PictureChecks.h"
#include "SoulShape.h"
#include "assets/BuiltinPictures.h"
#include "core/ProbeOffsets.h"

namespace wispen {
namespace {

class SoulTest : public ::testing::Test {
 protected:
  const TBitmap colour_ = BuiltinPicture(Builtin::SoulColour);
  const TBitmap mask_ = BuiltinPicture(Builtin::SoulMask);
  bool Soul(int x, int y) const { return mask_.Contains(x, y) && mask_.At(x, y) == clBlack; }
};

TEST_F(SoulTest, IsA38PixelSquareSprite) {
  EXPECT_EQ(colour_.Width(), 38);
  EXPECT_EQ(colour_.Height(), 38);
  EXPECT_EQ(mask_.Width(), 38);
  EXPECT_EQ(mask_.Height(), 38);
}

TEST_F(SoulTest, EveryProbeIsTransparentAndTouchesTheSoul) {
  for (size_t i = 0; i < ProbeOffsets.size(); ++i) {
    const TPoint p = ProbeOffsets[i];
    SCOPED_TRACE("probe " + std::to_string(i + 1) + " at " + std::to_string(p.X) + "," + std::to_string(p.Y));
    ASSERT_TRUE(mask_.Contains(p.X, p.Y));
    EXPECT_EQ(mask_.At(p.X, p.Y), clWhite);
    EXPECT_EQ(colour_.At(p.X, p.Y), clBlack);
    bool touches = false;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) touches = touches || Soul(p.X + dx, p.Y + dy);
    }
    EXPECT_TRUE(touches);
  }
}

TEST_F(SoulTest, LiesWholeInsideItsRing) {
  const std::vector<art::Vec2> ring = art::SoulRing();
  int pixels = 0;
  for (int y = 0; y < 38; ++y) {
    for (int x = 0; x < 38; ++x) {
      if (!Soul(x, y)) continue;
      ++pixels;
      EXPECT_TRUE(art::InsideRing(ring, {x + 0.5f, y + 0.5f})) << x << "," << y;
    }
  }
  // And it fills the ring: a sliver of a soul would leave probes far from any of its pixels.
  EXPECT_GT(pixels, 550);
}

TEST_F(SoulTest, RingRunsRoundOnceWithoutCrossingItself) {
  const std::vector<art::Vec2> ring = art::SoulRing();
  ASSERT_EQ(ring.size(), ProbeOffsets.size());
  std::vector<bool> used(ProbeOffsets.size(), false);
  for (int i : art::kSoulRingOrder) {
    ASSERT_FALSE(used.at(i)) << "probe " << i << " twice";
    used[i] = true;
  }
  const size_t n = ring.size();
  const auto crosses = [](art::Vec2 a, art::Vec2 b, art::Vec2 c, art::Vec2 d) {
    const auto side = [](art::Vec2 p, art::Vec2 q, art::Vec2 r) { return art::Cross(q - p, r - p); };
    return side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0;
  };
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;  // neighbours through the closing edge
      EXPECT_FALSE(crosses(ring[i], ring[(i + 1) % n], ring[j], ring[(j + 1) % n])) << i << " and " << j;
    }
  }
}

TEST_F(SoulTest, IsOnePaleGlowingPieceWithTwoDarkEyes) {
  // One piece: every soul pixel reachable from any other through soul pixels.
  int total = 0, start = -1;
  for (int i = 0; i < 38 * 38; ++i) {
    if (mask_.Pixels()[i] == clBlack) {
      ++total;
      start = i;
    }
  }
  ASSERT_GE(start, 0);
  std::vector<bool> seen(38 * 38, false);
  std::queue<int> todo;
  todo.push(start);
  seen[start] = true;
  int reached = 0;
  while (!todo.empty()) {
    const int i = todo.front();
    todo.pop();
    ++reached;
    const int x = i % 38, y = i / 38;
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
      if (Soul(x + dx, y + dy) && !seen[(y + dy) * 38 + x + dx]) {
        seen[(y + dy) * 38 + x + dx] = true;
        todo.push((y + dy) * 38 + x + dx);
      }
    }
  }
  EXPECT_EQ(reached, total);

  int pale = 0, dark = 0, darkLeft = 0;
  for (int y = 0; y < 38; ++y) {
    for (int x = 0; x < 38; ++x) {
      if (!Soul(x, y)) continue;
      const TColor c = colour_.At(x, y);
      if (GetBValue(c) > 200 && GetGValue(c) > 200 && GetRValue(c) > 150) ++pale;
      if (test::Brightness(c) < 60) {
        ++dark;
        darkLeft += x < 22 ? 1 : 0;
      }
    }
  }
  EXPECT_GT(pale, 150);
  // Two eyes of some 20 pixels each, one either side of the head's middle.
  EXPECT_GT(dark, 16);
  EXPECT_LT(dark, 80);
  EXPECT_GT(darkLeft, dark / 3);
  EXPECT_LT(darkLeft, dark * 2 / 3);
}

}  // namespace
}  // namespace wispen
