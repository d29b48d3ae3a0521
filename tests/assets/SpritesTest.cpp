#include <gtest/gtest.h>

#include <map>

#include "PictureChecks.h"
#include "assets/BuiltinPictures.h"

namespace wispen {
namespace {

using test::SpritePixels;

// A mask is black or white and nothing else, and the colour picture is black wherever the mask is white.
void ExpectConsistent(const TBitmap& colour, const TBitmap& mask, const std::string& what) {
  SCOPED_TRACE(what);
  ASSERT_EQ(colour.Width(), mask.Width());
  ASSERT_EQ(colour.Height(), mask.Height());
  int strayMask = 0, strayColour = 0;
  for (size_t i = 0; i < mask.Pixels().size(); ++i) {
    const TColor m = mask.Pixels()[i];
    if (m != clBlack && m != clWhite) ++strayMask;
    if (m == clWhite && colour.Pixels()[i] != clBlack) ++strayColour;
  }
  EXPECT_EQ(strayMask, 0);
  EXPECT_EQ(strayColour, 0);
  EXPECT_GT(SpritePixels(mask), 0);
  EXPECT_LE(test::DistinctColours(colour), 256);
}

void ExpectList(const TImageList& list, int count, int width, int height, const std::string& what) {
  ASSERT_EQ(list.Count(), count) << what;
  EXPECT_EQ(list.Width(), width) << what;
  EXPECT_EQ(list.Height(), height) << what;
  for (int i = 0; i < count; ++i)
    ExpectConsistent(list.Image(i), list.Mask(i), what + " " + std::to_string(i));
}

// The box that holds the sprite's pixels: Left, Top, Right, Bottom (exclusive).
TRect Extent(const TBitmap& mask) {
  TRect r{mask.Width(), mask.Height(), 0, 0};
  for (int y = 0; y < mask.Height(); ++y) {
    for (int x = 0; x < mask.Width(); ++x) {
      if (mask.At(x, y) != clBlack) continue;
      r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
    }
  }
  return r;
}

int Differences(const TBitmap& a, const TBitmap& b) {
  int n = 0;
  for (size_t i = 0; i < a.Pixels().size(); ++i) n += a.Pixels()[i] != b.Pixels()[i] ? 1 : 0;
  return n;
}

TEST(SpritesTest, SinglePicturesHaveTheirSizesAndMatchingMasks) {
  const struct {
    Builtin colour, mask;
    int width, height;
    const char* name;
  } sprites[] = {
      {Builtin::SoulColour, Builtin::SoulMask, 38, 38, "soul"},
      {Builtin::CurtainColour, Builtin::CurtainMask, 500, 100, "curtain"},
      {Builtin::BeamColour, Builtin::BeamMask, 49, 49, "beam"},
      {Builtin::AngelColour, Builtin::AngelMask, 62, 100, "angel"},
  };
  for (const auto& s : sprites) {
    const TBitmap colour = BuiltinPicture(s.colour);
    EXPECT_EQ(colour.Width(), s.width) << s.name;
    EXPECT_EQ(colour.Height(), s.height) << s.name;
    ExpectConsistent(colour, BuiltinPicture(s.mask), s.name);
  }
  const TBitmap button = BuiltinPicture(Builtin::Button);
  EXPECT_EQ(button.Width(), 141);
  EXPECT_EQ(button.Height(), 37);
  const TBitmap icon = BuiltinPicture(Builtin::Icon);
  EXPECT_EQ(icon.Width(), 32);
  EXPECT_EQ(icon.Height(), 32);
  EXPECT_LE(test::DistinctColours(icon), 16);
}

TEST(SpritesTest, ImageListsHaveTheirCountsSizesAndMasks) {
  ExpectList(BuiltinBurstList(), 7, 76, 76, "burst");
  ExpectList(BuiltinDevilList(), 8, 150, 165, "devil");
  ExpectList(BuiltinStageList(), 10, 60, 60, "stage");
  ExpectList(BuiltinDigitList(), 11, 25, 38, "digit");
}

TEST(SpritesTest, ButtonFaceIsLightWhereTheBlackLabelsGo) {
  const TBitmap button = BuiltinPicture(Builtin::Button);
  int darkest = 255;
  for (int y = 8; y < 28; ++y) {
    for (int x = 6; x < 120; ++x) darkest = std::min(darkest, test::Brightness(button.At(x, y)));
  }
  EXPECT_GT(darkest, 150);
}

TEST(SpritesTest, CurtainIsABlackBodyWithRedDripsBelow) {
  const TBitmap colour = BuiltinPicture(Builtin::CurtainColour), mask = BuiltinPicture(Builtin::CurtainMask);
  int topBlack = 0, bottomOpen = 0, red = 0, dripsAtBottomHalf = 0;
  for (int x = 0; x < 500; ++x) {
    EXPECT_EQ(mask.At(x, 0), clBlack) << x;
    topBlack += colour.At(x, 0) == clBlack ? 1 : 0;
    bottomOpen += mask.At(x, 99) == clWhite ? 1 : 0;
    dripsAtBottomHalf += mask.At(x, 70) == clBlack ? 1 : 0;
  }
  for (TColor c : colour.Pixels()) red += GetRValue(c) > 100 && GetGValue(c) < 60 ? 1 : 0;
  EXPECT_EQ(topBlack, 500);
  EXPECT_EQ(bottomOpen, 500);
  EXPECT_GT(dripsAtBottomHalf, 10);
  EXPECT_LT(dripsAtBottomHalf, 250);
  EXPECT_GT(red, 5000);
}

TEST(SpritesTest, BurstGrowsThenFraysIntoSmoke) {
  const TImageList burst = BuiltinBurstList();
  int lastWidth = 0;
  for (int i = 0; i < 4; ++i) {
    const TRect e = Extent(burst.Mask(i));
    EXPECT_GT(e.Width(), lastWidth) << i;
    lastWidth = e.Width();
    // Centred on the soul: the middle of the picture is the middle of the blast.
    EXPECT_NEAR((e.Left + e.Right) / 2.0, 38, 4) << i;
  }
  const auto share = [&](int i, auto&& test) {
    int n = 0;
    for (TColor c : burst.Image(i).Pixels()) n += test(c) ? 1 : 0;
    return static_cast<double>(n) / SpritePixels(burst.Mask(i));
  };
  const auto grey = [](TColor c) {
    return c != clBlack && std::abs(GetRValue(c) - GetBValue(c)) < 30 && test::Brightness(c) < 140;
  };
  const auto whiteHot = [](TColor c) { return test::Brightness(c) > 220; };
  EXPECT_GT(share(0, whiteHot), 0.3);
  EXPECT_LT(share(6, whiteHot), 0.02);
  EXPECT_LT(share(1, grey), 0.05);
  EXPECT_GT(share(6, grey), 0.3);
}

TEST(SpritesTest, DevilSwingsItsScytheAndChangesOnlyItsFaceAtTheEnd) {
  const TImageList devils = BuiltinDevilList();
  for (int i = 0; i < 7; ++i) {
    EXPECT_GT(Differences(devils.Image(i), devils.Image(i + 1)), 300) << i << " and " << i + 1;
  }
  // Picture 7 is picture 6 with another face: whatever differs lies in the head.
  const TImageList& d = devils;
  for (int y = 0; y < 165; ++y) {
    for (int x = 0; x < 150; ++x) {
      if (d.Image(6).At(x, y) != d.Image(7).At(x, y) || d.Mask(6).At(x, y) != d.Mask(7).At(x, y)) {
        EXPECT_TRUE(x > 45 && x < 95 && y > 25 && y < 65) << x << "," << y;
      }
    }
  }
  // Dark purple: of the coloured pixels, most are more blue and red than green, and dark.
  int purple = 0, total = 0;
  for (TColor c : d.Image(0).Pixels()) {
    if (c == clBlack) continue;
    ++total;
    purple +=
        GetBValue(c) > GetGValue(c) + 20 && GetRValue(c) > GetGValue(c) && test::Brightness(c) < 110 ? 1 : 0;
  }
  EXPECT_GT(purple * 2, total);
}

TEST(SpritesTest, EachStageHasItsOwnColourAndAWhiteNumber) {
  const TImageList stages = BuiltinStageList();
  std::vector<std::array<double, 3>> means;
  for (int i = 0; i < 10; ++i) {
    std::array<double, 3> sum{};
    int n = 0, white = 0;
    for (int y = 0; y < 60; ++y) {
      for (int x = 0; x < 60; ++x) {
        const TColor c = stages.Image(i).At(x, y);
        if (stages.Mask(i).At(x, y) != clBlack) continue;
        const bool number = GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200;
        white += number && x > 12 && x < 48 && y > 12 && y < 48 ? 1 : 0;
        if (number) continue;
        sum = {sum[0] + GetRValue(c), sum[1] + GetGValue(c), sum[2] + GetBValue(c)};
        ++n;
      }
    }
    EXPECT_GT(white, 120) << "stage " << i + 1;
    means.push_back({sum[0] / n, sum[1] / n, sum[2] / n});
  }
  for (int a = 0; a < 10; ++a) {
    for (int b = a + 1; b < 10; ++b) {
      const double d = std::abs(means[a][0] - means[b][0]) + std::abs(means[a][1] - means[b][1]) +
                       std::abs(means[a][2] - means[b][2]);
      EXPECT_GT(d, 25) << "stages " << a + 1 << " and " << b + 1;
    }
  }
}

TEST(SpritesTest, DigitsAreDistinctAndTheMinusIsABar) {
  const TImageList digits = BuiltinDigitList();
  for (int a = 0; a < 11; ++a) {
    for (int b = a + 1; b < 11; ++b)
      EXPECT_GT(Differences(digits.Mask(a), digits.Mask(b)), 40) << a << " " << b;
  }
  const TRect minus = Extent(digits.Mask(10));
  EXPECT_GT(minus.Width(), 2 * minus.Height());
  const TRect eight = Extent(digits.Mask(8));
  EXPECT_GT(eight.Height(), 30);
}

TEST(SpritesTest, BeamChangesColourOnlyAcrossItsPath) {
  // The ending stamps the beam along the diagonal to the lower left, each stamp over the last; only a
  // colour that stays the same along that diagonal leaves an even trail.
  const TBitmap colour = BuiltinPicture(Builtin::BeamColour), mask = BuiltinPicture(Builtin::BeamMask);
  const auto in = [&](int x, int y) { return mask.Contains(x, y) && mask.At(x, y) == clBlack; };
  int compared = 0;
  for (int y = 1; y < 49; ++y) {
    for (int x = 0; x < 48; ++x) {
      if (!in(x, y) || !in(x + 1, y - 1)) continue;
      ++compared;
      EXPECT_EQ(colour.At(x, y), colour.At(x + 1, y - 1)) << x << "," << y;
    }
  }
  EXPECT_GT(compared, 1000);
  EXPECT_EQ(colour.At(24, 24), clWhite);
}

TEST(SpritesTest, AngelIsWhiteAndGold) {
  const TBitmap colour = BuiltinPicture(Builtin::AngelColour), mask = BuiltinPicture(Builtin::AngelMask);
  int white = 0, gold = 0;
  for (TColor c : colour.Pixels()) {
    white += test::Brightness(c) > 220 ? 1 : 0;
    gold += GetRValue(c) > 200 && GetGValue(c) > 140 && GetBValue(c) < 120 ? 1 : 0;
  }
  const int pixels = SpritePixels(mask);
  EXPECT_GT(white * 3, pixels);
  EXPECT_GT(gold, 150);
}

}  // namespace
}  // namespace wispen
