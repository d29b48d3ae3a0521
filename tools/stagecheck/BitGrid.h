#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/Geometry.h"
#include "platform/Bitmap.h"

namespace wispen::stagecheck {

// A range of grid rows, both ends included; all of them unless said otherwise.
struct RowRange {
  int First = 0;
  int Last = 299;
};

// A set of points of the play window, one bit a point: 512 columns (the view's 500 and a few more that are
// always empty) by 300 rows. The flight search works on whole rows of bits at once.
class BitGrid {
 public:
  static constexpr int kWidth = 512;
  static constexpr int kHeight = 300;
  static constexpr int kWords = kWidth / 64;

  BitGrid() : bits_(static_cast<size_t>(kWords) * kHeight, 0) {}

  // The pure black pixels of a 500x300 view.
  static BitGrid BlackOf(const TBitmap& view);

  bool Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return false;
    return (Row(y)[x >> 6] >> (x & 63)) & 1;
  }
  void Set(int x, int y, bool on = true);
  bool Empty() const;
  size_t Count() const;

  using Rows = RowRange;
  // The rows that hold a point, or an empty range (First > Last).
  Rows UsedRows() const;

  // Points kept only where every point within `radius` (Euclidean) is in the set; outside the grid counts as
  // not in it. Only the rows in `rows` are worked out; the others come out empty.
  BitGrid Eroded(int radius, Rows rows = {}) const;
  // Points within `radius` of a point of the set.
  BitGrid Dilated(int radius) const;
  // The points p for which every p + offset is in the set: the mouse points whose probes all fall on it. Only
  // the rows in `rows` are worked out.
  BitGrid ProbedBy(std::span<const TPoint> offsets, Rows rows = {}) const;

  BitGrid& operator&=(const BitGrid& other);
  // Keeps the points inside the rectangle, both bounds inclusive.
  void KeepInside(const TRect& inclusive);
  // The point of the set nearest to `to` within `radius`, if any.
  std::optional<TPoint> Nearest(TPoint to, int radius) const;

 private:
  uint64_t* Row(int y) { return &bits_[static_cast<size_t>(y) * kWords]; }
  const uint64_t* Row(int y) const { return &bits_[static_cast<size_t>(y) * kWords]; }
  // Horizontal erosion or dilation of some rows by every radius 0..Radius.
  struct Runs {
    int First = 0, Last = -1, Radius = 0;
    std::vector<uint64_t> Words;
    const uint64_t* At(int y, int h) const {
      return &Words[(static_cast<size_t>(y - First) * (Radius + 1) + h) * kWords];
    }
    uint64_t* At(int y, int h) {
      return &Words[(static_cast<size_t>(y - First) * (Radius + 1) + h) * kWords];
    }
  };
  Runs HorizontalRuns(int r, bool erode, Rows rows) const;

  std::vector<uint64_t> bits_;
};

}  // namespace wispen::stagecheck
