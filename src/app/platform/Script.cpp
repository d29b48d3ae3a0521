#include "Script.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <sstream>

#include "Clock.h"

namespace wispen {

namespace {

bool ParseInt(const std::string& text, int64_t& out) {
  if (text.empty()) return false;
  const char* begin = text.data();
  const char* end = begin + text.size();
  auto [ptr, ec] = std::from_chars(begin, end, out);
  return ec == std::errc() && ptr == end;
}

// At most this much of a line or a word goes into a message.
constexpr size_t kQuoted = 80;

std::string Quoted(const std::string& text) {
  return text.size() > kQuoted ? text.substr(0, kQuoted) + "..." : text;
}

bool EndsWith(const std::string& s, const std::string& suffix) {
  if (s.size() < suffix.size()) return false;
  for (size_t i = 0; i < suffix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(s[s.size() - suffix.size() + i])) != suffix[i]) return false;
  }
  return true;
}

class LineParser {
 public:
  LineParser(const std::string& fileName, int lineNo, const std::string& text)
      : where_(fileName + ":" + std::to_string(lineNo) + ": "), text_(text) {
    std::istringstream words(text);
    for (std::string w; words >> w;) words_.push_back(w);
  }

  ScriptCommand Parse(int lineNo) {
    ScriptCommand c;
    c.line = lineNo;
    const std::string& verb = words_[0];
    if (verb == "wait") {
      Need(2, "wait MS");
      c.kind = ScriptCommand::Kind::Wait;
      c.ms = Int(1, "MS");
      if (c.ms < 0 || c.ms > kLatestTimeMs)
        Fail("wait takes a time from 0 to " + std::to_string(kLatestTimeMs) + " ms");
    } else if (verb == "move") {
      Need(3, "move X Y");
      c.kind = ScriptCommand::Kind::Move;
      c.x = Coord(1);
      c.y = Coord(2);
    } else if (verb == "press") {
      if (words_.size() < 4) Fail("expected: press BUTTON X Y [MOD...]");
      c.kind = ScriptCommand::Kind::Press;
      const std::string& b = words_[1];
      if (b == "left") {
        c.button = TMouseButton::mbLeft;
      } else if (b == "right") {
        c.button = TMouseButton::mbRight;
      } else if (b == "middle") {
        c.button = TMouseButton::mbMiddle;
      } else {
        Fail("unknown button '" + Quoted(b) + "' (left, right or middle)");
      }
      c.x = Coord(2);
      c.y = Coord(3);
      c.shift = ButtonFlag(c.button);
      for (size_t i = 4; i < words_.size(); ++i) c.shift |= Modifier(words_[i]);
    } else if (verb == "updown") {
      Need(2, "updown N");
      c.kind = ScriptCommand::Kind::UpDown;
      c.number = Coord(1);
    } else if (verb == "shot") {
      Need(2, "shot FILE");
      c.kind = ScriptCommand::Kind::Shot;
      c.file = words_[1];
      if (!EndsWith(c.file, ".png") && !EndsWith(c.file, ".bmp")) Fail("shot writes a .png or .bmp file");
    } else if (verb == "state") {
      Need(2, "state FILE");
      c.kind = ScriptCommand::Kind::State;
      c.file = words_[1];
    } else if (verb == "expect") {
      // An empty value may be left out: "expect NAME".
      if (words_.size() != 2 && words_.size() != 3) Fail("expected: expect NAME VALUE");
      c.kind = ScriptCommand::Kind::Expect;
      c.name = words_[1];
      c.value = words_.size() == 3 ? words_[2] : "";
    } else if (verb == "key") {
      Need(2, "key esc|space|return");
      c.kind = ScriptCommand::Kind::Key;
      const std::string& k = words_[1];
      if (k == "esc") {
        c.key = GameKey::Escape;
      } else if (k == "space") {
        c.key = GameKey::Space;
      } else if (k == "return") {
        c.key = GameKey::Return;
      } else {
        Fail("unknown key '" + Quoted(k) + "' (esc, space or return)");
      }
    } else if (verb == "until") {
      if (words_.size() != 3 && words_.size() != 4) Fail("expected: until NAME VALUE [MS]");
      c.kind = ScriptCommand::Kind::Until;
      c.name = words_[1];
      c.value = words_[2];
      c.ms = words_.size() == 4 ? Int(3, "MS") : kDefaultUntilMs;
      if (c.ms < 0) Fail("until takes a time of 0 ms or more");
    } else if (verb == "close") {
      Need(1, "close");
      c.kind = ScriptCommand::Kind::Close;
    } else {
      Fail("unknown command '" + Quoted(verb) + "'");
    }
    return c;
  }

 private:
  // A long line is quoted only in part: the message is for reading.
  [[noreturn]] void Fail(const std::string& why) const {
    throw ScriptError(where_ + why + ": " + Quoted(text_));
  }
  void Need(size_t count, const char* form) const {
    if (words_.size() != count) Fail(std::string("expected: ") + form);
  }
  int64_t Int(size_t i, const char* what) const {
    int64_t v = 0;
    if (!ParseInt(words_[i], v)) Fail(std::string(what) + " is not a whole number");
    return v;
  }
  int Coord(size_t i) const {
    const int64_t v = Int(i, "a number");
    if (v < -1000000 || v > 1000000) Fail("number out of range");
    return static_cast<int>(v);
  }
  TShiftState Modifier(const std::string& m) const {
    if (m == "shift") return ssShift;
    if (m == "ctrl") return ssCtrl;
    if (m == "alt") return ssAlt;
    if (m == "double") return ssDouble;
    Fail("unknown modifier '" + Quoted(m) + "' (shift, ctrl, alt or double)");
  }

  std::string where_;
  std::string text_;
  std::vector<std::string> words_;
};

// Reads one line of at most kMaxScriptLine characters; a longer one is refused before it fills the memory.
bool ReadLine(std::istream& in, std::string& line, const std::string& fileName, int lineNo) {
  line.clear();
  std::istream::sentry ok(in, true);
  if (!ok) return false;
  for (int c; (c = in.rdbuf()->sbumpc()) != std::char_traits<char>::eof();) {
    if (c == '\n') return true;
    if (line.size() == kMaxScriptLine) {
      throw ScriptError(fileName + ":" + std::to_string(lineNo) + ": a line longer than " +
                        std::to_string(kMaxScriptLine) + " characters");
    }
    line.push_back(static_cast<char>(c));
  }
  in.setstate(std::ios::eofbit);
  return !line.empty();
}

}  // namespace

std::vector<ScriptCommand> ParseScript(std::istream& in, const std::string& fileName) {
  std::vector<ScriptCommand> commands;
  std::string raw;
  for (int lineNo = 1; ReadLine(in, raw, fileName, lineNo); ++lineNo) {
    const std::string text = raw.substr(0, raw.find('#'));
    // Blank means no word as the words are split: any white space, "\v" and "\f" too.
    if (std::all_of(text.begin(), text.end(), [](unsigned char ch) { return std::isspace(ch); })) continue;
    commands.push_back(LineParser(fileName, lineNo, text).Parse(lineNo));
  }
  if (in.bad()) throw ScriptError(fileName + ": cannot be read");
  return commands;
}

}  // namespace wispen
