#include "OwnFrameSource.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace wispen::stagecheck {

namespace {

constexpr int kViewLeft = kBackBufferViewRect.Left;
constexpr int kViewTop = kBackBufferViewRect.Top;

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
    : stage_(stage), backBuffer_(kBackBufferWidth, kBackBufferHeight) {}

TPoint OwnFrameSource::ViewAt(int pathIndex) const {
  return stage_.File.PathPoints.at(static_cast<size_t>(std::clamp(pathIndex, 0, kMaxPathPoints - 1)));
}

void OwnFrameSource::Compose(int pathIndex, TBitmap& view) {
  const TPoint origin = pathIndex == 0 ? stage_.File.ViewStart : ViewAt(pathIndex);
  TCanvas& canvas = backBuffer_.Canvas();
  CopyMapSlice(origin);
  const int count = std::min<int>(stage_.File.ObstacleCount, kObstacleCapacity);
  for (int k = 0; k < count; ++k) {
    const ObstacleRecord& o = stage_.File.Obstacles[k];
    if (!ObstacleInModel(o)) continue;
    const int s = AnimationStep(o, pathIndex);
    const TBitmap& strip = stage_.Slots[ObstacleSlot(o.Slot)];
    if (strip.Empty()) continue;
    const TPoint at = MapToBackBuffer({o.StepX[s], o.StepY[s]}, origin);
    const int sx = o.FrameWidth * o.StepFrame[s];
    canvas.BitBlt(at.X, at.Y, o.FrameWidth, o.FrameHeight, strip, sx, 0, SRCAND);
    canvas.BitBlt(at.X, at.Y, o.FrameWidth, o.FrameHeight, strip, sx, o.FrameHeight, SRCPAINT);
  }
  if (view.Width() != kViewWidth || view.Height() != kViewHeight) view = TBitmap(kViewWidth, kViewHeight);
  // Read only: the back buffer's pixels for writing would mark all its rows written at every row.
  const std::vector<TColor>& back = std::as_const(backBuffer_).Pixels();
  for (int y = 0; y < kViewHeight; ++y) {
    const TColor* from = back.data() + static_cast<size_t>(y + kViewTop) * kBackBufferWidth + kViewLeft;
    std::copy(from, from + kViewWidth, &view.At(0, y));
  }
}

}  // namespace wispen::stagecheck
