#pragma once

#include <map>
#include <string>
#include <vector>

#include "core/Colour.h"
#include "formats/IndexedImage.h"

namespace wispen::stagegen {

// A gradient of colours from dark (0) to light (1), given as evenly spaced stops.
struct Ramp {
  std::vector<TColor> Stops;
  TColor At(double t) const;
};

// The palette of a map or strip: index 0 is pure black (the safe ground), then reserved single colours, then
// the ramps, each quantised into an even share of what is left of the 256 entries. No entry other than index
// 0 is black or so dark that a player could mistake it for safe ground.
class Palette {
 public:
  // `reserved` colours take indices 1, 2, ... in order.
  Palette(const std::vector<TColor>& reserved, const std::map<std::string, Ramp>& ramps);

  const std::vector<TColor>& Colours() const { return colours_; }
  int Levels() const { return levels_; }
  bool HasRamp(const std::string& name) const { return ramps_.count(name) != 0; }
  int RampId(const std::string& name) const;
  // The entry for a shade in [0, 1] of a ramp, with ordered dithering at (x, y) to hide the banding.
  uint8_t Index(int rampId, double shade, int x, int y) const {
    static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const double d = (kBayer[y & 3][x & 3] + 0.5) / 16.0;
    int level = static_cast<int>(shade * (levels_ - 1) + d);
    level = level < 0 ? 0 : (level >= levels_ ? levels_ - 1 : level);
    return static_cast<uint8_t>(bases_[rampId] + level);
  }
  uint8_t Reserved(int i) const { return static_cast<uint8_t>(1 + i); }

 private:
  std::vector<TColor> colours_;
  std::map<std::string, int> ramps_;
  std::vector<int> bases_;
  int levels_ = 0;
};

// The darkest a demon-world colour may be: its brightest channel at least this.
constexpr int kMinDemonChannel = 34;

}  // namespace wispen::stagegen
