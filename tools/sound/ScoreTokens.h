#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace wispen::sound {

// A mistake in a score or an effect recipe, named by file and line.
class SourceError : public std::runtime_error {
 public:
  SourceError(const std::string& source, int line, const std::string& what)
      : std::runtime_error(source + ":" + std::to_string(line) + ": " + what) {}
};

struct Token {
  std::string text;
  int line = 0;
  bool quoted = false;  // came from "...": a name, never a bracket
};

// Splits a score into words. '#' at the start of a word begins a comment to the end of the line (inside
// a word, as in c#4, it is a sharp); "..." is one word; '{', '[' and
// '|' stand alone; ']' and '}' keep what follows them up to the next blank ("]/2", "}*4").
std::vector<Token> TokenizeScore(const std::string& text, const std::string& source);

}  // namespace wispen::sound
