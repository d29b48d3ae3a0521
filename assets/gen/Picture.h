#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wispen::art {

// A finished picture: colours as the game stores them (0x00BBGGRR) and, for a sprite, which pixels belong
// to it (its mask is black there and white elsewhere). An opaque picture has every pixel inside.
struct Picture {
  std::string name;
  int width = 0;
  int height = 0;
  bool masked = false;
  std::vector<uint32_t> colour;
  std::vector<uint8_t> inside;

  uint32_t At(int x, int y) const { return colour[static_cast<size_t>(y) * width + x]; }
  bool In(int x, int y) const { return inside[static_cast<size_t>(y) * width + x] != 0; }
};

}  // namespace wispen::art
