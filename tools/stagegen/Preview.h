#pragma once

#include "formats/IndexedImage.h"
#include "platform/Bitmap.h"

namespace wispen::stagegen {

// A picture for people to look at: the map shrunk `scale` times (each pixel the average of its block), or a
// part of it at full size.
TBitmap ShrinkForPreview(const formats::IndexedImage& map, int scale);
TBitmap CropForPreview(const formats::IndexedImage& map, const TRect& area);

}  // namespace wispen::stagegen
