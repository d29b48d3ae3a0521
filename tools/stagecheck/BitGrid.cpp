#include "BitGrid.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace wispen::stagecheck {

namespace {

// out[x] = in[x + dx] along a row of kWords words; bits shifted in from outside the row are zero.
inline void ShiftRow(const uint64_t* in, uint64_t* out, int dx) {
  constexpr int n = BitGrid::kWords;
  const int words = dx >> 6, bits = dx & 63;  // floor division, also for negative shifts
  auto word = [in](int j) {
    return static_cast<unsigned>(j) < static_cast<unsigned>(n) ? in[j] : uint64_t{0};
  };
  if (bits == 0) {
    for (int i = 0; i < n; ++i) out[i] = word(i + words);
  } else {
    for (int i = 0; i < n; ++i) out[i] = (word(i + words) >> bits) | (word(i + words + 1) << (64 - bits));
  }
}

int HalfWidth(int radius, int dy) {
  return static_cast<int>(
      std::floor(std::sqrt(static_cast<double>(radius) * radius - static_cast<double>(dy) * dy)));
}

}  // namespace

BitGrid BitGrid::BlackOf(const TBitmap& view) {
  BitGrid g;
  const int w = std::min(view.Width(), kWidth), h = std::min(view.Height(), kHeight);
  for (int y = 0; y < h; ++y) {
    uint64_t* row = g.Row(y);
    for (int x = 0; x < w; ++x) {
      if (view.At(x, y) == clBlack) row[x >> 6] |= uint64_t{1} << (x & 63);
    }
  }
  return g;
}

void BitGrid::Set(int x, int y, bool on) {
  if (x < 0 || y < 0 || x >= kWidth || y >= kHeight) return;
  const uint64_t bit = uint64_t{1} << (x & 63);
  if (on) {
    Row(y)[x >> 6] |= bit;
  } else {
    Row(y)[x >> 6] &= ~bit;
  }
}

bool BitGrid::Empty() const {
  return std::all_of(bits_.begin(), bits_.end(), [](uint64_t w) { return w == 0; });
}

size_t BitGrid::Count() const {
  size_t n = 0;
  for (uint64_t w : bits_) n += static_cast<size_t>(std::popcount(w));
  return n;
}

BitGrid::Rows BitGrid::UsedRows() const {
  Rows rows{kHeight, -1};
  for (int y = 0; y < kHeight; ++y) {
    const uint64_t* row = Row(y);
    if (std::any_of(row, row + kWords, [](uint64_t w) { return w != 0; })) {
      rows.First = std::min(rows.First, y);
      rows.Last = y;
    }
  }
  return rows;
}

BitGrid::Runs BitGrid::HorizontalRuns(int r, bool erode, Rows rows) const {
  Runs runs;
  runs.First = std::max(rows.First, 0);
  runs.Last = std::min(rows.Last, kHeight - 1);
  runs.Radius = r;
  if (runs.First > runs.Last) return runs;
  runs.Words.resize(static_cast<size_t>(runs.Last - runs.First + 1) * (r + 1) * kWords);
  uint64_t left[kWords], right[kWords];
  for (int y = runs.First; y <= runs.Last; ++y) {
    uint64_t* run = runs.At(y, 0);
    std::copy(Row(y), Row(y) + kWords, run);
    for (int h = 1; h <= r; ++h) {
      ShiftRow(Row(y), left, h);
      ShiftRow(Row(y), right, -h);
      const uint64_t* before = runs.At(y, h - 1);
      uint64_t* out = runs.At(y, h);
      for (int i = 0; i < kWords; ++i) {
        out[i] = erode ? (before[i] & left[i] & right[i]) : (before[i] | left[i] | right[i]);
      }
    }
  }
  return runs;
}

BitGrid BitGrid::Eroded(int radius, Rows rows) const {
  if (radius <= 0) return *this;
  const Runs runs = HorizontalRuns(radius, true, {rows.First - radius, rows.Last + radius});
  BitGrid out;
  for (int y = std::max(rows.First, 0); y <= std::min(rows.Last, kHeight - 1); ++y) {
    if (y - radius < 0 || y + radius >= kHeight) continue;  // a disc reaching off the grid erodes everything
    uint64_t* o = out.Row(y);
    std::fill(o, o + kWords, ~uint64_t{0});
    for (int dy = -radius; dy <= radius; ++dy) {
      const uint64_t* in = runs.At(y + dy, HalfWidth(radius, dy));
      for (int i = 0; i < kWords; ++i) o[i] &= in[i];
    }
  }
  return out;
}

BitGrid BitGrid::Dilated(int radius) const {
  if (radius <= 0) return *this;
  const Rows used = UsedRows();
  if (used.First > used.Last) return BitGrid();
  const Runs runs = HorizontalRuns(radius, false, used);
  BitGrid out;
  for (int y = std::max(used.First - radius, 0); y <= std::min(used.Last + radius, kHeight - 1); ++y) {
    uint64_t* o = out.Row(y);
    for (int dy = -radius; dy <= radius; ++dy) {
      const int row = y + dy;
      if (row < used.First || row > used.Last) continue;
      const uint64_t* in = runs.At(row, HalfWidth(radius, dy));
      for (int i = 0; i < kWords; ++i) o[i] |= in[i];
    }
  }
  return out;
}

BitGrid BitGrid::ProbedBy(std::span<const TPoint> offsets, Rows rows) const {
  BitGrid out;
  uint64_t shifted[kWords];
  for (int y = std::max(rows.First, 0); y <= std::min(rows.Last, kHeight - 1); ++y) {
    uint64_t* o = out.Row(y);
    std::fill(o, o + kWords, ~uint64_t{0});
    for (const TPoint& p : offsets) {
      const int row = y + p.Y;
      if (row < 0 || row >= kHeight) {
        std::fill(o, o + kWords, 0);
        break;
      }
      ShiftRow(Row(row), shifted, p.X);
      for (int i = 0; i < kWords; ++i) o[i] &= shifted[i];
    }
  }
  return out;
}

BitGrid& BitGrid::operator&=(const BitGrid& other) {
  for (size_t i = 0; i < bits_.size(); ++i) bits_[i] &= other.bits_[i];
  return *this;
}

void BitGrid::KeepInside(const TRect& r) {
  uint64_t mask[kWords];
  for (int i = 0; i < kWords; ++i) {
    mask[i] = 0;
    for (int b = 0; b < 64; ++b) {
      const int x = i * 64 + b;
      if (x >= r.Left && x <= r.Right) mask[i] |= uint64_t{1} << b;
    }
  }
  for (int y = 0; y < kHeight; ++y) {
    uint64_t* row = Row(y);
    const bool inside = y >= r.Top && y <= r.Bottom;
    for (int i = 0; i < kWords; ++i) row[i] = inside ? (row[i] & mask[i]) : 0;
  }
}

std::optional<TPoint> BitGrid::Nearest(TPoint to, int radius) const {
  std::optional<TPoint> best;
  int64_t bestD = INT64_MAX;
  for (int dy = -radius; dy <= radius; ++dy) {
    const int half = HalfWidth(radius, dy);
    for (int dx = -half; dx <= half; ++dx) {
      const int64_t d = int64_t{dx} * dx + int64_t{dy} * dy;
      if (d < bestD && Get(to.X + dx, to.Y + dy)) {
        bestD = d;
        best = TPoint{to.X + dx, to.Y + dy};
      }
    }
  }
  return best;
}

}  // namespace wispen::stagecheck
