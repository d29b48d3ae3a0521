#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "BmpReader.h"
#include "platform/Bitmap.h"
#include "platform/PalettePicture.h"

namespace wispen {

// Decodes an 8-bit palette BMP held whole in `file`, whose headers are `header`, plain or RLE8, straight into
// 32-bit pixels a row at a time through a colour table: a stage's map decoded byte by byte through SDL costs
// most of a stage start. Only pictures with one possible reading are taken: a 40-byte info header, rows
// stored bottom-up, a palette of at most 256 colours that lies before the pixels, every index inside the
// palette, all rows present, and for RLE8 rows that each fill exactly the width with runs and literals (no
// jumps), the last one closed by the end-of-picture code. Anything else gives nothing and is left to SDL,
// whose reading of odd files stays the game's.
std::optional<TBitmap> DecodePaletteBmp(const BmpHeader& header, std::span<const uint8_t> file);

// The same reading of the same files, kept as the palette and one index a pixel.
std::optional<PalettePicture> DecodePaletteBmpIndices(const BmpHeader& header, std::span<const uint8_t> file);

}  // namespace wispen
