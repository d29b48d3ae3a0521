#pragma once

#include "platform/Bitmap.h"
#include "platform/ImageList.h"

namespace wispen {

// The pictures built into the program. A sprite comes as a colour picture (black outside the sprite) and a
// mask (black where the sprite is, white elsewhere).
enum class Builtin {
  Frame,       // 640x480 stone frame of the screen, at most 256 colours; the play window is black
  SoulColour,  // 38x38
  SoulMask,
  CurtainColour,  // 500x100
  CurtainMask,
  Button,      // 141x37, opaque
  BeamColour,  // 49x49, one stamp of the ending's beam
  BeamMask,
  AngelColour,  // 62x100
  AngelMask,
  Icon,  // 32x32 window icon, 16 colours
};

TBitmap BuiltinPicture(Builtin which);
TImageList BuiltinBurstList();  // 7 pictures of 76x76: the death burst
TImageList BuiltinDevilList();  // 8 pictures of 150x165: 0 at rest, 1 to 6 the scythe swing, 7 the grin
TImageList BuiltinStageList();  // 10 pictures of 60x60: the stage select buttons
TImageList BuiltinDigitList();  // 11 pictures of 25x38: 0 to 9, then a minus sign

}  // namespace wispen
