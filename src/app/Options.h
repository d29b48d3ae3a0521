#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wispen {

// The command line: wispen [--game-dir DIR] [--lang ja|en] [--scale N] [--headless] [--script FILE]
//                          [--log FILE] [--help] [--version] [--save-dir DIR]
struct Options {
  std::optional<std::string> GameDir;
  std::optional<std::string> SaveDir;
  std::optional<std::string> Lang;
  int Scale = 1;
  bool Headless = false;
  std::optional<std::string> Script;
  std::optional<std::string> Log;
  bool Help = false;
  bool Version = false;
};

// Throws std::invalid_argument with a one-line message for a bad command line.
Options ParseOptions(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace wispen
