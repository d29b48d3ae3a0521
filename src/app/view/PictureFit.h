#pragma once

#include "platform/Geometry.h"

namespace wispen {

// How the 640x480 screen picture sits in a window: scaled by a whole number (nearest pixel, never unevenly),
// centred, with black borders. Sizes come in two units: the window's own points, in which the pointer is
// reported, and the drawable's pixels, which may be more of them (a high-DPI display).
constexpr int kPictureWidth = 640;
constexpr int kPictureHeight = 480;

struct PictureView {
  int X = 0;  // the picture's top-left in drawable pixels
  int Y = 0;
  int Scale = 1;  // drawable pixels per picture pixel
  friend constexpr bool operator==(const PictureView&, const PictureView&) = default;
};

// The largest whole multiple of the picture that fits the drawable, at least 1, centred.
PictureView FitPicture(TSize drawable);

// A window point as a picture point. Inside the window, a point on a border is held at the picture's edge;
// a point outside the window (a drag off it with a button held) stays outside the picture.
TPoint WindowToPicture(TPoint point, TSize window, TSize drawable);

// The first window point that lies on the picture pixel `point` (the inverse of WindowToPicture wherever a
// picture pixel is at least one window point wide).
TPoint PictureToWindow(TPoint point, TSize window, TSize drawable);

// The picture's area in window points (Right and Bottom exclusive), for keeping the pointer on it.
TRect PictureRectInWindow(TSize window, TSize drawable);

// The window scale for a desktop: the largest N for which N times 640x480 plus the window's decorations
// fits the usable area, at least 1.
int FitWindowScale(TSize usable, TSize decorations);

}  // namespace wispen
