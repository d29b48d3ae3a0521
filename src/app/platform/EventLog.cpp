#include "EventLog.h"

#include <cinttypes>

namespace wispen {

EventLog::~EventLog() {
  if (owned_ && out_ != nullptr) std::fclose(out_);
}

bool EventLog::Open(const std::string& path) {
  if (path == "-") {
    out_ = stdout;
    owned_ = false;
    return true;
  }
  out_ = std::fopen(path.c_str(), "w");
  owned_ = out_ != nullptr;
  return out_ != nullptr;
}

void EventLog::Write(const std::string& event) {
  if (out_ == nullptr) return;
  std::fprintf(out_, "%" PRId64 " %s\n", clock_.NowMs(), event.c_str());
  std::fflush(out_);
}

}  // namespace wispen
