#include "Options.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <utility>

namespace wispen {

const char* const kUsage =
    "usage: wispen [--game-dir DIR] [--lang ja|en] [--scale N] [--headless] [--script FILE] [--log FILE]\n"
    "              [--help] [--version] [--fullscreen | --window] [--save-dir DIR]\n"
    "              [--record FILE] [--replay FILE]\n"
    "  --game-dir DIR  the directory that holds Data/ (default: the executable's when it holds Data/,\n"
    "                  else the installed ../share/games/wispen or ../share/wispen)\n"
    "  --lang ja|en    the language of the texts (default: the settings file's, else the locale's)\n"
    "  --scale N       the window is N times 640x480 (1 to 8; default: the largest that fits the desktop)\n"
    "  --fullscreen    start on the whole screen\n"
    "  --window        start in a window (the default)\n"
    "  --headless      no window, no audio, virtual time; needs --script (the settings file is not read)\n"
    "  --script FILE   drive the game from FILE\n"
    "  --log FILE      write the event log to FILE (- for standard output)\n"
    "  --save-dir DIR  keep the progress file Info.Dat in DIR (default: beside the data when Data/ is\n"
    "                  writable, else $XDG_DATA_HOME/wispen, that is ~/.local/share/wispen)\n"
    "  --record FILE   write the game down as a script that replays it\n"
    "  --replay FILE   play a recorded game in the window (Esc ends it)\n"
    "keys:\n"
    "  Alt+Enter, F11          switch between the window and the whole screen\n"
    "  Esc, Space, Return      during the opening: go to the title menu at once (not on the first run)\n"
    "settings file: $XDG_CONFIG_HOME/wispen/settings.ini (default ~/.config/wispen/settings.ini),\n"
    "  lines 'key = value', '#' starts a comment; options on the command line win over it:\n"
    "  scale = 0..8 (0: fit the desktop)      fullscreen = true|false   language = ja|en\n"
    "  music_volume = 0..100                  effects_volume = 0..100   soundfont = PATH\n"
    "  confine_mouse = true|false (keep the pointer in the picture during play)\n"
    "  skip_opening = true|false (start at the title menu)\n";

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
    } else if (a == "--save-dir") {
      o.SaveDir = value();
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
    } else if (a == "--fullscreen") {
      o.Fullscreen = true;
    } else if (a == "--window") {
      o.Fullscreen = false;
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
  if (std::count(args.begin(), args.end(), "--fullscreen") != 0 &&
      std::count(args.begin(), args.end(), "--window") != 0)
    throw std::invalid_argument("--fullscreen and --window cannot both be given");
  if (o.Replay && o.Script) throw std::invalid_argument("--replay and --script cannot go together");
  // A replay is a script; headless, it plays as fast as the machine allows.
  if (o.Replay && o.Headless) o.Script = std::exchange(o.Replay, std::nullopt);
  if (o.Headless && !o.Script && !o.Help && !o.Version)
    throw std::invalid_argument("--headless needs --script FILE");
  return o;
}

}  // namespace wispen
