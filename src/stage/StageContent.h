#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/GameState.h"
#include "core/StageFile.h"

namespace wispen {

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
