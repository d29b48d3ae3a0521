#pragma once

#include <cstdio>
#include <string>

#include "Clock.h"

namespace wispen {

// What a screen and a speaker would have shown, a line an event: the clock in milliseconds, a blank,
// the event. Writes nothing until opened.
class EventLog {
 public:
  explicit EventLog(const Clock& clock) : clock_(clock) {}
  ~EventLog();
  EventLog(const EventLog&) = delete;
  EventLog& operator=(const EventLog&) = delete;

  // "-" is standard output. Returns false when the file cannot be created.
  bool Open(const std::string& path);
  bool IsOpen() const { return out_ != nullptr; }
  // A write that fails (a full disk) is reported once on standard error; nothing more is written.
  void Write(const std::string& event);
  bool Failed() const { return failed_; }

 private:
  const Clock& clock_;
  std::FILE* out_ = nullptr;
  bool owned_ = false;
  bool failed_ = false;
  std::string path_;
};

}  // namespace wispen
