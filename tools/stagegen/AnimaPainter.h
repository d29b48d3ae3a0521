#pragma once

#include "AnimaSource.h"
#include "formats/IndexedImage.h"

namespace wispen::stagegen {

// Paints an obstacle's picture strip: Frames frames side by side, the masks in the top row (black where the
// obstacle is, white elsewhere) and the colour frames in the bottom row (black outside the obstacle, never
// black inside it). Throws SourceError for an unknown kind or a missing ramp.
formats::IndexedImage PaintAnimaStrip(const AnimaDesc& anima);

// The kinds of obstacle picture the painter knows.
bool IsAnimaKind(const std::string& kind);

}  // namespace wispen::stagegen
