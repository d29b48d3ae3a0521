// The stage path file and the obstacles it describes, drawn into a back buffer for a few path indices and
// views: a cut file must be refused, and no stored value may draw outside the pictures.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "FuzzFile.h"
#include "core/GameState.h"
#include "platform/Errors.h"
#include "stage/Obstacles.h"
#include "stage/StageContent.h"

namespace {

using namespace wispen;

// Strips of several sizes, the last slots empty, so that frames reach past their strips.
AnimaSlots MakeSlots() {
  AnimaSlots slots;
  for (int i = 0; i < kAnimaSlotCount - 2; ++i) {
    slots[i].Picture = PalettePicture(TBitmap(8 + 13 * i, 4 + 3 * i, static_cast<TColor>(0x10203 * (i + 1))));
  }
  return slots;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = fuzz::ScratchPath("Stage1.Dat");
  static const AnimaSlots slots = MakeSlots();
  static StageContent stage;
  static TBitmap back(600, 400);
  GameState state;
  fuzz::WriteFile(path, data, size);
  try {
    stage.LoadStagePath(path, state);
  } catch (const IoError&) {
    fuzz::Require(size < kStagePathFileSize);
    return 0;
  }
  fuzz::Require(size >= kStagePathFileSize);
  const int32_t last = std::clamp(state.PathLength, 0, kMaxPathPoints - 1);
  for (int32_t index : {0, 1, 99, last}) {
    const TPoint view = index == 0 ? state.ViewStart : state.PathPoints[index];
    DrawObstacles(stage, slots, index, view.X, view.Y, back);
  }
  return 0;
}
