#include "OwnFrameSource.h"

#include <algorithm>

namespace wispen::stagecheck {

namespace {

constexpr int kBackWidth = 600;
constexpr int kBackHeight = 400;
constexpr int kViewLeft = 100;
constexpr int kViewTop = 100;

}  // namespace

// The map slice at the view origin into the back buffer's view rectangle, row by row; parts beyond the map
// keep what the back buffer held, as a clipped copy does.
void OwnFrameSource::CopyMapSlice(TPoint origin) {
  const TBitmap& map = stage_.Map;
  const int x0 = std::max(origin.X, 0), x1 = std::min(origin.X + kViewWidth, map.Width());
  if (x0 >= x1) return;
  for (int y = std::max(origin.Y, 0); y < std::min(origin.Y + kViewHeight, map.Height()); ++y) {
    const TColor* from = map.Pixels().data() + static_cast<size_t>(y) * map.Width() + x0;
    std::copy(from, from + (x1 - x0), &backBuffer_.At(x0 - origin.X + kViewLeft, y - origin.Y + kViewTop));
  }
}

OwnFrameSource::OwnFrameSource(const StageData& stage)
    : stage_(stage), backBuffer_(kBackWidth, kBackHeight) {}

TPoint OwnFrameSource::ViewAt(int pathIndex) const {
  return stage_.File.PathPoints.at(static_cast<size_t>(std::clamp(pathIndex, 0, formats::kPathCapacity - 1)));
}

void OwnFrameSource::Compose(int pathIndex, TBitmap& view) {
  const TPoint origin = pathIndex == 0 ? stage_.File.ViewStart : ViewAt(pathIndex);
  TCanvas& canvas = backBuffer_.Canvas();
  CopyMapSlice(origin);
  const int count = std::min<int>(stage_.File.ObstacleCount, formats::kMaxObstacles);
  for (int k = 0; k < count; ++k) {
    const formats::ObstacleRecord& o = stage_.File.Obstacles[k];
    if (o.StepPeriod < 1 || o.StepCount < 1 || o.StepCount > formats::kMaxAnimationSteps) continue;
    const int s = formats::AnimationStep(o, pathIndex);
    // Slots 0 to 18 draw from their own strip; every other value draws from slot 19.
    const TBitmap& strip = stage_.Slots[o.Slot >= 0 && o.Slot <= 18 ? o.Slot : 19];
    if (strip.Empty()) continue;
    const int x = o.StepX[s] - origin.X + kViewLeft, y = o.StepY[s] - origin.Y + kViewTop;
    const int sx = o.FrameWidth * o.StepFrame[s];
    canvas.BitBlt(x, y, o.FrameWidth, o.FrameHeight, strip, sx, 0, SRCAND);
    canvas.BitBlt(x, y, o.FrameWidth, o.FrameHeight, strip, sx, o.FrameHeight, SRCPAINT);
  }
  if (view.Width() != kViewWidth || view.Height() != kViewHeight) view = TBitmap(kViewWidth, kViewHeight);
  for (int y = 0; y < kViewHeight; ++y) {
    const TColor* from =
        backBuffer_.Pixels().data() + static_cast<size_t>(y + kViewTop) * kBackWidth + kViewLeft;
    std::copy(from, from + kViewWidth, &view.At(0, y));
  }
}

}  // namespace wispen::stagecheck
