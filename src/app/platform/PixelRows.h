#pragma once

#include <cstddef>
#include <cstdint>

namespace wispen {

// A TColor is 0x00BBGGRR; the X server's usual surface is 0x00RRGGBB.
inline uint32_t SwapRedBlue(uint32_t p) {
  return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}

// Writes `count` pixels of `source`, each `scale` times in a row, to `out` (count x scale pixels); with
// `swapRedBlue`, 0x00BBGGRR becomes 0x00RRGGBB on the way (the top byte is cleared then).
void WidenRow(const uint32_t* source, int count, int scale, bool swapRedBlue, uint32_t* out);

// Copies `count` pixels past the caches: for a picture that another process reads (the X server's shared
// memory), which this one would otherwise first have to fetch. StreamedRowsDone must follow the last copy
// before the other process is told.
void StreamRow(uint32_t* to, const uint32_t* from, size_t count);
void StreamedRowsDone();

}  // namespace wispen
