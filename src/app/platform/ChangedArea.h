#pragma once

#include <optional>
#include <vector>

#include "platform/Bitmap.h"

namespace wispen {

// The smallest rectangle outside which the pixels of `before` and `after`, two pictures of the same size
// stored row by row, `width` pixels a row, are the same; empty when they are the same everywhere.
std::optional<TRect> ChangedArea(const std::vector<TColor>& before, const std::vector<TColor>& after,
                                 int width);

}  // namespace wispen
