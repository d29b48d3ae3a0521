#pragma once

#include <vector>

#include "BitGrid.h"
#include "FrameSource.h"

namespace wispen::stagecheck {

struct FlightLimits {
  int MaxMove = 24;  // pixels the mouse may move between two play ticks (Euclidean)
  int Margin = 0;    // pixels of black every probe must have around it
};

// A flight: the mouse point in view coordinates (screen minus the play window's origin) for each path index
// from 0 (the start) to Arrival, the tick on which the goal test clears the stage.
struct Flight {
  bool Found = false;
  int Arrival = 0;
  int FailedAt = 0;  // without a flight: the first tick at which no safe point was reachable
  BitGrid Stranded;  // without a flight: the points still reachable on the tick before FailedAt
  std::vector<TPoint> Mouse;
  int FastestMove() const;  // the longest move between two ticks, rounded up
};

// Searches the play ticks of a stage for a flight from the soul's start to the goal in which, on every tick,
// all 37 probes lie on pure black inside the play window (with the given margin) and the mouse never moves
// more than the given distance between two ticks. The stage's frames are composed once and kept.
class FlightSearch {
 public:
  explicit FlightSearch(FrameSource& frames);

  Flight Search(const FlightLimits& limits, bool withTrail = true);
  // The widest margin at which a flight exists under the move limit (-1 when none does at margin 0).
  int WidestMargin(int maxMove);
  // The smallest move limit that still lets a flight through (-1 when none does up to `ceiling`).
  int SlowestMove(int ceiling = 80);

  TPoint StartPoint() const { return start_; }
  int PathLength() const { return frames_.PathLength(); }

 private:
  const BitGrid& BlackAt(int pathIndex);

  FrameSource& frames_;
  TPoint start_;
  std::vector<BitGrid> black_;
  std::vector<bool> composed_;
};

}  // namespace wispen::stagecheck
