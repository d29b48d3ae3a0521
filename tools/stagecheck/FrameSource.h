#pragma once

#include "core/Geometry.h"
#include "core/Playfield.h"
#include "platform/Bitmap.h"

namespace wispen::stagecheck {

// What the checker needs of a stage: its path, start, goal, and the picture the play window shows at each
// path index. The checker's own reading of the files is one source; the game's own stage loading and frame
// composition will be another, so that the checker flies the very frames the player sees.
class FrameSource {
 public:
  virtual ~FrameSource() = default;

  virtual int PathLength() const = 0;
  virtual TPoint ViewAt(int pathIndex) const = 0;  // the view origin on the map
  virtual TPoint SoulStart() const = 0;            // map point
  virtual TPoint ViewStart() const = 0;
  virtual TRect GoalRect() const = 0;  // map points, both bounds inclusive

  // The 500x300 play window at a path index: the map at the view origin with the obstacles over it. The soul
  // is left out: its probes never lie on its own pixels.
  virtual void Compose(int pathIndex, TBitmap& view) = 0;
};

}  // namespace wispen::stagecheck
