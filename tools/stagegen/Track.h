#pragma once

#include <vector>

#include "StageSource.h"
#include "core/Geometry.h"
#include "core/Playfield.h"

namespace wispen::stagegen {

// The play window and the soul, as the stage maker needs them.
constexpr int kSoulSize = 38;
// The soul's centre relative to its mouse point.
constexpr Vec2 kSoulCentre{19, 19};
// Where the mouse point may sit in the view with the whole ring of probes inside it.
constexpr int kMouseMaxX = kViewWidth - kSoulSize;   // 462
constexpr int kMouseMaxY = kViewHeight - kSoulSize;  // 262

// The path of the view and the soul's ideal flight along it, one entry per path index 0..Length (the entry
// after the last point the soul flies through belongs to the stage as well: the view rests there when the
// path runs out).
struct Track {
  std::vector<Vec2> View;     // view origin on the map
  std::vector<Vec2> Soul;     // the soul's ideal mouse point on the map
  std::vector<double> Width;  // corridor width around the soul
  int GoalIndex = 0;          // the soul reaches the gate's centre here
  int Length = 0;             // PathLength: indices 1..Length-1 are flown

  Vec2 SoulCentre(int i) const { return Soul[i] + kSoulCentre; }
  Vec2 GateCentre() const { return SoulCentre(GoalIndex); }
  TPoint PathPoint(int i) const;
  // Direction of the ideal flight around index i (the view's direction when the soul rests).
  Vec2 Direction(int i) const;
  void Shift(Vec2 by);
};

// Builds the track from the stage description, checking that the ideal flight stays inside the view with a
// margin and that the path fits the path file. Errors name the source line.
Track BuildTrack(const StageDesc& desc);

}  // namespace wispen::stagegen
