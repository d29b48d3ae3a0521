#include "Recorder.h"

#include <charconv>
#include <sstream>

#include "Script.h"

namespace wispen {

namespace {

constexpr const char* kHeaderMark = "# wispen-recording";
constexpr const char* kVersion = "1";

// What a replay must reach; the screen digest catches what the numbers miss.
bool Expected(const std::string& name) {
  static const char* const kNames[] = {"CurrentStage", "PathIndex", "SoulsLeft",   "SoulsUsed",
                                       "StagesOpen",   "MenuMode",  "ScreenDigest"};
  for (const char* n : kNames)
    if (name == n) return true;
  return name.rfind("HighScores.", 0) == 0;
}

std::string PressLine(TMouseButton button, TShiftState shift, int x, int y) {
  std::string line = button == TMouseButton::mbLeft    ? "press left "
                     : button == TMouseButton::mbRight ? "press right "
                                                       : "press middle ";
  line += std::to_string(x) + " " + std::to_string(y);
  // Other buttons held at the same time have no word in a script and are left out.
  if (shift & ssShift) line += " shift";
  if (shift & ssCtrl) line += " ctrl";
  if (shift & ssAlt) line += " alt";
  if (shift & ssDouble) line += " double";
  return line;
}

}  // namespace

std::string FormatRecordingHeader(const RecordingHeader& header) {
  return std::string(kHeaderMark) + " version=" + kVersion + " lang=" + header.Lang +
         " speed=" + std::to_string(header.SpeedFactor) +
         " opening=" + (header.SkipOpening ? "skip" : "play");
}

std::optional<RecordingHeader> ReadRecordingHeader(std::istream& in, const std::string& fileName) {
  std::string line;
  for (int lineNo = 1; std::getline(in, line); ++lineNo) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) continue;
    if (line[first] != '#') return std::nullopt;  // the script's commands have begun: no header
    if (line.rfind(kHeaderMark, first) != first) continue;
    auto fail = [&](const std::string& why) -> std::optional<RecordingHeader> {
      throw ScriptError(fileName + ":" + std::to_string(lineNo) + ": " + why + ": " + line);
    };
    RecordingHeader h;
    bool version = false;
    std::istringstream words(line.substr(first + std::string(kHeaderMark).size()));
    for (std::string w; words >> w;) {
      const size_t eq = w.find('=');
      const std::string key = w.substr(0, eq), value = eq == std::string::npos ? "" : w.substr(eq + 1);
      if (key == "version") {
        if (value != kVersion)
          return fail("a recording of version '" + value + "', this game plays version 1");
        version = true;
      } else if (key == "lang") {
        if (value != "en" && value != "ja") return fail("the language is en or ja");
        h.Lang = value;
      } else if (key == "speed") {
        auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), h.SpeedFactor);
        if (ec != std::errc() || ptr != value.data() + value.size() || h.SpeedFactor < 1 ||
            h.SpeedFactor > 1000)
          return fail("the speed factor is a whole number from 1 to 1000");
      } else if (key == "opening") {
        if (value != "play" && value != "skip") return fail("the opening is play or skip");
        h.SkipOpening = value == "skip";
      } else {
        return fail("unknown recording setting '" + key + "'");
      }
    }
    if (!version) return fail("the recording names no version");
    return h;
  }
  return std::nullopt;
}

void Recorder::Input(std::string line) {
  const int64_t now = clock_.NowMs();
  if (now > written_) {
    lines_.push_back("wait " + std::to_string(now - written_));
    written_ = now;
  }
  lastInput_ = lines_.size();
  lines_.push_back(std::move(line));
}

void Recorder::Move(int x, int y) {
  Input("move " + std::to_string(x) + " " + std::to_string(y));
}

void Recorder::Press(TMouseButton button, TShiftState shift, int x, int y) {
  Input(PressLine(button, shift, x, y));
  beforePress_.clear();
  if (app_ != nullptr) app_->AppendState(beforePress_);
}

void Recorder::Key(GameKey key) {
  Input(key == GameKey::Escape ? "key esc" : key == GameKey::Space ? "key space" : "key return");
}

void Recorder::ClosedByGame() {
  const bool inPress = !beforePress_.empty() && lastInput_ + 1 == lines_.size() &&
                       written_ == clock_.NowMs() && lines_[lastInput_].rfind("press ", 0) == 0;
  if (!inPress) {
    // Closed by a tick: a replay's wait brings that tick and the close, so no expect line could run after it.
    ended_ = false;
    Note("the game closed its window itself at " + std::to_string(clock_.NowMs()) +
         " ms: there is no end state to check");
    return;
  }
  ended_ = true;
  endBeforeLastInput_ = true;
  endAt_ = written_;
  endState_ = beforePress_;
}

void Recorder::UpDown(int position) {
  const auto at = lines_.begin() + static_cast<std::ptrdiff_t>(std::min(lastInput_, lines_.size()));
  lines_.insert(at, "updown " + std::to_string(position));
  ++lastInput_;
}

void Recorder::Close() {
  Input("close");
}

void Recorder::Note(const std::string& text) {
  lines_.push_back("# " + text);
}

void Recorder::End(const Application& app) {
  ended_ = true;
  endBeforeLastInput_ = false;
  endAt_ = clock_.NowMs();
  endState_.clear();
  app.AppendState(endState_);
}

std::string Recorder::Text(const RecordingHeader& header) const {
  std::string text = FormatRecordingHeader(header) + "\n";
  const size_t endAt = ended_ && endBeforeLastInput_ ? lastInput_ : lines_.size();
  for (size_t i = 0; i < endAt; ++i) text += lines_[i] + "\n";
  if (ended_) {
    if (endAt_ > written_) text += "wait " + std::to_string(endAt_ - written_) + "\n";
    for (const auto& [name, value] : endState_) {
      if (Expected(name)) text += "expect " + name + (value.empty() ? "" : " " + value) + "\n";
    }
  }
  for (size_t i = endAt; i < lines_.size(); ++i) text += lines_[i] + "\n";
  return text;
}

std::string Recorder::EndValue(const std::string& name) const {
  for (const auto& [n, value] : endState_)
    if (n == name) return value;
  return "";
}

}  // namespace wispen
