#pragma once

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Input.h"

namespace wispen {

// How long an `until` line may run virtual time when it names no limit.
constexpr int64_t kDefaultUntilMs = 600000;

// One line of a test or demo script.
struct ScriptCommand {
  enum class Kind { Wait, Move, Press, UpDown, Shot, State, Expect, Close, Key, Until };
  Kind kind = Kind::Wait;
  int line = 0;
  int64_t ms = 0;                              // wait; until: the time it may take
  int x = 0, y = 0;                            // move, press
  TMouseButton button = TMouseButton::mbLeft;  // press
  TShiftState shift = 0;                       // press: the button and the modifiers
  int number = 0;                              // updown
  std::string file;                            // shot, state
  std::string name, value;                     // expect, until
  GameKey key = GameKey::Escape;               // key
};

// A line that cannot be parsed; the message names the file and the line.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The longest line a script may have; a longer one is refused with ScriptError.
constexpr size_t kMaxScriptLine = 4096;

// Reads a whole script. Lines without a word are skipped; a line that cannot be parsed throws ScriptError,
// which names the file and the line and quotes at most 80 characters of it.
std::vector<ScriptCommand> ParseScript(std::istream& in, const std::string& fileName);

}  // namespace wispen
