#pragma once

#include <cstdint>

namespace wispen {

// A time of day with milliseconds, as the local clock gives it.
struct LocalTime {
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int Millisecond = 0;
};

// The latest time the game keeps: 2^62 ms, some 146 million years. Waits stop there, so no sum of times
// can leave the 64-bit range.
constexpr int64_t kLatestTimeMs = int64_t{1} << 62;

// The one clock of the game: every timer and every time read goes through it, so a headless run can use
// virtual time and replay exactly.
class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary start, never going backwards.
  virtual int64_t NowMs() const = 0;
  // The local time of day with milliseconds.
  virtual LocalTime Now() const = 0;
};

// Virtual time, starting at 0 ms = midnight; it moves only when told to.
class VirtualClock : public Clock {
 public:
  int64_t NowMs() const override { return now_; }
  LocalTime Now() const override;
  void AdvanceTo(int64_t ms) {
    if (ms > now_) now_ = ms;
  }

 private:
  int64_t now_ = 0;
};

// The machine's steady clock and local time.
class SystemClock : public Clock {
 public:
  int64_t NowMs() const override;
  LocalTime Now() const override;
};

}  // namespace wispen
