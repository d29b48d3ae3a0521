#include "FlightSearch.h"

#include <cmath>

#include "core/ProbeOffsets.h"

namespace wispen::stagecheck {

int Flight::FastestMove() const {
  double fastest = 0;
  for (size_t i = 1; i < Mouse.size(); ++i) {
    fastest = std::max(fastest, std::hypot(Mouse[i].X - Mouse[i - 1].X, Mouse[i].Y - Mouse[i - 1].Y));
  }
  return static_cast<int>(std::ceil(fastest - 1e-9));
}

FlightSearch::FlightSearch(FrameSource& frames) : frames_(frames) {
  const TPoint soul = frames.SoulStart(), view = frames.ViewStart();
  start_ = {soul.X - view.X, soul.Y - view.Y};
  const int n = std::max(frames.PathLength(), 1);
  black_.resize(static_cast<size_t>(n));
  composed_.assign(static_cast<size_t>(n), false);
}

const BitGrid& FlightSearch::BlackAt(int pathIndex) {
  if (!composed_[pathIndex]) {
    TBitmap view;
    frames_.Compose(pathIndex, view);
    black_[pathIndex] = BitGrid::BlackOf(view);
    composed_[pathIndex] = true;
  }
  return black_[pathIndex];
}

Flight FlightSearch::Search(const FlightLimits& limits, bool withTrail) {
  Flight flight;
  BitGrid reach;
  reach.Set(start_.X, start_.Y);
  std::vector<BitGrid> trail;
  if (withTrail) trail.push_back(reach);
  // Ticks 1 .. PathLength - 1 show a frame; the tick that reaches PathLength ends the stage before its frame.
  for (int t = 1; t < frames_.PathLength(); ++t) {
    const BitGrid before = reach;
    reach = reach.Dilated(limits.MaxMove);
    // Only the rows the soul can reach matter; its probes reach 37 rows further down.
    const BitGrid::Rows rows = reach.UsedRows();
    reach &= BlackAt(t).Eroded(limits.Margin, {rows.First, rows.Last + 37}).ProbedBy(ProbeOffsets, rows);
    if (reach.Empty()) {
      flight.FailedAt = t;
      flight.Stranded = before;
      return flight;
    }
    if (withTrail) trail.push_back(reach);
    const TPoint view = frames_.ViewAt(t);
    const TRect goal = frames_.GoalRect();
    BitGrid atGoal = reach;
    atGoal.KeepInside({goal.Left - view.X, goal.Top - view.Y, goal.Right - view.X, goal.Bottom - view.Y});
    if (atGoal.Empty()) continue;
    flight.Found = true;
    flight.Arrival = t;
    if (!withTrail) return flight;
    // Narrow each tick's reachable points to those that still lead to the goal, then fly forward lazily:
    // at every tick the point of that set nearest to where the mouse already is.
    trail[t] = atGoal;
    for (int k = t - 1; k >= 1; --k) {
      const BitGrid onward = trail[k + 1].Dilated(limits.MaxMove);
      trail[k] &= onward;
    }
    flight.Mouse.assign(static_cast<size_t>(t) + 1, start_);
    for (int k = 1; k <= t; ++k) flight.Mouse[k] = *trail[k].Nearest(flight.Mouse[k - 1], limits.MaxMove);
    return flight;
  }
  flight.FailedAt = frames_.PathLength();
  return flight;
}

int FlightSearch::WidestMargin(int maxMove) {
  // No corridor a soul can fly through at speed leaves more than this on each side.
  constexpr int kWidest = 96;
  if (!Search({maxMove, 0}, false).Found) return -1;
  int lo = 0, hi = kWidest;  // a flight at lo, none at hi
  while (hi - lo > 1) {
    const int mid = (lo + hi) / 2;
    (Search({maxMove, mid}, false).Found ? lo : hi) = mid;
  }
  return lo;
}

int FlightSearch::SlowestMove(int ceiling) {
  if (!Search({ceiling, 0}, false).Found) return -1;
  int lo = 0, hi = ceiling;  // no flight at lo, a flight at hi
  while (hi - lo > 1) {
    const int mid = (lo + hi) / 2;
    (Search({mid, 0}, false).Found ? hi : lo) = mid;
  }
  return hi;
}

}  // namespace wispen::stagecheck
