#include "Clock.h"

#include <chrono>
#include <ctime>

namespace wispen {

LocalTime VirtualClock::Now() const {
  const int64_t dayMs = now_ % (24LL * 3600 * 1000);
  return LocalTime{static_cast<int>(dayMs / 3600000), static_cast<int>(dayMs / 60000 % 60),
                   static_cast<int>(dayMs / 1000 % 60), static_cast<int>(dayMs % 1000)};
}

int64_t SystemClock::NowMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

LocalTime SystemClock::Now() const {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  return LocalTime{local.tm_hour, local.tm_min, local.tm_sec, ms};
}

}  // namespace wispen
