#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "Bytes.h"
#include "platform/Colour.h"
#include "platform/Geometry.h"

namespace wispen::formats {

constexpr int kAnimaSlots = 20;
constexpr int kMaxObstacles = 30;
constexpr int kMaxAnimationSteps = 100;
constexpr int kPathCapacity = 4000;
constexpr size_t kObstacleRecordSize = 1220;
constexpr size_t kStageFileSize = 68960;

// Offsets of the fields in a stage path file.
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
  std::array<int32_t, kMaxAnimationSteps> StepX{};
  std::array<int32_t, kMaxAnimationSteps> StepY{};
  std::array<int32_t, kMaxAnimationSteps> StepFrame{};
  int32_t FrameWidth = 0;
  int32_t FrameHeight = 0;
  int32_t StepPeriod = 0;
  int32_t StepCount = 0;
  friend bool operator==(const ObstacleRecord&, const ObstacleRecord&) = default;
};

// Everything a stage path file holds, field for field.
struct StageFile {
  std::array<int32_t, kAnimaSlots> AnimaIds{};
  std::array<AnimaRecord, kAnimaSlots> AnimaInfo{};
  int32_t ObstacleCount = 0;
  std::array<ObstacleRecord, kMaxObstacles> Obstacles{};
  TPoint ViewStart{};
  TPoint SoulStart{};
  TRect GoalRect{};
  int32_t PathLength = 0;
  std::array<TPoint, kPathCapacity> PathPoints{};

  StageFile() { AnimaIds.fill(-1); }
  friend bool operator==(const StageFile&, const StageFile&) = default;
};

// The animation step an obstacle shows at a path index.
int AnimationStep(const ObstacleRecord& obstacle, int32_t pathIndex);

Bytes EncodeStageFile(const StageFile& stage);
// Throws FormatError unless the data is exactly one stage path file long.
StageFile DecodeStageFile(std::span<const uint8_t> bytes);

Bytes EncodeAnimaRecord(const AnimaRecord& record);
AnimaRecord DecodeAnimaRecord(std::span<const uint8_t> bytes);

}  // namespace wispen::formats
