#pragma once

#include "Corridor.h"
#include "Palette.h"
#include "StageSource.h"
#include "formats/IndexedImage.h"

namespace wispen::stagegen {

// Draws the stage's decorations (eyes watching the corridor, thorns reaching for it) into the walls near the
// corridor. They only ever cover wall pixels: the safe ground keeps its shape. `keepClear` is a point
// (the gate) whose surroundings within `clearRadius` stay undecorated.
void DrawDecorations(const StageDesc& desc, const Corridor& corridor, const Palette& palette, Vec2 keepClear,
                     double clearRadius, formats::IndexedImage& map);

}  // namespace wispen::stagegen
