#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "Vec.h"

namespace wispen::art {

constexpr int kSoulSize = 38;

// The probes of the soul's ring (indices into ProbeOffsets) in the order they run round the soul: over the
// top of the head, down its right side, left along its underside, round the tail's tip and back up.
constexpr std::array<int, 37> kSoulRingOrder{0,  1,  2,  3,  5,  7,  8,  10, 12, 15, 17, 19, 24,
                                             23, 22, 18, 21, 26, 30, 32, 33, 35, 36, 34, 31, 28,
                                             29, 27, 25, 20, 16, 14, 13, 11, 9,  6,  4};

// The ring as a closed polygon through the probe pixels' centres.
std::vector<Vec2> SoulRing();
// Whether a point lies strictly inside the ring (the boundary itself is outside).
bool InsideRing(const std::vector<Vec2>& ring, Vec2 point);
// The soul's pixels, row by row (38x38): every pixel well inside the ring, so that each probe sits on a
// transparent pixel just outside the outline.
std::vector<uint8_t> SoulPixels();

}  // namespace wispen::art
