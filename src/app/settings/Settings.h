#pragma once

#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace wispen {

// The player's choices kept between runs, in a small file of `key = value` lines with `#` comments.
struct GameSettings {
  int Scale = 0;  // 0: the largest whole multiple of 640x480 that fits the desktop; else 1..8
  bool Fullscreen = false;
  std::optional<std::string> Language;  // "ja" or "en"; none: from the locale
  int MusicVolume = 100;                // 0..100
  int EffectsVolume = 100;              // 0..100
  std::optional<std::string> SoundFont;
  bool ConfineMouse = true;
  bool SkipOpening = false;
};

// Reads settings text. Every line that cannot be used (an unknown key, a bad value, no '=') adds one warning
// to `warnings` that names the file, the line and the default kept; the rest still count.
GameSettings ParseSettings(std::istream& in, const std::string& fileName, std::vector<std::string>& warnings);

// Reads the file at `path`. A missing file is the defaults, silently; one that cannot be read is the
// defaults with a warning.
GameSettings LoadSettings(const std::string& path, std::vector<std::string>& warnings);

// `text` with `key = value`: every line that sets the key is replaced; without one the line is added at the
// end. Comments, unknown keys and the other lines stay as they were.
std::string WithSetting(const std::string& text, const std::string& key, const std::string& value);

// Sets one key in the file at `path`, creating the file and its directory when needed. The new text goes
// into a temporary file beside it that then replaces the old one, so a crash leaves the old file or the new,
// never half of one. False, with the reason in `error`, when it could not be written.
bool SaveSetting(const std::string& path, const std::string& key, const std::string& value,
                 std::string& error);

// $XDG_CONFIG_HOME/wispen/settings.ini, or ~/.config/wispen/settings.ini when that is unset or not absolute.
// Empty when neither variable gives a place.
std::string SettingsPath(const std::function<const char*(const char*)>& getenv);

}  // namespace wispen
