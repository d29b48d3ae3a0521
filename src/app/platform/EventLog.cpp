#include "EventLog.h"

#include <cerrno>
#include <cinttypes>
#include <cstring>

namespace wispen {

EventLog::~EventLog() {
  if (owned_ && out_ != nullptr) std::fclose(out_);
}

bool EventLog::Open(const std::string& path) {
  path_ = path;
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
  if (out_ == nullptr || failed_) return;
  if (std::fprintf(out_, "%" PRId64 " %s\n", clock_.NowMs(), event.c_str()) < 0 || std::fflush(out_) != 0) {
    const int error = errno;
    failed_ = true;
    std::fprintf(stderr, "wispen: cannot write the log %s: %s\n", path_.c_str(), std::strerror(error));
  }
}

}  // namespace wispen
