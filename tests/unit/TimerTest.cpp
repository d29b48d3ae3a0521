#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Timer.h"

namespace wispen {
namespace {

// Runs the queue as the headless loop does: jump to each due time in turn, up to `end`.
void RunUntil(VirtualClock& clock, TimerQueue& queue, int64_t end) {
  for (;;) {
    const auto next = queue.NextDue();
    if (!next || *next > end) break;
    clock.AdvanceTo(*next);
    while (TTimer* t = queue.DueAt(clock.NowMs())) queue.Fire(*t);
  }
  clock.AdvanceTo(end);
}

struct TimerFixture : ::testing::Test {
  VirtualClock clock;
  TimerQueue queue{clock};
  std::vector<std::string> log;
  void Note(const std::string& what) { log.push_back(std::to_string(clock.NowMs()) + " " + what); }
};

TEST_F(TimerFixture, FiresEveryIntervalOnlyWhileEnabled) {
  TTimer t(queue, 50);
  t.OnTimer = [&] { Note("tick"); };
  RunUntil(clock, queue, 100);
  EXPECT_TRUE(log.empty());
  t.SetEnabled(true);
  RunUntil(clock, queue, 260);
  EXPECT_EQ(log, (std::vector<std::string>{"150 tick", "200 tick", "250 tick"}));
}

TEST_F(TimerFixture, IntervalChangedInsideItsOwnTickStartsANewPeriodThen) {
  TTimer t(queue, 100);
  t.OnTimer = [&] {
    Note("tick");
    t.SetInterval(60);
  };
  t.SetEnabled(true);
  RunUntil(clock, queue, 300);
  EXPECT_EQ(log, (std::vector<std::string>{"100 tick", "160 tick", "220 tick", "280 tick"}));
}

TEST_F(TimerFixture, EnablingRestartsThePeriodButReEnablingDoesNot) {
  TTimer t(queue, 100);
  t.OnTimer = [&] { Note("tick"); };
  t.SetEnabled(true);
  RunUntil(clock, queue, 70);
  t.SetEnabled(true);  // already enabled: the period runs on
  RunUntil(clock, queue, 120);
  t.SetEnabled(false);
  RunUntil(clock, queue, 150);
  t.SetEnabled(true);  // a new period from 150
  RunUntil(clock, queue, 260);
  EXPECT_EQ(log, (std::vector<std::string>{"100 tick", "250 tick"}));
}

TEST_F(TimerFixture, SettingTheSameIntervalKeepsThePeriod) {
  TTimer t(queue, 100);
  t.OnTimer = [&] { Note("tick"); };
  t.SetEnabled(true);
  RunUntil(clock, queue, 50);
  t.SetInterval(100);
  RunUntil(clock, queue, 100);
  EXPECT_EQ(log, (std::vector<std::string>{"100 tick"}));
}

TEST_F(TimerFixture, TimersFireInTimeOrderWithinOneWait) {
  TTimer slow(queue, 30), fast(queue, 20);
  slow.OnTimer = [&] { Note("slow"); };
  fast.OnTimer = [&] { Note("fast"); };
  slow.SetEnabled(true);
  fast.SetEnabled(true);
  RunUntil(clock, queue, 60);
  EXPECT_EQ(log, (std::vector<std::string>{"20 fast", "30 slow", "40 fast", "60 slow", "60 fast"}));
}

TEST_F(TimerFixture, NothingTicksWhileSuspendedAndALateTimerFiresOnce) {
  TTimer t(queue, 10);
  t.OnTimer = [&] { Note("tick"); };
  t.SetEnabled(true);
  queue.Suspend();
  EXPECT_FALSE(queue.NextDue().has_value());
  clock.AdvanceTo(100);  // a modal box stayed open for 100 ms
  EXPECT_EQ(queue.DueAt(clock.NowMs()), nullptr);
  queue.Resume();
  TTimer* due = queue.DueAt(clock.NowMs());
  ASSERT_EQ(due, &t);
  queue.Fire(*due);
  EXPECT_EQ(queue.DueAt(clock.NowMs()), nullptr);  // once, not once per missed period
  RunUntil(clock, queue, 115);
  EXPECT_EQ(log, (std::vector<std::string>{"100 tick", "110 tick"}));
}

TEST_F(TimerFixture, ATickThatDisablesItsTimerIsTheLast) {
  TTimer t(queue, 10);
  int ticks = 0;
  t.OnTimer = [&] {
    if (++ticks == 3) t.SetEnabled(false);
  };
  t.SetEnabled(true);
  RunUntil(clock, queue, 1000);
  EXPECT_EQ(ticks, 3);
}

TEST_F(TimerFixture, AZeroIntervalNeverFires) {
  TTimer t(queue, 0);
  t.OnTimer = [&] { Note("tick"); };
  t.SetEnabled(true);
  RunUntil(clock, queue, 100);
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace wispen
