#pragma once

#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Input.h"

namespace wispen {

// One line of a test or demo script.
struct ScriptCommand {
  enum class Kind { Wait, Move, Press, UpDown, Shot, State, Expect, Close, Key };
  Kind kind = Kind::Wait;
  int line = 0;
  int64_t ms = 0;                              // wait
  int x = 0, y = 0;                            // move, press
  TMouseButton button = TMouseButton::mbLeft;  // press
  TShiftState shift = 0;                       // press: the button and the modifiers
  int number = 0;                              // updown
  std::string file;                            // shot, state
  std::string name, value;                     // expect
  GameKey key = GameKey::Escape;               // key
};

// A line that cannot be parsed; the message names the file and the line.
class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::vector<ScriptCommand> ParseScript(std::istream& in, const std::string& fileName);

}  // namespace wispen
