#pragma once

#include <cstdint>

namespace wispen {

// A colour as the game stores it: 0x00BBGGRR, red in the low byte. 0 is black.
using TColor = uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clGray = 0x808080;

// What a pixel read outside a surface gives: not black, so it counts as a hit.
constexpr TColor CLR_INVALID = 0xFFFFFFFF;

constexpr TColor RGB(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}
constexpr uint8_t GetRValue(TColor c) {
  return c & 0xFF;
}
constexpr uint8_t GetGValue(TColor c) {
  return (c >> 8) & 0xFF;
}
constexpr uint8_t GetBValue(TColor c) {
  return (c >> 16) & 0xFF;
}

// The three raster operations the game copies with, by their GDI codes.
enum class RasterOp : uint32_t {
  SRCCOPY = 0x00CC0020,
  SRCAND = 0x008800C6,
  SRCPAINT = 0x00EE0086,
};
constexpr RasterOp SRCCOPY = RasterOp::SRCCOPY;
constexpr RasterOp SRCAND = RasterOp::SRCAND;
constexpr RasterOp SRCPAINT = RasterOp::SRCPAINT;

}  // namespace wispen
