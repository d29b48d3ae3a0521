#pragma once

#include <optional>
#include <vector>

#include "platform/Bitmap.h"

namespace wispen {

// Brings `shown` to `picture`, two pictures of the same size stored row by row, `width` pixels a row, and
// says where it changed: the smallest rectangle outside which they were the same; empty when they were the
// same everywhere. (One pass: a changed row is copied while the comparison has it at hand.) Only the rows
// flagged in `rowsWritten`, one flag a row, can have changed: the others are not looked at.
std::optional<TRect> TakeChanges(std::vector<TColor>& shown, const std::vector<TColor>& picture, int width,
                                 const uint8_t* rowsWritten);

}  // namespace wispen
