#include <gtest/gtest.h>

#include "PictureChecks.h"
#include "assets/BuiltinPictures.h"

namespace wispen {
namespace {

using test::IsBlack;

constexpr TRect kPlayWindow{70, 60, 570, 360};
constexpr TRect kStageField{236, 384, 346, 422};
constexpr TRect kLifeField{476, 384, 561, 422};

bool Inside(const TRect& r, int x, int y) {
  return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

// Pixels of the glowing lettering: strongly red.
bool Ember(TColor c) {
  return GetRValue(c) > GetGValue(c) + 60 && GetRValue(c) > 120;
}
int EmberPixels(const TBitmap& frame, const TRect& area) {
  int n = 0;
  for (int y = area.Top; y < area.Bottom; ++y) {
    for (int x = area.Left; x < area.Right; ++x) n += Ember(frame.At(x, y)) ? 1 : 0;
  }
  return n;
}

class FrameTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { frame_ = new TBitmap(BuiltinPicture(Builtin::Frame)); }
  static void TearDownTestSuite() {
    delete frame_;
    frame_ = nullptr;
  }
  static const TBitmap& Frame() { return *frame_; }

 private:
  static TBitmap* frame_;
};
TBitmap* FrameTest::frame_ = nullptr;

TEST_F(FrameTest, FillsTheScreenWithAPaletteOfAtMost256Colours) {
  EXPECT_EQ(Frame().Width(), 640);
  EXPECT_EQ(Frame().Height(), 480);
  EXPECT_LE(test::DistinctColours(Frame()), 256);
}

TEST_F(FrameTest, PlayWindowIsPureBlackAndItsEdgeIsDeadly) {
  for (int y = kPlayWindow.Top; y < kPlayWindow.Bottom; ++y) {
    for (int x = kPlayWindow.Left; x < kPlayWindow.Right; ++x)
      ASSERT_TRUE(IsBlack(Frame().At(x, y))) << x << "," << y;
  }
  // The stone touching the window all round is solid, so a soul cannot slip out of the window unharmed.
  for (int x = kPlayWindow.Left - 3; x < kPlayWindow.Right + 3; ++x) {
    for (int y : {kPlayWindow.Top - 1, kPlayWindow.Top - 3, kPlayWindow.Bottom, kPlayWindow.Bottom + 2}) {
      EXPECT_FALSE(IsBlack(Frame().At(x, y))) << x << "," << y;
    }
  }
  for (int y = kPlayWindow.Top; y < kPlayWindow.Bottom; ++y) {
    for (int x : {kPlayWindow.Left - 1, kPlayWindow.Left - 3, kPlayWindow.Right, kPlayWindow.Right + 2}) {
      EXPECT_FALSE(IsBlack(Frame().At(x, y))) << x << "," << y;
    }
  }
}

TEST_F(FrameTest, AboutThreeQuartersOfTheStoneIsNotBlack) {
  int stone = 0, solid = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 640; ++x) {
      if (Inside(kPlayWindow, x, y)) continue;
      ++stone;
      solid += IsBlack(Frame().At(x, y)) ? 0 : 1;
    }
  }
  const double share = static_cast<double>(solid) / stone;
  EXPECT_GT(share, 0.70);
  EXPECT_LT(share, 0.80);
}

TEST_F(FrameTest, StoneIsLitFromTheTopLeft) {
  // The moulding's slope above the window faces away from the light, the one below it faces the light.
  int above = 0, below = 0;
  for (int x = 100; x < 540; ++x) {
    above += test::Brightness(Frame().At(x, kPlayWindow.Top - 2));
    below += test::Brightness(Frame().At(x, kPlayWindow.Bottom + 1));
  }
  EXPECT_GT(below, above * 3 / 2);
}

TEST_F(FrameTest, CaptionsStandLeftOfTheirDigitFields) {
  EXPECT_GT(EmberPixels(Frame(), {140, 384, 236, 422}), 150) << "Stage";
  EXPECT_GT(EmberPixels(Frame(), {400, 384, 476, 422}), 100) << "Life";
  EXPECT_EQ(EmberPixels(Frame(), kStageField), 0);
  EXPECT_EQ(EmberPixels(Frame(), kLifeField), 0);
}

TEST_F(FrameTest, DigitsStandOutOnTheirFields) {
  // A digit drawn where the display draws it must differ clearly from the ground it lands on.
  const TImageList digits = BuiltinDigitList();
  for (const TRect& field : {kStageField, kLifeField}) {
    TBitmap screen = Frame();
    digits.Draw(screen.Canvas(), field.Left + 25, field.Top, 8);
    int changed = 0, strong = 0;
    for (int y = field.Top; y < field.Bottom; ++y) {
      for (int x = field.Left + 25; x < field.Left + 50; ++x) {
        const TColor before = Frame().At(x, y), after = screen.At(x, y);
        if (before == after) continue;
        ++changed;
        strong += std::abs(test::Brightness(after) - test::Brightness(before)) > 80 ? 1 : 0;
      }
    }
    EXPECT_GT(changed, 150);
    EXPECT_GT(strong * 3, changed);
  }
}

}  // namespace
}  // namespace wispen
