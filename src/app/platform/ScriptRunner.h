#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Application.h"
#include "ImageCodec.h"
#include "Recorder.h"
#include "Script.h"

namespace wispen {

// Exit statuses of a scripted run.
constexpr int kExitOk = 0;
constexpr int kExitBadInput = 2;
constexpr int kExitExpectFailed = 3;
constexpr int kExitCloseFailed = 4;

// Plays a script against the application. The backend supplies how time passes and where the pointer is.
class ScriptRunner {
 public:
  struct Hooks {
    std::function<void(int64_t ms)> Wait;  // let ms milliseconds pass, firing due timers
    // Lets time pass as Wait does, but stops as soon as `holds` is true (asked first, then after each timer
    // tick); false when ms milliseconds passed first or the window closed.
    std::function<bool(int64_t ms, const std::function<bool()>& holds)> WaitUntil;
    std::function<TPoint()> Pointer;          // where the pointer is now
    std::function<void(TPoint)> MovePointer;  // the pointer moved to a point (before its event)
    std::function<void(int)> SetUpDown;       // the next debug selector closes at this position
    Recorder* Record = nullptr;               // writes the run down, if given
    bool Replay = false;                      // every expect line must be reached (see Run)
    std::function<bool()> StoppedByPlayer;    // the player ended a replay in the window (Esc, close box)
  };

  ScriptRunner(Application& app, ImageCodec& images, Hooks hooks)
      : app_(app), images_(images), hooks_(std::move(hooks)) {}

  // Runs the commands, then closes the window unless it already is. Returns the exit status. In a replay,
  // a window that closed while expect lines were still to come means the game went another way.
  int Run(const std::vector<ScriptCommand>& commands);

 private:
  bool Expect(const ScriptCommand& c);
  bool Until(const ScriptCommand& c);
  std::optional<std::string> StateValue(const std::string& name) const;
  int ClosedEarly(const std::vector<ScriptCommand>& commands, const ScriptCommand& next) const;
  void WriteState(const ScriptCommand& c);
  void Shot(const ScriptCommand& c);

  Application& app_;
  ImageCodec& images_;
  Hooks hooks_;
};

}  // namespace wispen
