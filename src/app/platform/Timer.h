#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "Clock.h"

namespace wispen {

class TTimer;

// Keeps the timers of one run and says which is due next. It never calls a handler itself: the event loop
// asks for the next due timer and dispatches its tick.
class TimerQueue {
 public:
  explicit TimerQueue(const Clock& clock) : clock_(clock) {}
  TimerQueue(const TimerQueue&) = delete;
  TimerQueue& operator=(const TimerQueue&) = delete;

  const Clock& GetClock() const { return clock_; }

  // The earliest time at which an enabled timer is due, or nothing while suspended or when none is enabled.
  std::optional<int64_t> NextDue() const;
  // The enabled timer that is due earliest at or before `now` (ties: the one scheduled first), or null.
  TTimer* DueAt(int64_t now) const;
  // Runs one tick of `timer`: its next period starts now, then its handler runs.
  void Fire(TTimer& timer);

  // While a modal box or dialog is open no timer ticks. Nested modals count.
  void Suspend() { ++suspended_; }
  void Resume() {
    if (suspended_ > 0) --suspended_;
  }
  bool Suspended() const { return suspended_ > 0; }

 private:
  friend class TTimer;
  void Add(TTimer* timer) { timers_.push_back(timer); }
  void Remove(TTimer* timer);
  uint64_t NextSequence() { return ++sequence_; }

  const Clock& clock_;
  std::vector<TTimer*> timers_;
  uint64_t sequence_ = 0;
  int suspended_ = 0;
};

// A timer component: Interval in milliseconds, Enabled, an integer Tag and the OnTimer handler.
// Enabling it, or changing Interval while it is enabled (also from inside its own tick), starts a new period
// from that moment. A late timer fires once, not once per missed period.
class TTimer {
 public:
  explicit TTimer(TimerQueue& queue, int interval = 1000);
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  int Interval() const { return interval_; }
  void SetInterval(int interval);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  int32_t Tag = 0;
  std::function<void()> OnTimer;

 private:
  friend class TimerQueue;
  void Restart();
  bool Scheduled() const { return enabled_ && interval_ > 0; }

  TimerQueue& queue_;
  int interval_;
  bool enabled_ = false;
  int64_t due_ = 0;
  uint64_t sequence_ = 0;
};

}  // namespace wispen
