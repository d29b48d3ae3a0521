#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "platform/PictureChanges.h"

namespace wispen {
namespace {

// Random spans changed in random rows of pictures whose rows end inside a step of the row copy or on its
// edge: the shown picture becomes the new one on every flagged row, and the rectangle is the smallest that
// holds every change.
TEST(PictureChanges, TheShownPictureTakesEveryChangeAndTheAreaHoldsThemExactly) {
  std::mt19937 random(7);
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  for (int width : {1, 255, 256, 640, 700}) {
    for (int round = 0; round < 20; ++round) {
      const int height = 1 + below(12);
      std::vector<TColor> shown(static_cast<size_t>(width) * height);
      for (TColor& p : shown) p = static_cast<TColor>(random());
      std::vector<TColor> picture = shown;
      std::vector<uint8_t> flags(static_cast<size_t>(height));
      TRect want{width, height, 0, 0};
      for (int y = 0; y < height; ++y) {
        flags[y] = static_cast<uint8_t>(below(3) != 0);
        if (flags[y] == 0 || below(2) == 0) continue;
        const int left = below(width), right = left + 1 + below(width - left);
        for (int x = left; x < right; ++x) picture[static_cast<size_t>(y) * width + x] ^= 0x10101u;
        want = {std::min(want.Left, left), std::min(want.Top, y), std::max(want.Right, right), y + 1};
      }
      const std::optional<TRect> got = TakeChanges(shown, picture, width, flags.data());
      ASSERT_EQ(shown, picture) << width << " wide, round " << round;
      ASSERT_EQ(got.has_value(), want.Bottom > 0) << width << " wide, round " << round;
      if (got) {
        EXPECT_EQ(*got, want) << width << " wide, round " << round;
      }
    }
  }
}

}  // namespace
}  // namespace wispen
