#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/Bytes.h"
#include "core/Colour.h"
#include "core/GameState.h"
#include "core/Geometry.h"

namespace wispen {

constexpr int kAnimaSlotCount = 20;
constexpr int kObstacleCapacity = 30;
constexpr int kObstacleSteps = 100;
constexpr size_t kObstacleRecordSize = 1220;
constexpr size_t kStagePathFileSize = 68960;

// Offsets of the fields in a stage path file.
constexpr size_t kAnimaIdsOffset = 0;
constexpr size_t kAnimaInfoOffset = 80;
constexpr size_t kObstacleCountOffset = 320;
constexpr size_t kObstaclesOffset = 324;
constexpr size_t kViewStartOffset = 36924;
constexpr size_t kSoulStartOffset = 36932;
constexpr size_t kGoalRectOffset = 36940;
constexpr size_t kPathLengthOffset = 36956;
constexpr size_t kPathPointsOffset = 36960;

// The colour of the top-left pixel of each stage's map, stage 1 first: a picture with any other colour there
// is not that stage's map. Stage 1's is black, the colour of the safe ground, so it must sit where no soul
// goes.
constexpr std::array<TColor, 10> kStageCheckColours{
    RGB(0, 0, 0),     RGB(255, 0, 0),   RGB(0, 255, 0),     RGB(255, 255, 0), RGB(0, 0, 255),
    RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255), RGB(128, 0, 0),   RGB(0, 128, 0),
};

// The check colour of stage n (1..10); 0 for any other number.
constexpr TColor StageCheckColour(int stage) {
  return stage >= 1 && stage <= 10 ? kStageCheckColours[static_cast<size_t>(stage - 1)] : 0;
}

// Three numbers kept beside each picture slot. The game never reads them; our anima record files hold the
// strip's frame width, frame height and frame count, which is what a stage maker wants to see there.
struct AnimaRecord {
  int32_t FrameWidth = 0;
  int32_t FrameHeight = 0;
  int32_t FrameCount = 0;
  friend constexpr bool operator==(const AnimaRecord&, const AnimaRecord&) = default;
};

// One obstacle: where it is and which frame it shows at each animation step.
struct ObstacleRecord {
  int32_t Slot = -1;
  std::array<int32_t, kObstacleSteps> StepX{};
  std::array<int32_t, kObstacleSteps> StepY{};
  std::array<int32_t, kObstacleSteps> StepFrame{};
  int32_t FrameWidth = 0;
  int32_t FrameHeight = 0;
  int32_t StepPeriod = 0;
  int32_t StepCount = 0;
  friend bool operator==(const ObstacleRecord&, const ObstacleRecord&) = default;
};

// Everything a stage path file holds, field for field.
struct StageFile {
  std::array<int32_t, kAnimaSlotCount> AnimaIds{};
  std::array<AnimaRecord, kAnimaSlotCount> AnimaInfo{};
  int32_t ObstacleCount = 0;
  std::array<ObstacleRecord, kObstacleCapacity> Obstacles{};
  TPoint ViewStart{};
  TPoint SoulStart{};
  TRect GoalRect{};
  int32_t PathLength = 0;
  std::array<TPoint, kMaxPathPoints> PathPoints{};

  StageFile() { AnimaIds.fill(-1); }
  friend bool operator==(const StageFile&, const StageFile&) = default;
};

// An obstacle record whose step fields lie inside the limits (a period of 1 or more, 1 to 100 steps).
bool ObstacleInModel(const ObstacleRecord& r);

// The animation step an obstacle shows at a path index; only for a record inside the limits.
int AnimationStep(const ObstacleRecord& obstacle, int32_t pathIndex);

// The slot an obstacle draws from: 0 to 18 as named, anything else slot 19.
constexpr int ObstacleSlot(int32_t slot) {
  return slot >= 0 && slot <= 18 ? slot : 19;
}

Bytes EncodeStageFile(const StageFile& stage);
// Throws FormatError unless the data is exactly one stage path file long.
StageFile DecodeStageFile(std::span<const uint8_t> bytes);

Bytes EncodeAnimaRecord(const AnimaRecord& record);
AnimaRecord DecodeAnimaRecord(std::span<const uint8_t> bytes);

}  // namespace wispen
