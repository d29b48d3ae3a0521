#pragma once

#include "platform/Bitmap.h"
#include "platform/ImageList.h"

namespace wispen {

// The pictures built into the program.
enum class Builtin {
  Frame,
  SoulColour,
  SoulMask,
  CurtainColour,
  CurtainMask,
  Button,
  BeamColour,
  BeamMask,
  AngelColour,
  AngelMask,
  Icon
};

TBitmap BuiltinPicture(Builtin which);
TImageList BuiltinBurstList();  // 7 of 76x76
TImageList BuiltinDevilList();  // 8 of 150x165
TImageList BuiltinStageList();  // 10 of 60x60
TImageList BuiltinDigitList();  // 11 of 25x38, the last a minus sign

}  // namespace wispen
