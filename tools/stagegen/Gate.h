#pragma once

#include "Corridor.h"
#include "Palette.h"
#include "core/Geometry.h"
#include "formats/IndexedImage.h"

namespace wispen::stagegen {

// Thickness of the gate's ring of light and reach of its glow.
constexpr double kGateRing = 7;
constexpr double kGateGlow = 34;

// Draws the gate: a ring of light around the black disc of radius `inner` at `centre`, open where the
// corridor comes in, with a glow that fades into the walls.
void DrawGate(Vec2 centre, double inner, int ramp, const Corridor& corridor, const Palette& palette,
              formats::IndexedImage& map);

// The goal rectangle for a gate: every mouse point in it keeps the whole ring of probes at least `margin`
// pixels inside the gate's black disc, so reaching the goal never means touching the light.
TRect GoalRectFor(Vec2 centre, double inner, double margin);

}  // namespace wispen::stagegen
