#include "SoulShape.h"

#include "Shape.h"
#include "core/ProbeOffsets.h"

namespace wispen::art {

std::vector<Vec2> SoulRing() {
  std::vector<Vec2> ring;
  for (int i : kSoulRingOrder) {
    ring.push_back({ProbeOffsets[i].X + 0.5f, ProbeOffsets[i].Y + 0.5f});
  }
  return ring;
}

bool InsideRing(const std::vector<Vec2>& ring, Vec2 point) {
  return Polygon(ring)(point) < 0;
}

std::vector<uint8_t> SoulPixels() {
  const Sdf ring = Polygon(SoulRing());
  std::vector<uint8_t> pixels(kSoulSize * kSoulSize, 0);
  for (int y = 0; y < kSoulSize; ++y) {
    for (int x = 0; x < kSoulSize; ++x) {
      // A margin of a third of a pixel keeps pixels that merely graze a chord of the ring outside it.
      if (ring(Vec2{x + 0.5f, y + 0.5f}) < -0.33f) pixels[y * kSoulSize + x] = 1;
    }
  }
  return pixels;
}

}  // namespace wispen::art
