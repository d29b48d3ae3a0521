#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wispen {

// The command line: wispen [--game-dir DIR] [--lang ja|en] [--scale N] [--headless] [--script FILE]
//                          [--log FILE] [--help] [--version] [--fullscreen | --window] [--save-dir DIR]
//                          [--record FILE] [--replay FILE]
// What is not given here comes from the settings file.
struct Options {
  std::optional<std::string> GameDir;
  std::optional<std::string> SaveDir;
  std::optional<std::string> Lang;
  std::optional<int> Scale;
  std::optional<bool> Fullscreen;
  bool Headless = false;
  std::optional<std::string> Script;
  std::optional<std::string> Log;
  std::optional<std::string> Record;  // write the run down as a script
  std::optional<std::string> Replay;  // play a recording (or any script) in the window
  bool Help = false;
  bool Version = false;
};

// Throws std::invalid_argument with a one-line message for a bad command line.
Options ParseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace wispen
