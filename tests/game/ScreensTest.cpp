#include <gtest/gtest.h>

#include "core/GameState.h"
#include "screens/DebugUnit.h"
#include "screens/NumberUnit.h"
#include "screens/ScoreUnit.h"
#include "support/GameFixture.h"

namespace wispen::testing {
namespace {

TEST(PadNumber, RightAlignsAndKeepsTheLastDigits) {
  EXPECT_EQ(PadNumber(7, 4), "   7");
  EXPECT_EQ(PadNumber(2750, 5), " 2750");
  EXPECT_EQ(PadNumber(12345, 4), "2345");
  EXPECT_EQ(PadNumber(-3, 4), "  -3");
}

TEST(InsertHighScore, RanksByStageThenConquestThenFewestSouls) {
  std::array<ScoreEntry, 10> t{};
  InsertHighScore(t, 3, 45, 4);
  EXPECT_EQ(t[0], (ScoreEntry{3, 45, 4, 690}));
  InsertHighScore(t, 4, 0, 9);  // a higher stage goes above, whatever the points
  EXPECT_EQ(t[0].Stage, 4);
  InsertHighScore(t, 4, 50, 20);
  InsertHighScore(t, 4, 49, 0);
  EXPECT_EQ(t[0].Conquest, 50);
  EXPECT_EQ(t[1].Conquest, 49);
  InsertHighScore(t, 2, 37, 6);
  EXPECT_EQ(t[4], (ScoreEntry{2, 37, 6, 338}));
  EXPECT_EQ(t[5], ScoreEntry{});
}

TEST(InsertHighScore, SoulCountsFromADamagedFileGiveBoundedPoints) {
  std::array<ScoreEntry, 10> t{};
  InsertHighScore(t, 3, 45, -1);  // divides by zero
  EXPECT_EQ(t[0].Point, INT32_MAX);
  InsertHighScore(t, 3, 45, -2);
  EXPECT_EQ(t[0].Point, -3450);
  InsertHighScore(t, 2, 0, INT32_MAX);
  EXPECT_EQ(t[2].Point, 0);
}

TEST(InsertHighScore, AnEqualGameGoesAfterAndAFullTableOfBetterGamesRefusesIt) {
  std::array<ScoreEntry, 10> t{};
  for (int i = 0; i < 10; ++i) t[i] = ScoreEntry{10 - i, 50, 3, i};
  InsertHighScore(t, 8, 50, 3);  // equal to entry 2
  EXPECT_EQ(t[2].Point, 2);
  EXPECT_EQ(t[3], (ScoreEntry{8, 50, 3, 2125}));
  EXPECT_EQ(t[4].Point, 3);
  EXPECT_EQ(t[9].Point, 8);  // the old last entry dropped out

  std::array<ScoreEntry, 10> full{};
  full.fill(ScoreEntry{10, 100, 1, 5500});
  InsertHighScore(full, 10, 100, 1);
  for (const ScoreEntry& e : full) EXPECT_EQ(e, (ScoreEntry{10, 100, 1, 5500}));
  std::array<ScoreEntry, 10> one{};
  InsertHighScore(one, 1, 0, 3);
  EXPECT_EQ(one[0].Point, 250);
}

class Screens : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    CreateGame();
  }
  TCanvas& Screen() { return Main().ScreenImage.Picture.Canvas(); }
  // Whether anything of digit picture d shows at (x, y): the digit's own pixels differ from the frame's.
  bool DigitAt(int d, int x, int y) {
    const TImageList& digits = forms->NumberForm->NumberImageList;
    for (int py = 0; py < digits.Height(); ++py)
      for (int px = 0; px < digits.Width(); ++px)
        if (digits.Mask(d).At(px, py) == clBlack &&
            Main().ScreenImage.Picture.At(x + px, y + py) != digits.Image(d).At(px, py))
          return false;
    return true;
  }
  bool FrameAt(const TBitmap& frame, const TRect& r) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (Main().ScreenImage.Picture.At(x, y) != frame.At(x, y)) return false;
    return true;
  }
};

TEST_F(Screens, TheFieldsAfterTheFirstShow) {
  const TBitmap frame = Main().ScreenImage.Picture;
  ShowWithoutOpening();
  EXPECT_TRUE(DigitAt(1, 261, 384));
  EXPECT_TRUE(FrameAt(frame, TRect{236, 384, 261, 422}));
  EXPECT_TRUE(DigitAt(0, 526, 384));
  EXPECT_TRUE(FrameAt(frame, TRect{476, 384, 526, 422}));
  EXPECT_TRUE(FrameAt(frame, TRect{0, 436, 640, 469}));
}

TEST_F(Screens, StageNumbersAndTheLifeCountdown) {
  const TBitmap frame = Main().ScreenImage.Picture;
  ShowWithoutOpening();
  TNumberForm& numbers = *forms->NumberForm;
  numbers.DrawStageNumber(10, Screen());
  EXPECT_TRUE(DigitAt(1, 236, 384));
  EXPECT_TRUE(DigitAt(0, 261, 384));
  numbers.DrawStageNumber(3, Screen());
  EXPECT_TRUE(DigitAt(3, 261, 384));
  EXPECT_TRUE(FrameAt(frame, TRect{236, 384, 261, 422}));

  numbers.DrawLife(0, Screen());
  EXPECT_TRUE(DigitAt(9, 501, 384));
  EXPECT_TRUE(DigitAt(9, 526, 384));
  numbers.DrawLife(95, Screen());
  EXPECT_TRUE(DigitAt(4, 526, 384));
  EXPECT_TRUE(FrameAt(frame, TRect{476, 384, 526, 422}));
  // The same value again draws nothing: a mark on the field stays.
  Main().ScreenImage.Picture.At(480, 390) = 0x0102FE;
  numbers.DrawLife(95, Screen());
  EXPECT_EQ(Main().ScreenImage.Picture.At(480, 390), 0x0102FEu);
  numbers.DrawLife(100, Screen());
  EXPECT_TRUE(FrameAt(frame, TRect{476, 384, 561, 422}));
}

TEST_F(Screens, SoulIconsRunFromRightToLeft) {
  const TBitmap frame = Main().ScreenImage.Picture;
  ShowWithoutOpening();
  forms->NumberForm->DrawSoulIcons(9, Screen());
  for (int k = 0; k < 9; ++k) EXPECT_FALSE(FrameAt(frame, Bounds(544 - 41 * k, 436, 33, 33))) << k;
  EXPECT_TRUE(FrameAt(frame, TRect{0, 436, 216, 469}));
  forms->NumberForm->DrawSoulIcons(0, Screen());
  EXPECT_TRUE(FrameAt(frame, TRect{0, 436, 640, 469}));
}

TEST_F(Screens, MenuButtonAreasReachOnePixelPastTheButtons) {
  ShowWithoutOpening();
  struct Press {
    int x, y;
    bool starts;
  };
  for (const Press p :
       {Press{265, 337, true}, Press{124, 300, true}, Press{123, 320, false}, Press{200, 338, false}}) {
    Main().DrawMenu(2);
    Main().StartTimer.SetEnabled(false);
    app->MouseDown(TMouseButton::mbLeft, ssLeft, p.x, p.y);
    EXPECT_EQ(Main().StartTimer.Enabled(), p.starts) << p.x << "," << p.y;
  }
}

TEST_F(Screens, TheStageSelectOffersOnlyOpenStagesAndTheEarlierOfTwoOverlapping) {
  ShowWithoutOpening();
  Main().StagesOpen = 3;
  Main().DrawMenu(1);
  app->MouseDown(TMouseButton::mbLeft, ssLeft, 200, 320);  // "Continue"
  EXPECT_EQ(Main().MenuMode(), -1);
  app->MouseDown(TMouseButton::mbLeft, ssLeft, 515, 250);  // stage 4: closed
  EXPECT_EQ(Main().MenuMode(), -1);
  app->MouseDown(TMouseButton::mbLeft, ssLeft, 380, 250);  // where stages 3 and 5 overlap
  EXPECT_EQ(Main().MenuMode(), 0);
  EXPECT_EQ(Main().CurrentStage, 3);
  EXPECT_EQ(Main().SoulsLeft, 2);
  EXPECT_TRUE(Main().StartTimer.Enabled());
}

TEST_F(Screens, TheBandsAreBlueUpToTheLastOpenStageAndAStoredCountPastTenIsKeptInRange) {
  ShowWithoutOpening();
  Main().StagesOpen = 3;
  Main().DrawStageSelect();
  const TBitmap& s = Main().ScreenImage.Picture;
  EXPECT_EQ(s.At(190, 312), clBlue);  // band 1-2, between the two pictures
  EXPECT_EQ(s.At(320, 287), clBlue);  // band 2-3
  EXPECT_EQ(s.At(450, 262), clGray);  // band 3-4
  Main().StagesOpen = 77;
  Main().DrawStageSelect();
  EXPECT_EQ(s.At(450, 262), clBlue);
  Main().MenuMode() = -1;
  app->MouseDown(TMouseButton::mbLeft, ssLeft, 515, 100);
  EXPECT_EQ(Main().CurrentStage, 10);
}

TEST_F(Screens, TheDebugGestureStartsTheChosenStageAndAStrayPressEndsIt) {
  ShowWithoutOpening();
  Main().DrawMenu(1);
  const TPoint first{kDebugFirstSpot.Left, kDebugFirstSpot.Bottom};
  const TPoint second{kDebugSecondSpot.Right, kDebugSecondSpot.Top};
  app->MouseDown(TMouseButton::mbRight, ssRight | kDebugSecondKey, second.X, second.Y);
  EXPECT_EQ(Main().GameMode, PlayMode::Normal);  // step two first does nothing
  app->MouseDown(TMouseButton::mbRight, ssRight | kDebugFirstKey | ssAlt, first.X, first.Y);
  EXPECT_EQ(Main().GameMode, PlayMode::Normal);  // a further key held
  app->MouseDown(TMouseButton::mbRight, ssRight | kDebugFirstKey, first.X, first.Y);
  EXPECT_EQ(Main().GameMode, PlayMode::Unlocking);
  app->MouseDown(TMouseButton::mbRight, ssRight | kDebugFirstKey, first.X, first.Y);
  EXPECT_EQ(Main().GameMode, PlayMode::Normal);  // step one twice
  app->MouseDown(TMouseButton::mbRight, ssRight | kDebugFirstKey, first.X, first.Y);
  forms->DebugForm->SetPosition(6);
  app->MouseDown(TMouseButton::mbRight, ssRight | kDebugSecondKey, second.X, second.Y);
  EXPECT_EQ(Main().GameMode, PlayMode::Invulnerable);
  EXPECT_EQ(Main().CurrentStage, 6);
  EXPECT_EQ(Main().StagesOpen, 10);
  EXPECT_EQ(Main().SoulsLeft, 2);
  EXPECT_TRUE(Main().StartTimer.Enabled());
  EXPECT_NE(EventLog().find("dialog debug 6"), std::string::npos);

  Main().StartTimer.SetEnabled(false);
  Main().DrawMenu(4);
  app->MouseDown(TMouseButton::mbLeft, ssLeft, 10, 10);
  EXPECT_EQ(Main().GameMode, PlayMode::Normal);
}

TEST_F(Screens, TheScoreLinkWorksOnlyInTheGameOverMenu) {
  ShowWithoutOpening();
  Main().HighScores[0] = ScoreEntry{3, 45, 4, 690};
  Main().DrawMenu(3);
  const TRect link = Main().ScoreLinkRect;
  EXPECT_EQ(link.Top, 304);
  app->MouseDown(TMouseButton::mbLeft, ssLeft, link.Left, link.Bottom);
  EXPECT_NE(EventLog().find("grid 1 1|   3|    45|     4|  690"), std::string::npos);
  Main().DrawMenu(1);
  const size_t before = EventLog().size();
  app->MouseDown(TMouseButton::mbLeft, ssLeft, link.Left, link.Bottom);
  EXPECT_EQ(EventLog().find("dialog score", before), std::string::npos);
}

}  // namespace
}  // namespace wispen::testing
