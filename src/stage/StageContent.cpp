#include "StageContent.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "data/FileIo.h"
#include "platform/Errors.h"
#include "play/GameState.h"

namespace wispen {

const std::array<TColor, 11> StageCheckColours = {
    0,  // no stage 0
    RGB(0, 0, 0),
    RGB(255, 0, 0),
    RGB(0, 255, 0),
    RGB(255, 255, 0),
    RGB(0, 0, 255),
    RGB(255, 0, 255),
    RGB(0, 255, 255),
    RGB(255, 255, 255),
    RGB(128, 0, 0),
    RGB(0, 128, 0),
};

namespace {

constexpr size_t kAnimaIdsAt = 0;
constexpr size_t kAnimaInfoAt = 80;
constexpr size_t kObstacleCountAt = 320;
constexpr size_t kObstaclesAt = 324;
constexpr size_t kObstacleSize = 1220;
constexpr size_t kViewStartAt = 36924;
constexpr size_t kSoulStartAt = 36932;
constexpr size_t kGoalRectAt = 36940;
constexpr size_t kPathLengthAt = 36956;
constexpr size_t kPathPointsAt = 36960;

int32_t Get(const std::array<uint8_t, kStagePathFileSize>& b, size_t at) {
  return static_cast<int32_t>(static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8) |
                              (static_cast<uint32_t>(b[at + 2]) << 16) |
                              (static_cast<uint32_t>(b[at + 3]) << 24));
}

void Put(std::array<uint8_t, kStagePathFileSize>& b, size_t at, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(u >> (8 * i));
}

}  // namespace

StageContent::StageContent() = default;

void StageContent::SetDefaults() {
  bytes_.fill(0);
  for (int i = 0; i < kAnimaSlotCount; ++i) Put(bytes_, kAnimaIdsAt + 4 * i, -1);
  for (int k = 0; k < kObstacleCapacity; ++k) Put(bytes_, kObstaclesAt + kObstacleSize * k, -1);
}

bool StageContent::LoadStagePath(const std::string& fileName, GameState& state) {
  if (!FileExists(fileName)) {
    SetDefaults();
    Decode(state);
    return false;
  }
  std::FILE* f = std::fopen(fileName.c_str(), "rb");
  if (f == nullptr) throw IoError("cannot open the stage file " + fileName + ": " + std::strerror(errno));
  // Every stage file is whole. A short one, even an empty one, would be played as a stage without a path or
  // with the rest of its fields from the stage before: it is refused, and the block stays as it was.
  std::vector<uint8_t> read(bytes_.size());
  const size_t got = std::fread(read.data(), 1, read.size(), f);
  const bool failed = got < read.size() && std::ferror(f);
  std::fclose(f);
  if (failed) throw IoError("cannot read the stage file " + fileName);
  if (got < read.size()) {
    throw IoError("the stage file " + fileName + " is cut short: " + std::to_string(got) + " of " +
                  std::to_string(read.size()) + " bytes");
  }
  std::copy(read.begin(), read.end(), bytes_.begin());
  Decode(state);
  return true;
}

void StageContent::SetAnimaInfo(int slot, const AnimaRecord& record) {
  AnimaInfo[slot] = record;
  Put(bytes_, kAnimaInfoAt + 12 * slot, record.A);
  Put(bytes_, kAnimaInfoAt + 12 * slot + 4, record.B);
  Put(bytes_, kAnimaInfoAt + 12 * slot + 8, record.C);
}

void StageContent::Decode(GameState& state) {
  for (int i = 0; i < kAnimaSlotCount; ++i) {
    AnimaIds[i] = Get(bytes_, kAnimaIdsAt + 4 * i);
    AnimaInfo[i] = AnimaRecord{Get(bytes_, kAnimaInfoAt + 12 * i), Get(bytes_, kAnimaInfoAt + 12 * i + 4),
                               Get(bytes_, kAnimaInfoAt + 12 * i + 8)};
  }
  ObstacleCount = Get(bytes_, kObstacleCountAt);
  for (int k = 0; k < kObstacleCapacity; ++k) {
    const size_t at = kObstaclesAt + kObstacleSize * k;
    ObstacleRecord& r = Obstacles[k];
    r.Slot = Get(bytes_, at);
    for (int s = 0; s < kObstacleSteps; ++s) {
      r.StepX[s] = Get(bytes_, at + 4 + 4 * s);
      r.StepY[s] = Get(bytes_, at + 404 + 4 * s);
      r.StepFrame[s] = Get(bytes_, at + 804 + 4 * s);
    }
    r.FrameWidth = Get(bytes_, at + 1204);
    r.FrameHeight = Get(bytes_, at + 1208);
    r.StepPeriod = Get(bytes_, at + 1212);
    r.StepCount = Get(bytes_, at + 1216);
  }
  state.ViewStart = TPoint{Get(bytes_, kViewStartAt), Get(bytes_, kViewStartAt + 4)};
  state.SoulStart = TPoint{Get(bytes_, kSoulStartAt), Get(bytes_, kSoulStartAt + 4)};
  state.GoalRect = TRect{Get(bytes_, kGoalRectAt), Get(bytes_, kGoalRectAt + 4), Get(bytes_, kGoalRectAt + 8),
                         Get(bytes_, kGoalRectAt + 12)};
  state.PathLength = Get(bytes_, kPathLengthAt);
  for (int i = 0; i < kMaxPathPoints; ++i) {
    state.PathPoints[i] = TPoint{Get(bytes_, kPathPointsAt + 8 * i), Get(bytes_, kPathPointsAt + 8 * i + 4)};
  }
}

}  // namespace wispen
