#pragma once

#include <vector>

#include "AnimaSource.h"
#include "StageSource.h"
#include "Track.h"
#include "core/StageFile.h"

namespace wispen::stagegen {

// Where an obstacle is and what it shows at one step of its cycle.
struct MotionStep {
  Vec2 TopLeft;
  int Frame = 0;
};

// The cycle of an obstacle, in the order of its motion (step 0 is where the motion begins), placed by the
// soul's ideal flight at the obstacle's path index: across the corridor, along it, around a point.
std::vector<MotionStep> BuildMotion(const ObstacleDesc& obstacle, const AnimaDesc& anima, const Track& track);

// The record of an obstacle for picture slot `slot`. Its steps are turned so that at path index `At` the
// obstacle shows the motion's step `phase`: the moment the ideal flight passes is fixed in the source.
ObstacleRecord BuildObstacle(const ObstacleDesc& obstacle, const AnimaDesc& anima, const Track& track,
                             int slot);

}  // namespace wispen::stagegen
