#include "Script.h"

#include <charconv>
#include <sstream>

namespace wispen {

namespace {

bool ParseInt(const std::string& text, int64_t& out) {
  if (text.empty()) return false;
  const char* begin = text.data();
  const char* end = begin + text.size();
  auto [ptr, ec] = std::from_chars(begin, end, out);
  return ec == std::errc() && ptr == end;
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
      if (c.ms < 0) Fail("wait takes a time of 0 ms or more");
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
        Fail("unknown button '" + b + "' (left, right or middle)");
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
        Fail("unknown key '" + k + "' (esc, space or return)");
      }
    } else if (verb == "close") {
      Need(1, "close");
      c.kind = ScriptCommand::Kind::Close;
    } else {
      Fail("unknown command '" + verb + "'");
    }
    return c;
  }

 private:
  [[noreturn]] void Fail(const std::string& why) const { throw ScriptError(where_ + why + ": " + text_); }
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
    Fail("unknown modifier '" + m + "' (shift, ctrl, alt or double)");
  }

  std::string where_;
  std::string text_;
  std::vector<std::string> words_;
};

}  // namespace

std::vector<ScriptCommand> ParseScript(std::istream& in, const std::string& fileName) {
  std::vector<ScriptCommand> commands;
  std::string raw;
  for (int lineNo = 1; std::getline(in, raw); ++lineNo) {
    std::string text = raw.substr(0, raw.find('#'));
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (text.find_first_not_of(" \t\r") == std::string::npos) continue;
    commands.push_back(LineParser(fileName, lineNo, text).Parse(lineNo));
  }
  return commands;
}

}  // namespace wispen
