#include "Timer.h"

#include <algorithm>

namespace wispen {

std::optional<int64_t> TimerQueue::NextDue() const {
  if (Suspended()) return std::nullopt;
  std::optional<int64_t> next;
  for (const TTimer* t : timers_) {
    if (t->Scheduled() && (!next || t->due_ < *next)) next = t->due_;
  }
  return next;
}

TTimer* TimerQueue::DueAt(int64_t now) const {
  if (Suspended()) return nullptr;
  TTimer* best = nullptr;
  for (TTimer* t : timers_) {
    if (!t->Scheduled() || t->due_ > now) continue;
    if (best == nullptr || t->due_ < best->due_ ||
        (t->due_ == best->due_ && t->sequence_ < best->sequence_)) {
      best = t;
    }
  }
  return best;
}

void TimerQueue::Fire(TTimer& timer) {
  timer.Restart();
  if (timer.OnTimer) timer.OnTimer();
}

void TimerQueue::Remove(TTimer* timer) {
  timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

TTimer::TTimer(TimerQueue& queue, int interval) : queue_(queue), interval_(interval) {
  queue_.Add(this);
}

TTimer::~TTimer() {
  queue_.Remove(this);
}

void TTimer::Restart() {
  due_ = queue_.GetClock().NowMs() + interval_;
  sequence_ = queue_.NextSequence();
}

void TTimer::SetInterval(int interval) {
  if (interval == interval_) return;
  interval_ = interval;
  if (enabled_) Restart();
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled_) Restart();
}

}  // namespace wispen
