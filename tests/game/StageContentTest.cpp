#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "core/GameState.h"
#include "platform/Errors.h"
#include "stage/StageContent.h"

namespace wispen {
namespace {

class StageFile : public ::testing::Test {
 protected:
  std::string path = ::testing::TempDir() + "stage_content_" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".dat";
  void TearDown() override { std::filesystem::remove(path); }

  // A file whose every 32-bit field holds `base` plus its own index.
  static std::vector<uint8_t> Numbered(int32_t base) {
    std::vector<uint8_t> b(kStagePathFileSize);
    for (size_t i = 0; i < b.size() / 4; ++i) {
      const auto v = static_cast<uint32_t>(base + static_cast<int32_t>(i));
      for (int k = 0; k < 4; ++k) b[4 * i + k] = static_cast<uint8_t>(v >> (8 * k));
    }
    return b;
  }
  void Write(const std::vector<uint8_t>& bytes, size_t size) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(size));
  }
};

TEST_F(StageFile, AWholeFileFillsEveryFieldAtItsOffset) {
  Write(Numbered(1000), kStagePathFileSize);
  StageContent stage;
  GameState s;
  EXPECT_TRUE(stage.LoadStagePath(path, s));
  EXPECT_EQ(stage.AnimaIds[0], 1000);
  EXPECT_EQ(stage.AnimaInfo[1].FrameWidth, 1000 + 20 + 3);
  EXPECT_EQ(stage.ObstacleCount, 1000 + 80);
  EXPECT_EQ(stage.Obstacles[2].Slot, 1000 + (324 + 2 * 1220) / 4);
  EXPECT_EQ(stage.Obstacles[29].StepCount, 1000 + (324 + 29 * 1220 + 1216) / 4);
  EXPECT_EQ(s.ViewStart, (TPoint{1000 + 36924 / 4, 1000 + 36928 / 4}));
  EXPECT_EQ(s.GoalRect.Left, 1000 + 36940 / 4);
  EXPECT_EQ(s.GoalRect.Bottom, 1000 + 36952 / 4);
  EXPECT_EQ(s.PathLength, 1000 + 36956 / 4);
  EXPECT_EQ(s.PathPoints[7].X, 1000 + (36960 + 8 * 7) / 4);
  EXPECT_EQ(s.PathPoints[3999].Y, 1000 + (36960 + 8 * 3999 + 4) / 4);
}

// A cut file is damaged, wherever it is cut: nothing of it reaches the block or the state.
TEST_F(StageFile, AShortFileIsRefusedAndLeavesThePreviousStageWhole) {
  StageContent stage;
  GameState s;
  Write(Numbered(0x01010101), kStagePathFileSize);
  stage.LoadStagePath(path, s);
  const GameState before = s;
  for (size_t size : {size_t{0}, size_t{323}, size_t{36924 + 2}, kStagePathFileSize - 1}) {
    Write(Numbered(0x70000000), size);
    EXPECT_THROW(stage.LoadStagePath(path, s), IoError) << size;
    EXPECT_EQ(stage.ObstacleCount, 0x01010101 + 80) << size;
    EXPECT_EQ(s.ViewStart, before.ViewStart) << size;
    EXPECT_EQ(s.PathLength, before.PathLength) << size;
  }
}

TEST_F(StageFile, AMissingFileSetsTheDefaultsAndALongerOneIsReadUpToItsSize) {
  StageContent stage;
  GameState s;
  Write(Numbered(5), kStagePathFileSize);
  stage.LoadStagePath(path, s);
  std::filesystem::remove(path);
  EXPECT_FALSE(stage.LoadStagePath(path, s));
  for (int32_t id : stage.AnimaIds) EXPECT_EQ(id, -1);
  EXPECT_EQ(stage.ObstacleCount, 0);
  EXPECT_EQ(stage.Obstacles[4].Slot, -1);
  EXPECT_EQ(stage.Obstacles[4].StepPeriod, 0);
  EXPECT_EQ(s.PathLength, 0);
  EXPECT_EQ(s.GoalRect, TRect{});
  EXPECT_EQ(s.PathPoints[10], TPoint{});

  auto longer = Numbered(9);
  longer.resize(kStagePathFileSize + 100, 0xEE);
  Write(longer, longer.size());
  EXPECT_TRUE(stage.LoadStagePath(path, s));
  EXPECT_EQ(s.PathPoints[3999].Y, 9 + (36960 + 8 * 3999 + 4) / 4);
}

TEST_F(StageFile, TheGoalIsTakenAsStored) {
  auto bytes = Numbered(0);
  const int32_t goal[4] = {500, 10, 400, 20};  // left beyond right: a goal nobody reaches
  for (int i = 0; i < 4; ++i)
    for (int k = 0; k < 4; ++k)
      bytes[36940 + 4 * i + k] = static_cast<uint8_t>(static_cast<uint32_t>(goal[i]) >> (8 * k));
  Write(bytes, bytes.size());
  StageContent stage;
  GameState s;
  stage.LoadStagePath(path, s);
  EXPECT_EQ(s.GoalRect, (TRect{500, 10, 400, 20}));
}

TEST(StageCheckColours, FollowTheTableOfStages) {
  EXPECT_EQ(StageCheckColour(1), RGB(0, 0, 0));
  EXPECT_EQ(StageCheckColour(3), RGB(0, 255, 0));
  EXPECT_EQ(StageCheckColour(4), RGB(255, 255, 0));
  EXPECT_EQ(StageCheckColour(8), RGB(255, 255, 255));
  EXPECT_EQ(StageCheckColour(9), RGB(128, 0, 0));
  EXPECT_EQ(StageCheckColour(10), RGB(0, 128, 0));
}

}  // namespace
}  // namespace wispen
