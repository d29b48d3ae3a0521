#pragma once

#include <optional>

#include "Bitmap.h"

namespace wispen {

// Copies `source` of `src` onto `dest` of `target`, combining each pixel with the raster operation. Each
// destination pixel takes the source pixel that maps onto it (nearest neighbour when stretched). Destination
// pixels outside the target, and those whose source pixel lies outside `src`, are left as they are. Copying a
// picture onto itself reads the source as it was before the copy.

// The part of a one-to-one copy that is done: `dest` clipped to the target's width x height and to where its
// source pixels lie inside the source's, and the source block those take. Nothing when no pixel is copied.
struct OneToOneClip {
  TRect target;
  TRect source;
};
std::optional<OneToOneClip> ClipOneToOne(const TRect& dest, int targetWidth, int targetHeight, int sourceLeft,
                                         int sourceTop, int sourceWidth, int sourceHeight);

// Any two sizes, one pixel at a time: the reference that the one-to-one copy is held to, bit for bit.
void StretchBlit(TBitmap& target, const TRect& dest, const TBitmap& src, const TRect& source, RasterOp rop);

// Both rectangles of one size: clipped once, then whole rows at a time.
void OneToOneBlit(TBitmap& target, const TRect& dest, const TBitmap& src, const TRect& source, RasterOp rop);

}  // namespace wispen
