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

}  // namespace wispen
