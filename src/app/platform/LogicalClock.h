#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "Clock.h"

namespace wispen {

// The real window's game clock. It reads like the virtual clock of a headless run: it starts at 0, stands
// still while a handler runs, and is moved on by the loop to each timer's due time and to each input's place
// between the ticks. Real time only decides when the loop moves it, so a recorded run replays the same
// interleaving of ticks and input on virtual time.
class LogicalClock : public Clock {
 public:
  LogicalClock() : start_(real_.NowMs()) {}

  int64_t NowMs() const override { return now_; }
  // The time of day stays real: the opening measures the machine's speed with it.
  LocalTime Now() const override { return real_.Now(); }

  // Real time since the start, less the time held back: where the game clock would be if it ran freely.
  int64_t RealNow() const { return real_.NowMs() - start_ - heldBack_; }
  void AdvanceTo(int64_t ms) { now_ = std::max(now_, ms); }
  // Real time counts from here on: what passed before (opening the window, loading the game) is not the
  // game's time, as it is not in a headless run.
  void StartHere() { heldBack_ = real_.NowMs() - start_ - now_; }
  // A tick came this late: the game clock skips none of its ticks, so it lets that time go by unseen.
  void HoldBack(int64_t ms) { heldBack_ += std::max<int64_t>(ms, 0); }
  // An input event goes at the real time, but before the tick due next (which has not fired yet) and not
  // before anything that came earlier. Returns its place.
  int64_t PlaceInput(std::optional<int64_t> nextDue) {
    int64_t at = RealNow();
    if (nextDue) at = std::min(at, *nextDue - 1);
    AdvanceTo(at);
    return now_;
  }

 private:
  SystemClock real_;
  int64_t start_;
  int64_t heldBack_ = 0;
  int64_t now_ = 0;
};

}  // namespace wispen
