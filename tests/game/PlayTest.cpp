#include <gtest/gtest.h>

#include <filesystem>

#include "support/GameFixture.h"

namespace wispen::testing {
namespace {

class Play : public GameFixture {
 protected:
  // The stage is written before the game is created, so a test can change it first.
  void Begin(const TestStage& stage = TestStage{}, int souls = 2) {
    WriteTestStage(dir.string(), stage);
    CreateGame();
    Main().SpeedFactor = 1;
    ShowWithoutOpening();
    StartStage(stage.Number, souls);
  }
  // Puts the soul's top-left on map point (x, y) for the view of the coming tick.
  void MoveSoulToMap(int x, int y) {
    const TPoint next = Main().PathPoints[Main().PathIndex + 1];
    Move(x - next.X + 70, y - next.Y + 60);
  }
  // Runs play ticks until the main timer stops; returns how many ran.
  int PlayOut(int limit = 10000) {
    int ticks = 0;
    while (Main().MainTimer.Enabled() && ticks < limit) {
      Wait(50);
      ++ticks;
    }
    return ticks;
  }
  int BurstTicks() {
    int ticks = 0;
    while (Main().BoomCursorTimer.Enabled() && ticks < 100) {
      const int32_t before = Main().BoomCursorTimer.Tag;
      Wait(1);
      ticks += Main().BoomCursorTimer.Tag - before;
    }
    return ticks;
  }
};

TEST_F(Play, TheStageStartsWithTheSoulOnItsStartPoint) {
  Begin();
  EXPECT_TRUE(Main().MainTimer.Enabled());
  EXPECT_FALSE(Main().StartTimer.Enabled());
  EXPECT_TRUE(Main().SoulActive);
  EXPECT_EQ(Main().PathIndex, 0);
  // The warp's mouse move has placed the soul where the pointer landed: on its start point.
  EXPECT_EQ(Main().MouseX, 200 - 0 + 70);
  EXPECT_EQ(Main().MouseY, 180 - 50 + 60);
  EXPECT_EQ(Main().SoulX, 200 + 100);
  const std::string log = EventLog();
  const auto at = [&](const std::string& e) { return log.find(e); };
  ASSERT_NE(at("effect load 1"), std::string::npos);
  EXPECT_LT(at("effect load 1"), at("effect play"));
  EXPECT_LT(at("effect play"), at("effect load 2"));
  EXPECT_LT(at("effect load 2"), at("music play 1"));
  EXPECT_LT(at("music play 1"), at("cursor hidden"));
  EXPECT_LT(at("cursor hidden"), at("warp 270 190"));
}

TEST_F(Play, ReachingTheGoalBooksTheNextStage) {
  Begin(TestStage{}, 9);
  Main().StagesOpen = 1;
  Wait(500);
  MoveSoulToMap(305, 160);
  Wait(50);
  EXPECT_FALSE(Main().MainTimer.Enabled());
  EXPECT_EQ(Main().MenuMode(), 4);
  EXPECT_EQ(Main().CurrentStage, 2);
  EXPECT_EQ(Main().StagesOpen, 2);
  EXPECT_EQ(Main().SoulsLeft, 9);  // at most nine
  EXPECT_FALSE(Main().SoulActive);
  EXPECT_NE(EventLog().find("music play 2"), std::string::npos);
}

TEST_F(Play, TheGoalCountsOnItsRightAndBottomEdges) {
  TestStage stage;
  stage.GoalRect = TRect{300, 150, 320, 200};
  Begin(stage);
  MoveSoulToMap(320, 200);
  Wait(50);
  EXPECT_EQ(Main().MenuMode(), 4);
}

TEST_F(Play, ClearingAStageOfALaterOpenOneKeepsStagesOpen) {
  Begin();
  Main().StagesOpen = 7;
  MoveSoulToMap(305, 160);
  Wait(50);
  EXPECT_EQ(Main().CurrentStage, 2);
  EXPECT_EQ(Main().StagesOpen, 7);
  EXPECT_EQ(Main().SoulsLeft, 3);
}

TEST_F(Play, ATouchRunsTheBurstForTwentyNineTicksAndOffersAnotherTry) {
  Begin();
  Move(270, 100);  // the ring's top reaches into the rock above the corridor
  Wait(50);
  EXPECT_FALSE(Main().MainTimer.Enabled());
  EXPECT_TRUE(Main().BoomCursorTimer.Enabled());
  EXPECT_FALSE(Main().SoulActive);
  EXPECT_EQ(Main().BurstX, Main().SoulX - 19);
  EXPECT_EQ(Main().MenuMode(), 0);
  EXPECT_EQ(BurstTicks(), 29);
  EXPECT_EQ(Main().MenuMode(), 2);
  EXPECT_EQ(Main().SoulsLeft, 1);
  EXPECT_EQ(Main().SoulsUsed, 1);
  EXPECT_EQ(Main().BoomCursorTimer.Interval(), 60);
  const std::string log = EventLog();
  EXPECT_LT(log.find("effect play", log.find("music play 1")),
            log.find("music stop", log.find("music play 1")));
  EXPECT_NE(log.find("cursor shown"), std::string::npos);
}

// Whether picture `index` of the list shows on the screen with its top-left at (x, y), where it lies in the
// play window.
bool ShowsSprite(const TBitmap& screen, const TImageList& list, int index, int x, int y) {
  int compared = 0;
  for (int py = 0; py < list.Height(); ++py) {
    for (int px = 0; px < list.Width(); ++px) {
      const int sx = x + px, sy = y + py;
      if (sx < 70 || sx >= 570 || sy < 60 || sy >= 360 || list.Mask(index).At(px, py) != clBlack) continue;
      if (screen.At(sx, sy) != list.Image(index).At(px, py)) return false;
      ++compared;
    }
  }
  return compared > 0;
}

TEST_F(Play, TheBurstShowsTheExplosionOnTheSoulAndThenTheDevilOnItsPath) {
  Begin();
  Move(270, 100);
  Wait(50);
  ASSERT_TRUE(Main().BoomCursorTimer.Enabled());
  const TBitmap& screen = Main().ScreenImage.Picture;
  auto runTo = [&](int ticks) {
    while (Main().BoomCursorTimer.Tag < ticks) Wait(1);
  };
  for (int k = 0; k < 7; ++k) {
    runTo(k + 1);
    EXPECT_TRUE(ShowsSprite(screen, Main().BoomCursorList, k, Main().BurstX - 30, Main().BurstY - 40)) << k;
  }
  const struct {
    int entry, x, y, picture;
  } devil[] = {{1, 40, 68, 0}, {9, 256, 140, 0}, {15, 256, 150, 1}, {20, 256, 150, 6}};
  for (const auto& d : devil) {
    runTo(7 + d.entry + 1);
    EXPECT_TRUE(ShowsSprite(screen, Main().DevilImageList, d.picture, d.x, d.y)) << d.entry;
  }
  runTo(29);
  EXPECT_EQ(Main().MenuMode(), 2);
}

TEST_F(Play, TheLastSoulLostEndsTheGameWithAHighScore) {
  Begin(TestStage{}, 0);
  Main().SoulsUsed = 2;
  Wait(400);
  Move(270, 100);
  PlayOut();
  BurstTicks();
  EXPECT_EQ(Main().SoulsLeft, -1);
  EXPECT_EQ(Main().SoulsUsed, 3);
  EXPECT_EQ(Main().MenuMode(), 3);
  const ScoreEntry& e = Main().HighScores[0];
  EXPECT_EQ(e.Stage, 1);
  EXPECT_EQ(e.Use, 3);
  EXPECT_EQ(e.Conquest, Main().PathPercent());
  EXPECT_GT(e.Conquest, 0);
  EXPECT_NE(EventLog().find("effect load 3"), std::string::npos);
}

TEST_F(Play, ThePathRunningOutLosesTheSoulWhereverItIs) {
  TestStage stage;
  stage.PathLength = 1;
  Begin(stage);
  Wait(50);  // the first tick raises the index to 1 and ends the run before any frame
  EXPECT_EQ(Main().PathIndex, 1);
  EXPECT_TRUE(Main().BoomCursorTimer.Enabled());
  BurstTicks();
  EXPECT_EQ(Main().MenuMode(), 2);
}

TEST_F(Play, APathOfNoStepsEndsAGameAtOneHundredPerCent) {
  TestStage stage;
  stage.PathLength = 0;
  Begin(stage, 0);
  Wait(50);
  BurstTicks();
  EXPECT_EQ(Main().HighScores[0].Conquest, 100);
}

TEST_F(Play, SpeedFactorTwoStepsOnEveryOtherTick) {
  Begin();
  Main().SpeedFactor = 2;
  Wait(50);
  EXPECT_EQ(Main().PathIndex, 1);
  Wait(50);
  EXPECT_EQ(Main().PathIndex, 1);
  Wait(50);
  EXPECT_EQ(Main().PathIndex, 2);
}

TEST_F(Play, ATouchAndTheGoalOnOneTickIsALossExceptInDebugPlay) {
  TestStage stage;
  stage.GoalRect = TRect{0, 0, 899, 399};  // the goal everywhere, so a touch always meets it
  Begin(stage);
  Move(270, 100);
  Wait(50);
  EXPECT_TRUE(Main().BoomCursorTimer.Enabled());
  EXPECT_NE(Main().MenuMode(), 4);

  Main().BoomCursorTimer.SetEnabled(false);
  Main().GameMode = 2;
  StartStage(1);
  Move(270, 100);
  Wait(50);
  EXPECT_EQ(Main().MenuMode(), 4);
  const std::string log = EventLog();
  EXPECT_NE(log.find("effect play", log.rfind("effect load 2")), std::string::npos);
}

TEST_F(Play, InDebugPlayTheSoulSurvivesTouchesButNotTheEndOfThePath) {
  TestStage stage;
  stage.PathLength = 20;
  Begin(stage);
  Main().GameMode = 2;
  Move(270, 100);
  EXPECT_EQ(PlayOut(), 20);
  EXPECT_EQ(Main().PathIndex, 20);
  EXPECT_TRUE(Main().BoomCursorTimer.Enabled());
}

TEST_F(Play, AProbeOnANearlyBlackPixelIsATouch) {
  Begin();
  Wait(50);
  ASSERT_FALSE(Main().SoulHitTest(Main().MouseX, Main().MouseY));
  const TPoint probe{Main().MouseX + 13, Main().MouseY + 0};
  Main().ScreenImage.Picture.At(probe.X, probe.Y) = RGB(1, 1, 1);
  EXPECT_TRUE(Main().SoulHitTest(Main().MouseX, Main().MouseY));
  EXPECT_TRUE(Main().SoulHitTest(-5, 100));   // off the screen
  EXPECT_TRUE(Main().SoulHitTest(620, 100));  // over the stone frame
}

TEST_F(Play, ThePercentageComesOutOneLessWhereTheQuotientRoundsDown) {
  Begin();
  Main().PathLength = 100;
  Main().PathIndex = 53;
  EXPECT_EQ(Main().PathPercent(), 52);
  Main().PathIndex = 50;
  EXPECT_EQ(Main().PathPercent(), 50);
  Main().PathIndex = 100;
  EXPECT_EQ(Main().PathPercent(), 100);
}

TEST_F(Play, MissingStageDataNamesTheStageAndClosesAfterSavingProgress) {
  TestStage stage;
  stage.Number = 3;
  WriteTestStage(dir.string(), stage);
  std::filesystem::remove(dir / "Data" / "StageP3.Dat");
  CreateGame();
  Main().SpeedFactor = 1;
  ShowWithoutOpening();
  StartStage(3);
  EXPECT_TRUE(app->Closed());
  EXPECT_NE(EventLog().find(
                "message \xEF\xBD\xB4\xEF\xBE\x97\xEF\xBD\xB0|There is not data! [3] Install it again."),
            std::string::npos);
  EXPECT_EQ(std::filesystem::file_size(dir / "Data" / "Info.Dat"), 174u);
}

TEST_F(Play, AFailedSaveKeepsTheWindowOpenUntilTheProgressCanBeWritten) {
  CreateGame();
  ShowWithoutOpening();
  // A directory where the progress file must go makes the save fail as an unwritable Data/ would.
  std::filesystem::create_directories(dir / "Data" / "Info.Dat");
  EXPECT_FALSE(app->CloseBox());
  EXPECT_FALSE(app->Closed());
  EXPECT_NE(EventLog().find("message Wispen Version 1|"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "Data" / "Info.Dat"));
  std::filesystem::remove(dir / "Data" / "Info.Dat");
  EXPECT_TRUE(app->CloseBox());
  EXPECT_EQ(std::filesystem::file_size(dir / "Data" / "Info.Dat"), 174u);
}

TEST_F(Play, AMapOfAnotherStageIsDamagedData) {
  TestStage stage;
  stage.Number = 3;
  WriteTestStage(dir.string(), stage);
  std::filesystem::rename(dir / "Data" / "StageP3.Dat", dir / "Data" / "StageP4.Dat");
  std::filesystem::copy(dir / "Data" / "Stage3.Dat", dir / "Data" / "Stage4.Dat");
  CreateGame();
  ShowWithoutOpening();
  StartStage(4);
  EXPECT_TRUE(app->Closed());
  EXPECT_NE(EventLog().find("There is not data! [4]"), std::string::npos);
}

TEST_F(Play, APathThatLeavesTheMapIsDamagedData) {
  TestStage stage;
  stage.StepX = 5;  // 100 steps of 5 pixels take the view past the map's right edge
  WriteTestStage(dir.string(), stage);
  CreateGame();
  ShowWithoutOpening();
  StartStage(1);
  EXPECT_TRUE(app->Closed());
  EXPECT_FALSE(Main().MainTimer.Enabled());
}

TEST_F(Play, AnObstacleCrossingTheCorridorIsDeadly) {
  TestStage stage;
  stage.ObstacleCount = 1;
  Begin(stage);
  // The red block stands at map (300, 110) on step 0; the ring's top edge reaches into it.
  MoveSoulToMap(295, 110);
  Wait(50);
  EXPECT_TRUE(Main().BoomCursorTimer.Enabled());
}

}  // namespace
}  // namespace wispen::testing
