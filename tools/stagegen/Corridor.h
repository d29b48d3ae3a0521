#pragma once

#include <cstdint>
#include <vector>

#include "Track.h"

namespace wispen::stagegen {

// Where the safe ground lies on a map, and how far every other pixel is from it.
class Corridor {
 public:
  Corridor(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool IsBlack(int x, int y) const { return black_[Index(x, y)] != 0; }
  void SetBlack(int x, int y, bool black) { black_[Index(x, y)] = black ? 1 : 0; }
  // Distance to the nearest safe pixel; 0 on safe ground.
  float Distance(int x, int y) const { return distance_[Index(x, y)]; }
  // The direction in which the distance grows: away from the corridor, into the wall.
  Vec2 AwayFromCorridor(int x, int y) const;

  // Recomputes the distances after the safe ground has changed (a chamfer transform: close to Euclidean,
  // and fast on a large map).
  void MeasureDistances();

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }

  int width_;
  int height_;
  std::vector<uint8_t> black_;
  std::vector<float> distance_;
};

// Carves the corridor of the ideal flight (up to the gate) into a map of the given size, with rough walls,
// the open inside of the gate and the pillars of the wide halls, and measures the distances.
Corridor CarveCorridor(const Track& track, const StageDesc& desc, int width, int height);

// Where a pillar of the description stands on the map.
Vec2 PillarCentre(const Track& track, const PillarDesc& pillar);

}  // namespace wispen::stagegen
