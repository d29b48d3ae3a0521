#pragma once

#include "FrameSource.h"
#include "StageData.h"

namespace wispen::stagecheck {

// Composes frames from the checker's own reading of the stage files, as the stage's frames are built: the map
// slice copied into a 600x400 back buffer at (100, 100), then each obstacle in record order as a mask ANDed
// and a colour frame ORed, clipped to the back buffer.
class OwnFrameSource : public FrameSource {
 public:
  explicit OwnFrameSource(const StageData& stage);

  int PathLength() const override { return stage_.File.PathLength; }
  TPoint ViewAt(int pathIndex) const override;
  TPoint SoulStart() const override { return stage_.File.SoulStart; }
  TPoint ViewStart() const override { return stage_.File.ViewStart; }
  TRect GoalRect() const override { return stage_.File.GoalRect; }
  void Compose(int pathIndex, TBitmap& view) override;

 private:
  void CopyMapSlice(TPoint origin);

  const StageData& stage_;
  TBitmap backBuffer_;
};

}  // namespace wispen::stagecheck
