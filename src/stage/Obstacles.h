#pragma once

#include <array>
#include <string>

#include "StageContent.h"
#include "platform/Bitmap.h"

namespace wispen {

class ImageCodec;

using AnimaSlots = std::array<TImage, kAnimaSlotCount>;

// Fills the picture slots from the stage's anima files. A slot whose id is negative, or whose picture or
// record file is missing, keeps the picture it had. The pictures are copied through `tempDir`.
void LoadObstaclePictures(StageContent& stage, AnimaSlots& slots, ImageCodec& codec,
                          const std::string& gameDir, const std::string& tempDir);

// Draws every obstacle of the stage for the view origin (viewX, viewY) into the back buffer, each a masked
// frame of its slot's strip at the animation step that pathIndex gives.
void DrawObstacles(const StageContent& stage, const AnimaSlots& slots, int32_t pathIndex, int32_t viewX,
                   int32_t viewY, TCanvas& target);

// The slot an obstacle draws from: 0 to 18 as named, anything else slot 19.
constexpr int ObstacleSlot(int32_t slot) {
  return slot >= 0 && slot <= 18 ? slot : 19;
}

// An obstacle record whose step fields lie inside the limits (a period of 1 or more, 1 to 100 steps).
bool ObstacleInModel(const ObstacleRecord& r);

}  // namespace wispen
