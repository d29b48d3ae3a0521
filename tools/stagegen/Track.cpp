#include "Track.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/StageFile.h"

namespace wispen::stagegen {

namespace {

// The soul's ideal place must leave this much room to the view's edges.
constexpr double kViewMargin = 6;

void CheckInView(Vec2 at, int line) {
  if (at.x < kViewMargin || at.y < kViewMargin || at.x > kMouseMaxX - kViewMargin ||
      at.y > kMouseMaxY - kViewMargin) {
    throw formats::SourceError("line " + std::to_string(line) + ": the soul's place (" +
                               std::to_string(static_cast<int>(at.x)) + ", " +
                               std::to_string(static_cast<int>(at.y)) + ") leaves the view");
  }
}

}  // namespace

TPoint Track::PathPoint(int i) const {
  return {static_cast<int32_t>(std::lround(View[i].x)), static_cast<int32_t>(std::lround(View[i].y))};
}

Vec2 Track::Direction(int i) const {
  const int n = static_cast<int>(Soul.size());
  const int lo = std::clamp(i - 6, 0, n - 1), hi = std::clamp(i + 6, 0, n - 1);
  const Vec2 d = Soul[hi] - Soul[lo];
  if (d.Length() > 1) return d.Normalized();
  return (View[hi] - View[lo]).Normalized();
}

void Track::Shift(Vec2 by) {
  for (Vec2& v : View) v += by;
  for (Vec2& s : Soul) s += by;
}

Track BuildTrack(const StageDesc& desc) {
  Track t;
  Vec2 view{0, 0};
  Vec2 local = desc.StartAt;
  double width = desc.StartWidth;
  CheckInView(local, 0);
  t.View.push_back(view);
  t.Soul.push_back(view + local);
  t.Width.push_back(width);
  for (const SegmentDesc& s : desc.Flight) {
    const Vec2 from = local, to = s.At.value_or(local);
    const double w0 = width, w1 = s.Width.value_or(width);
    for (int i = 1; i <= s.Steps; ++i) {
      const double u = static_cast<double>(i) / s.Steps;
      const double e = s.Eased ? u * u * (3 - 2 * u) : u;
      view += s.Velocity;
      local = from + (to - from) * e;
      CheckInView(local, s.Line);
      t.View.push_back(view);
      t.Soul.push_back(view + local);
      t.Width.push_back(w0 + (w1 - w0) * u);
    }
    width = w1;
  }
  t.GoalIndex = static_cast<int>(t.View.size()) - 1;
  const Vec2 rest = t.Soul.back();
  for (const SegmentDesc& s : desc.Tail) {
    for (int i = 1; i <= s.Steps; ++i) {
      view += s.Velocity;
      CheckInView(rest - view, s.Line);
      t.View.push_back(view);
      t.Soul.push_back(rest);
      t.Width.push_back(width);
    }
  }
  t.Length = static_cast<int>(t.View.size()) - 1;
  if (t.Length >= kMaxPathPoints) {
    throw formats::SourceError("stage " + std::to_string(desc.Stage) + ": a path of " +
                               std::to_string(t.Length) + " steps is longer than a path file holds");
  }
  if (t.Length - t.GoalIndex < 20) {
    throw formats::SourceError("stage " + std::to_string(desc.Stage) +
                               ": the gate must be reached at least a second before the path runs out");
  }
  return t;
}

}  // namespace wispen::stagegen
