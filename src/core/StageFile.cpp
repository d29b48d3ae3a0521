#include "core/StageFile.h"

#include <string>

namespace wispen {

bool ObstacleInModel(const ObstacleRecord& r) {
  return r.StepPeriod >= 1 && r.StepCount >= 1 && r.StepCount <= kObstacleSteps;
}

int AnimationStep(const ObstacleRecord& obstacle, int32_t pathIndex) {
  return (pathIndex / obstacle.StepPeriod) % obstacle.StepCount;
}

Bytes EncodeStageFile(const StageFile& stage) {
  ByteWriter out;
  for (int32_t id : stage.AnimaIds) out.I32(id);
  for (const AnimaRecord& r : stage.AnimaInfo) {
    out.I32(r.FrameWidth);
    out.I32(r.FrameHeight);
    out.I32(r.FrameCount);
  }
  out.I32(stage.ObstacleCount);
  for (const ObstacleRecord& o : stage.Obstacles) {
    out.I32(o.Slot);
    for (int32_t v : o.StepX) out.I32(v);
    for (int32_t v : o.StepY) out.I32(v);
    for (int32_t v : o.StepFrame) out.I32(v);
    out.I32(o.FrameWidth);
    out.I32(o.FrameHeight);
    out.I32(o.StepPeriod);
    out.I32(o.StepCount);
  }
  out.I32(stage.ViewStart.X);
  out.I32(stage.ViewStart.Y);
  out.I32(stage.SoulStart.X);
  out.I32(stage.SoulStart.Y);
  out.I32(stage.GoalRect.Left);
  out.I32(stage.GoalRect.Top);
  out.I32(stage.GoalRect.Right);
  out.I32(stage.GoalRect.Bottom);
  out.I32(stage.PathLength);
  for (const TPoint& p : stage.PathPoints) {
    out.I32(p.X);
    out.I32(p.Y);
  }
  return out.Take();
}

StageFile DecodeStageFile(std::span<const uint8_t> bytes) {
  if (bytes.size() != kStagePathFileSize) {
    throw FormatError("stage path file of " + std::to_string(bytes.size()) + " bytes; expected " +
                      std::to_string(kStagePathFileSize));
  }
  ByteReader in(bytes, "stage path file");
  StageFile stage;
  for (int32_t& id : stage.AnimaIds) id = in.I32();
  for (AnimaRecord& r : stage.AnimaInfo) {
    r.FrameWidth = in.I32();
    r.FrameHeight = in.I32();
    r.FrameCount = in.I32();
  }
  stage.ObstacleCount = in.I32();
  for (ObstacleRecord& o : stage.Obstacles) {
    o.Slot = in.I32();
    for (int32_t& v : o.StepX) v = in.I32();
    for (int32_t& v : o.StepY) v = in.I32();
    for (int32_t& v : o.StepFrame) v = in.I32();
    o.FrameWidth = in.I32();
    o.FrameHeight = in.I32();
    o.StepPeriod = in.I32();
    o.StepCount = in.I32();
  }
  stage.ViewStart = {in.I32(), in.I32()};
  stage.SoulStart = {in.I32(), in.I32()};
  stage.GoalRect.Left = in.I32();
  stage.GoalRect.Top = in.I32();
  stage.GoalRect.Right = in.I32();
  stage.GoalRect.Bottom = in.I32();
  stage.PathLength = in.I32();
  for (TPoint& p : stage.PathPoints) p = {in.I32(), in.I32()};
  return stage;
}

Bytes EncodeAnimaRecord(const AnimaRecord& record) {
  ByteWriter out;
  out.I32(record.FrameWidth);
  out.I32(record.FrameHeight);
  out.I32(record.FrameCount);
  return out.Take();
}

AnimaRecord DecodeAnimaRecord(std::span<const uint8_t> bytes) {
  if (bytes.size() != 12)
    throw FormatError("anima record of " + std::to_string(bytes.size()) + " bytes; expected 12");
  ByteReader in(bytes, "anima record");
  AnimaRecord r;
  r.FrameWidth = in.I32();
  r.FrameHeight = in.I32();
  r.FrameCount = in.I32();
  return r;
}

}  // namespace wispen
