#include "ScoreWords.h"

#include <cctype>
#include <sstream>
#include <utility>

namespace wispen::sound {

namespace {

constexpr std::pair<const char*, int> kDrums[] = {
    {"kick", 36},     {"kick2", 35},   {"rim", 37},    {"snare", 38},    {"clap", 39},     {"snare2", 40},
    {"floortom", 41}, {"hat", 42},     {"tomlow", 45}, {"pedalhat", 44}, {"openhat", 46},  {"tommid", 47},
    {"tomhigh", 50},  {"crash", 49},   {"ride", 51},   {"china", 52},    {"ridebell", 53}, {"tambourine", 54},
    {"splash", 55},   {"cowbell", 56}, {"crash2", 57}, {"timbale", 65},  {"shaker", 70},   {"triangle", 81},
};

constexpr std::pair<const char*, int> kDynamics[] = {
    {"ppp", 24}, {"pp", 36}, {"p", 50}, {"mp", 64}, {"mf", 80}, {"f", 96}, {"ff", 112}, {"fff", 124},
};

}  // namespace

NoteWord SplitNoteWord(const std::string& word, int division, std::string& error) {
  NoteWord note;
  size_t marks = word.find_first_of("'!", 1);
  const size_t slash = word.find('/');
  const size_t headEnd = std::min(slash, marks);
  note.head = word.substr(0, headEnd);
  if (slash != std::string::npos && slash < marks) {
    note.ticks = LengthTicks(
        word.substr(slash + 1, marks == std::string::npos ? std::string::npos : marks - slash - 1), division);
    if (!note.ticks) error = "'" + word + "' has a length I cannot read";
  }
  for (size_t i = marks; i < word.size(); ++i) {
    if (word[i] == '\'') {
      note.staccato = true;
    } else if (word[i] == '!') {
      note.accent = true;
    } else {
      error = "'" + word + "' has marks after its length that I do not know";
    }
  }
  return note;
}

std::optional<int> KeyNumber(const std::string& head) {
  for (const auto& [name, key] : kDrums) {
    if (head == name) return key;
  }
  if (head.size() < 2) return std::nullopt;
  static constexpr int kSteps[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
  const char letter = head[0];
  if (letter < 'a' || letter > 'g') return std::nullopt;
  int key = kSteps[letter - 'a'];
  size_t i = 1;
  if (head[i] == '#') {
    ++key;
    ++i;
  } else if (head[i] == 'b' && i + 1 < head.size()) {
    --key;
    ++i;
  }
  const std::string octave = head.substr(i);
  if (octave.empty() || octave.size() > 2) return std::nullopt;
  if (!(std::isdigit(static_cast<unsigned char>(octave.back())) &&
        (octave.size() == 1 || octave[0] == '-'))) {
    return std::nullopt;
  }
  key += (std::stoi(octave) + 1) * 12;
  if (key < 0 || key > 127) return std::nullopt;
  return key;
}

std::optional<uint32_t> LengthTicks(const std::string& lengths, int division) {
  if (lengths.empty()) return std::nullopt;
  uint32_t total = 0;
  std::istringstream parts(lengths);
  std::string part;
  while (std::getline(parts, part, '+')) {
    size_t digits = 0;
    while (digits < part.size() && std::isdigit(static_cast<unsigned char>(part[digits]))) ++digits;
    if (digits == 0 || digits > 2) return std::nullopt;
    const int value = std::stoi(part.substr(0, digits));
    if (value <= 0 || (value & (value - 1)) != 0 || value > 64) return std::nullopt;
    // Whole-note ticks, scaled by the marks, divided last so triplets and dots stay exact where they can.
    uint32_t numerator = static_cast<uint32_t>(4 * division);
    uint32_t denominator = static_cast<uint32_t>(value);
    const std::string marks = part.substr(digits);
    if (marks == "t") {
      numerator *= 2;
      denominator *= 3;
    } else if (marks == ".") {
      numerator *= 3;
      denominator *= 2;
    } else if (marks == "..") {
      numerator *= 7;
      denominator *= 4;
    } else if (!marks.empty()) {
      return std::nullopt;
    }
    if (numerator % denominator != 0) return std::nullopt;
    total += numerator / denominator;
  }
  if (lengths.back() == '+') return std::nullopt;
  return total;
}

std::optional<int> DynamicVelocity(const std::string& word) {
  for (const auto& [name, velocity] : kDynamics) {
    if (word == name) return velocity;
  }
  return std::nullopt;
}

}  // namespace wispen::sound
