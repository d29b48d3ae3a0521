#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/Colour.h"
#include "platform/Geometry.h"

namespace wispen {

struct GameState;

constexpr int kObstacleCapacity = 30;
constexpr int kObstacleSteps = 100;
constexpr int kAnimaSlotCount = 20;
constexpr size_t kStagePathFileSize = 68960;

struct AnimaRecord {
  int32_t A = 0, B = 0, C = 0;
};

struct ObstacleRecord {
  int32_t Slot = -1;
  std::array<int32_t, kObstacleSteps> StepX{};
  std::array<int32_t, kObstacleSteps> StepY{};
  std::array<int32_t, kObstacleSteps> StepFrame{};
  int32_t FrameWidth = 0;
  int32_t FrameHeight = 0;
  int32_t StepPeriod = 0;
  int32_t StepCount = 0;
};

// The top-left pixel that tells a genuine map of stage n (1..10) from any other picture.
extern const std::array<TColor, 11> StageCheckColours;

// The stage path file's fields that belong to the stage content: the obstacle set. The path, the start
// points and the goal go into the game state. The file's bytes are kept as read.
class StageContent {
 public:
  StageContent();

  // Reads a stage path file over the block; false (and the defaults) when no such file exists. Throws
  // IoError, leaving the block as it was, when the file exists but cannot be read or is shorter than a
  // stage file.
  bool LoadStagePath(const std::string& fileName, GameState& state);

  // The obstacle loading replaces a slot's record; the block's bytes keep it too.
  void SetAnimaInfo(int slot, const AnimaRecord& record);

  std::array<int32_t, kAnimaSlotCount> AnimaIds{};
  std::array<AnimaRecord, kAnimaSlotCount> AnimaInfo{};
  int32_t ObstacleCount = 0;
  std::array<ObstacleRecord, kObstacleCapacity> Obstacles{};

 private:
  void Decode(GameState& state);
  void SetDefaults();

  std::array<uint8_t, kStagePathFileSize> bytes_{};
};

}  // namespace wispen
