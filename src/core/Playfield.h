#pragma once

#include "core/Geometry.h"

namespace wispen {

// The places of the playfield. The play window on the 640x480 screen shows a 500x300 slice of the stage's
// map; the view origin is the map point at the slice's top-left. Frames are composed in a 600x400 back
// buffer that holds the slice with a margin of 100 all round, so a sprite partly outside the view is drawn
// without clipping, and then copied to the play window.
constexpr int kViewWidth = 500;
constexpr int kViewHeight = 300;
constexpr int kBackBufferWidth = 600;
constexpr int kBackBufferHeight = 400;

// The play window on the screen.
constexpr TRect kPlayWindowRect = Bounds(70, 60, kViewWidth, kViewHeight);
// The view's slice in the back buffer.
constexpr TRect kBackBufferViewRect = Bounds(100, 100, kViewWidth, kViewHeight);

// The sums are done in the order the game has always done them, so stored values far out of range behave as
// they did.
constexpr TPoint ScreenToBackBuffer(TPoint screen) {
  return {screen.X - kPlayWindowRect.Left + kBackBufferViewRect.Left,
          screen.Y - kPlayWindowRect.Top + kBackBufferViewRect.Top};
}
constexpr TPoint BackBufferToMap(TPoint back, TPoint view) {
  return {back.X - kBackBufferViewRect.Left + view.X, back.Y - kBackBufferViewRect.Top + view.Y};
}
constexpr TPoint MapToBackBuffer(TPoint map, TPoint view) {
  return {map.X - view.X + kBackBufferViewRect.Left, map.Y - view.Y + kBackBufferViewRect.Top};
}
constexpr TPoint ViewToScreen(TPoint inView) {
  return {inView.X + kPlayWindowRect.Left, inView.Y + kPlayWindowRect.Top};
}
constexpr TPoint MapToScreen(TPoint map, TPoint view) {
  return {map.X - view.X + kPlayWindowRect.Left, map.Y - view.Y + kPlayWindowRect.Top};
}

// The left edge in the back buffer of a line `width` pixels wide centred in the view.
constexpr int CentredInView(int width) {
  return (kViewWidth - width) / 2 + kBackBufferViewRect.Left;
}

}  // namespace wispen
