#pragma once

#include <cstdint>
#include <vector>

#include "Picture.h"

namespace wispen::art {

// A picture as palette and indices: each entry a colour (0x00BBGGRR) with bit 24 set where the sprite is.
struct Indexed {
  std::vector<uint32_t> palette;
  std::vector<uint8_t> indices;
};

constexpr uint32_t kInsideBit = 1u << 24;

// Reduces the picture to at most `limit` palette entries (2..256) by median cut. Pure black keeps its exact
// value and nothing else becomes black: black is the safe ground of the game, so the two must never mix.
void Quantize(Picture& picture, int limit);
// Quantizes the pictures as one, so that a colour they share stays the same in all of them: frames of one
// animation must not shift in colour from picture to picture. All must have the same width.
void QuantizeTogether(std::vector<Picture>& pictures, int limit);

// The palette of a picture that already has at most 256 entries, in order of first use.
Indexed ToIndexed(const Picture& picture);

}  // namespace wispen::art
