#pragma once

#include <array>
#include <string>

#include "core/StageFile.h"
#include "platform/Bitmap.h"

namespace wispen::stagecheck {

// A stage as the checker reads it from a Data directory: the path file, the map picture and the picture of
// every obstacle slot the stage loads.
struct StageData {
  int Stage = 0;
  StageFile File;
  TBitmap Map;
  std::array<TBitmap, kAnimaSlotCount> Slots;
};

// Reads stage n's files the way the stage start does: map, check colour, path file, then each slot whose
// anima number is not negative and whose two anima files exist. Throws std::runtime_error with a message
// naming the file for anything missing or damaged, or a map whose top-left pixel is not the check colour.
StageData LoadStageData(const std::string& dataDir, int stage);

}  // namespace wispen::stagecheck
