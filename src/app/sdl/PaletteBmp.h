#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <span>

#include "BmpReader.h"
#include "platform/PalettePicture.h"

namespace wispen {

// Decodes an 8-bit palette BMP, plain or RLE8, whose headers are `header`, as its palette and one index a
// pixel: a stage's map decoded byte by byte through SDL costs most of a stage start. The file is read from
// its start, front to back, a piece at a time, so that its bytes are never held whole beside the picture.
// Only pictures with one possible reading are taken: a 40-byte info header, rows stored bottom-up, a palette
// of at most 256 colours that lies before the pixels, every index inside the palette, all rows present, and
// for RLE8 rows that each fill exactly the width with runs and literals (no jumps), the last one closed by
// the end-of-picture code. Anything else gives nothing and is left to SDL, whose reading of odd files stays
// the game's. Throws IoError when the file cannot be read.
std::optional<PalettePicture> DecodePaletteBmp(const BmpHeader& header, std::istream& file);

// The same for a file held in memory.
std::optional<PalettePicture> DecodePaletteBmp(const BmpHeader& header, std::span<const uint8_t> file);

}  // namespace wispen
