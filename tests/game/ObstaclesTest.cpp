#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/Errors.h"
#include "sdl/SdlImageCodec.h"
#include "stage/Obstacles.h"
#include "support/TestStage.h"

namespace wispen {
namespace {

// A strip of `frames` 2x2 frames: masks black, colour frame f filled with colour base + f.
TBitmap Strip(int frames, TColor base) {
  TBitmap strip(2 * frames, 4, clBlack);
  for (int f = 0; f < frames; ++f)
    for (int y = 2; y < 4; ++y)
      for (int x = 2 * f; x < 2 * f + 2; ++x) strip.At(x, y) = base + static_cast<TColor>(f);
  return strip;
}

ObstacleRecord Record(int32_t slot, int32_t period, int32_t count) {
  ObstacleRecord r;
  r.Slot = slot;
  r.FrameWidth = 2;
  r.FrameHeight = 2;
  r.StepPeriod = period;
  r.StepCount = count;
  for (int s = 0; s < 100; ++s) {
    r.StepX[s] = 10 * s;
    r.StepY[s] = 0;
    r.StepFrame[s] = s % 3;
  }
  return r;
}

struct Drawn {
  int step;
  TColor colour;
};

// Which step is drawn (found by its x) and with which colour, for one obstacle at the given path index.
Drawn DrawAt(const StageContent& stage, const AnimaSlots& slots, int32_t pathIndex) {
  TBitmap back(600, 400, clBlack);
  DrawObstacles(stage, slots, pathIndex, 0, 0, back);
  for (int s = 0; s < 50; ++s) {
    const TColor c = back.At(100 + 10 * s, 100);
    if (c != clBlack) return {s, c};
  }
  return {-1, clBlack};
}

struct ObstacleFixture : ::testing::Test {
  StageContent stage;
  AnimaSlots slots;
  void SetUp() override {
    stage.ObstacleCount = 1;
    for (int i = 0; i < kAnimaSlotCount; ++i) slots[i].Picture = PalettePicture(Strip(3, 0x100 * (i + 1)));
  }
};

TEST_F(ObstacleFixture, EachStepLastsItsPeriodAndTheCycleRepeats) {
  stage.Obstacles[0] = Record(0, 2, 4);
  const int expected[] = {0, 0, 1, 1, 2, 2, 3, 3, 0};
  for (int index = 0; index < 9; ++index)
    EXPECT_EQ(DrawAt(stage, slots, index).step, expected[index]) << index;
  EXPECT_EQ(DrawAt(stage, slots, 2).colour, 0x100u + 1);  // step 1 shows frame 1
}

TEST_F(ObstacleFixture, ASingleStepStandsStill) {
  stage.Obstacles[0] = Record(3, 1, 1);
  for (int index : {0, 1, 57, 999}) EXPECT_EQ(DrawAt(stage, slots, index).step, 0);
}

TEST_F(ObstacleFixture, SlotsOutsideZeroToEighteenDrawFromSlotNineteen) {
  for (int32_t slot : {19, -1, 25, 1000}) {
    stage.Obstacles[0] = Record(slot, 1, 1);
    EXPECT_EQ(DrawAt(stage, slots, 0).colour, 0x100u * 20) << slot;
  }
  stage.Obstacles[0] = Record(18, 1, 1);
  EXPECT_EQ(DrawAt(stage, slots, 0).colour, 0x100u * 19);
}

TEST_F(ObstacleFixture, NoObstaclesOrAnEmptySlotDrawNothing) {
  stage.Obstacles[0] = Record(5, 1, 1);
  stage.ObstacleCount = 0;
  EXPECT_EQ(DrawAt(stage, slots, 0).step, -1);
  stage.ObstacleCount = -3;
  EXPECT_EQ(DrawAt(stage, slots, 0).step, -1);
  stage.ObstacleCount = 1;
  slots[5].Picture = PalettePicture();
  EXPECT_EQ(DrawAt(stage, slots, 0).step, -1);
}

TEST_F(ObstacleFixture, RecordsOutsideTheLimitsAreSkippedNotDividedBy) {
  stage.ObstacleCount = 31;
  stage.Obstacles[0] = Record(0, 0, 4);
  stage.Obstacles[1] = Record(0, 1, 0);
  stage.Obstacles[2] = Record(0, 1, 101);
  stage.Obstacles[3] = Record(0, 1, 1);
  stage.Obstacles[3].StepX[0] = INT32_MAX;
  EXPECT_EQ(DrawAt(stage, slots, 5).step, -1);
  EXPECT_FALSE(ObstacleInModel(stage.Obstacles[0]));
  EXPECT_TRUE(ObstacleInModel(Record(0, 1, 100)));
}

TEST_F(ObstacleFixture, WhiteMaskWithBlackColourLeavesTheMapAndBlackInBothMakesItSafe) {
  stage.Obstacles[0] = Record(0, 1, 1);
  TBitmap strip(2, 4, clBlack);
  strip.At(0, 0) = clWhite;  // mask white, colour black: the map shows through
  slots[0].Picture = PalettePicture(std::move(strip));
  TBitmap back(600, 400, 0x445566);
  DrawObstacles(stage, slots, 0, 0, 0, back);
  EXPECT_EQ(back.At(100, 100), 0x445566u);
  EXPECT_EQ(back.At(101, 100), clBlack);
}

// Strips are read against their own limit and against what the stage's pictures may take together, the
// strips kept from earlier loads included; each file here is 64 bytes, whatever picture it describes.
TEST(ObstaclePictures, AStripBeyondItsLimitOrTheBudgetIsRefused) {
  const std::filesystem::path dir =
      std::filesystem::path(::testing::TempDir()) / ("obstacle_budget_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir / "Data");
  for (int id = 1; id <= 2; ++id) {
    testing::WriteHugeBmp(dir / "Data" / ("AnimaP" + std::to_string(id) + ".Dat"), 100, id == 1 ? 100 : 4097);
    std::ofstream(dir / "Data" / ("Anima" + std::to_string(id) + ".Dat")) << "twelve bytes";
  }
  StageContent stage;
  stage.AnimaIds.fill(-1);
  AnimaSlots slots;
  SdlImageCodec codec;
  const std::string gameDir = dir.string() + "/";
  stage.AnimaIds[0] = stage.AnimaIds[1] = stage.AnimaIds[2] = 1;
  LoadObstaclePictures(stage, slots, codec, gameDir, gameDir, 3 * 40000);
  EXPECT_EQ(slots[2].Picture.Height(), 100);
  stage.AnimaIds[3] = 1;
  EXPECT_THROW(LoadObstaclePictures(stage, slots, codec, gameDir, gameDir, 3 * 40000), IoError);
  EXPECT_TRUE(slots[3].Picture.Empty());
  stage.AnimaIds.fill(-1);
  stage.AnimaIds[4] = 2;  // 4097 rows
  EXPECT_THROW(LoadObstaclePictures(stage, slots, codec, gameDir, gameDir), IoError);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace wispen
