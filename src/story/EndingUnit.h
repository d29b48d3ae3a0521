#pragma once

#include <cstdint>

#include "platform/Bitmap.h"
#include "platform/Timer.h"

namespace wispen {

struct Forms;

// The ending after the tenth stage: the soul drifts to rest, a beam comes down to it, it becomes an angel
// that rises out of the picture, the beam withdraws and the closing caption is written.
class TEndingForm {
 public:
  explicit TEndingForm(Forms& forms);

  void FormCreate();
  void EndingTimerTimer();

  TTimer EndingTimer;  // its Tag is the phase
  TImage BeamANDImage, BeamORImage;
  TImage AngalANDImage, AngalORImage;

  int32_t EndingTick = 0;
  int32_t BeamX = 0, BeamY = 0;
  int32_t BeamWidth = 0, BeamHeight = 0;
  TRect BeamRect;
  int32_t AngalX = 0, AngalY = 0;
  int32_t AngalWidth = 0, AngalHeight = 0;
  TRect AngalRect;
  TBitmap AngalBackground;

  int32_t& EndingPhase() { return EndingTimer.Tag; }

 private:
  void NextPhase();
  void StampBeam(TCanvas& canvas, int x, int y) const;
  void StampAngal(TCanvas& canvas, int x, int y) const;

  Forms& forms_;
};

}  // namespace wispen
