#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "Application.h"
#include "Clock.h"
#include "Input.h"

namespace wispen {

// What a recording's first comment line says about the run it was made in; a replay runs the same way.
struct RecordingHeader {
  std::string Lang = "en";  // en or ja
  int SpeedFactor = 1;
  bool SkipOpening = false;  // the player's setting that cuts the opening short
};

std::string FormatRecordingHeader(const RecordingHeader& header);
// The header of a recording, looked for among the comment lines at the top of a script; nothing when the
// script is no recording. A damaged header throws ScriptError naming the file and the line.
std::optional<RecordingHeader> ReadRecordingHeader(std::istream& in, const std::string& fileName);

// Writes a run down as a script: the input the game saw, on the game clock, and at the end the state a replay
// must reach. Timer ticks are not written: a replay's waits bring them at the same clock times.
class Recorder {
 public:
  explicit Recorder(const Clock& clock) : clock_(clock) {}

  // The application whose state a press is taken against (see ClosedByGame).
  void Watch(const Application& app) { app_ = &app; }

  void Move(int x, int y);
  void Press(TMouseButton button, TShiftState shift, int x, int y);
  void Key(GameKey key);
  // The debug selector closed at `position` during the input written last: the replay needs to know before.
  void UpDown(int position);
  // A close that left the window open (its progress file could not be written).
  void Close();
  // A comment for the reader, e.g. a tick that came late in the real window.
  void Note(const std::string& text);
  // Takes the end state now, just before the window closes. The last call counts.
  void End(const Application& app);
  // The game closes its window itself. From a press (the Exit button) a replay would run nothing after
  // that press, so the end state is the one just before it, and the expect lines go before it. From a tick
  // nothing can be checked: the recording says so in a comment.
  void ClosedByGame();
  bool Ended() const { return ended_; }

  // The recording as script text.
  std::string Text(const RecordingHeader& header) const;
  // What the end state says, for naming the kept file.
  std::string EndValue(const std::string& name) const;

 private:
  void Input(std::string line);

  const Clock& clock_;
  int64_t written_ = 0;  // the clock time the lines written so far reach
  std::vector<std::string> lines_;
  size_t lastInput_ = 0;
  bool ended_ = false;
  int64_t endAt_ = 0;
  StateList endState_;
  bool endBeforeLastInput_ = false;
  const Application* app_ = nullptr;
  StateList beforePress_;  // the state before the press written last
};

}  // namespace wispen
