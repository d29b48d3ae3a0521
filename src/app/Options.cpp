#include "Options.h"

#include <charconv>
#include <stdexcept>
#include <utility>

namespace wispen {

const char* const kUsage =
    "usage: wispen [--game-dir DIR] [--lang ja|en] [--scale N] [--headless] [--script FILE] [--log FILE]\n"
    "              [--help] [--version] [--record FILE] [--replay FILE]\n"
    "  --game-dir DIR  the directory that holds Data/ (default: the executable's)\n"
    "  --lang ja|en    the language of the texts (default: from LC_ALL, LC_MESSAGES, LANG)\n"
    "  --scale N       the window is N times 640x480 (1 to 8)\n"
    "  --headless      no window, no audio, virtual time; needs --script\n"
    "  --script FILE   drive the game from FILE\n"
    "  --log FILE      write the event log to FILE (- for standard output)\n"
    "  --record FILE   write the game down as a script that replays it\n"
    "  --replay FILE   play a recorded game in the window (Esc ends it)\n";

Options ParseOptions(const std::vector<std::string>& args) {
  Options o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::invalid_argument("option " + a + " needs a value");
      return args[++i];
    };
    if (a == "--game-dir") {
      o.GameDir = value();
    } else if (a == "--lang") {
      const std::string& v = value();
      if (v != "ja" && v != "en") throw std::invalid_argument("--lang takes ja or en, not '" + v + "'");
      o.Lang = v;
    } else if (a == "--scale") {
      const std::string& v = value();
      int n = 0;
      auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
      if (ec != std::errc() || ptr != v.data() + v.size() || n < 1 || n > 8) {
        throw std::invalid_argument("--scale takes a whole number from 1 to 8, not '" + v + "'");
      }
      o.Scale = n;
    } else if (a == "--headless") {
      o.Headless = true;
    } else if (a == "--script") {
      o.Script = value();
    } else if (a == "--log") {
      o.Log = value();
    } else if (a == "--record") {
      o.Record = value();
    } else if (a == "--replay") {
      o.Replay = value();
    } else if (a == "--help" || a == "-h") {
      o.Help = true;
    } else if (a == "--version") {
      o.Version = true;
    } else {
      throw std::invalid_argument("unknown option '" + a + "'");
    }
  }
  if (o.Replay && o.Script) throw std::invalid_argument("--replay and --script cannot go together");
  // A replay is a script; headless, it plays as fast as the machine allows.
  if (o.Replay && o.Headless) o.Script = std::exchange(o.Replay, std::nullopt);
  if (o.Headless && !o.Script && !o.Help && !o.Version)
    throw std::invalid_argument("--headless needs --script FILE");
  return o;
}

}  // namespace wispen
