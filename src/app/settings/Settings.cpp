#include "Settings.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace wispen {

namespace {

std::string Trim(const std::string& s) {
  const size_t begin = s.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return "";
  const size_t end = s.find_last_not_of(" \t\r");
  return s.substr(begin, end - begin + 1);
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

std::optional<bool> ParseBool(const std::string& v) {
  const std::string l = Lower(v);
  if (l == "true" || l == "yes" || l == "on" || l == "1") return true;
  if (l == "false" || l == "no" || l == "off" || l == "0") return false;
  return std::nullopt;
}

std::optional<int> ParseIntIn(const std::string& v, int low, int high) {
  int n = 0;
  auto [ptr, ec] = std::from_chars(v.data(), v.data() + v.size(), n);
  if (ec != std::errc() || ptr != v.data() + v.size() || n < low || n > high) return std::nullopt;
  return n;
}

// The key of a `key = value` line, or empty for a comment, a blank line or a line without '='.
std::string KeyOf(const std::string& line) {
  const std::string t = Trim(line);
  if (t.empty() || t[0] == '#') return "";
  const size_t eq = t.find('=');
  return eq == std::string::npos ? "" : Lower(Trim(t.substr(0, eq)));
}

class LineReader {
 public:
  LineReader(GameSettings& s, std::vector<std::string>& warnings, std::string where)
      : s_(s), warnings_(warnings), where_(std::move(where)) {}

  void Read(const std::string& key, const std::string& value) {
    key_ = key;
    if (key == "scale") {
      Set(s_.Scale, ParseIntIn(value, 0, 8), value, "0 to 8", "0 (fit the desktop)");
    } else if (key == "fullscreen") {
      Set(s_.Fullscreen, ParseBool(value), value, "true or false", "false");
    } else if (key == "language") {
      const std::string l = Lower(value);
      if (l == "ja" || l == "en") {
        s_.Language = l;
      } else {
        Bad(value, "ja or en", "the locale's language");
      }
    } else if (key == "music_volume") {
      Set(s_.MusicVolume, ParseIntIn(value, 0, 100), value, "0 to 100", "100");
    } else if (key == "effects_volume") {
      Set(s_.EffectsVolume, ParseIntIn(value, 0, 100), value, "0 to 100", "100");
    } else if (key == "soundfont") {
      std::error_code ec;
      if (!value.empty() && std::filesystem::is_regular_file(value, ec)) {
        s_.SoundFont = value;
      } else {
        Warn("soundfont '" + value + "' is not a file; using the soundfont found as without the setting");
      }
    } else if (key == "confine_mouse") {
      Set(s_.ConfineMouse, ParseBool(value), value, "true or false", "true");
    } else if (key == "skip_opening") {
      Set(s_.SkipOpening, ParseBool(value), value, "true or false", "false");
    } else {
      Warn("unknown setting '" + key + "' (ignored)");
    }
  }

  void Warn(const std::string& what) { warnings_.push_back(where_ + what); }

 private:
  template <typename T>
  void Set(T& field, const std::optional<T>& parsed, const std::string& value, const char* wanted,
           const char* fallback) {
    if (parsed) {
      field = *parsed;
    } else {
      Bad(value, wanted, fallback);
    }
  }
  void Bad(const std::string& value, const char* wanted, const char* fallback) {
    Warn(key_ + " = '" + value + "' is not " + wanted + "; using " + fallback);
  }

  GameSettings& s_;
  std::vector<std::string>& warnings_;
  std::string where_;
  std::string key_;
};

}  // namespace

GameSettings ParseSettings(std::istream& in, const std::string& fileName,
                           std::vector<std::string>& warnings) {
  GameSettings s;
  std::string raw;
  for (int lineNo = 1; std::getline(in, raw); ++lineNo) {
    const std::string t = Trim(raw);
    if (t.empty() || t[0] == '#') continue;
    LineReader reader(s, warnings, fileName + ":" + std::to_string(lineNo) + ": ");
    const size_t eq = t.find('=');
    if (eq == std::string::npos) {
      reader.Warn("not a 'key = value' line (ignored)");
      continue;
    }
    // A value may carry a comment of its own after '#'.
    std::string value = t.substr(eq + 1);
    value = Trim(value.substr(0, value.find('#')));
    reader.Read(Lower(Trim(t.substr(0, eq))), value);
  }
  return s;
}

GameSettings LoadSettings(const std::string& path, std::vector<std::string>& warnings) {
  std::error_code ec;
  if (path.empty() || !std::filesystem::exists(path, ec)) return GameSettings{};
  std::ifstream in(path);
  const bool directory = std::filesystem::is_directory(path, ec);
  if (!in || directory) {
    const std::string why = directory ? "a directory" : std::strerror(errno);
    warnings.push_back(path + ": cannot be read (" + why + "); using the defaults");
    return GameSettings{};
  }
  return ParseSettings(in, path, warnings);
}

std::string WithSetting(const std::string& text, const std::string& key, const std::string& value) {
  const std::string line = key + " = " + value;
  std::istringstream in(text);
  std::string out;
  bool found = false;
  for (std::string raw; std::getline(in, raw);) {
    if (KeyOf(raw) == key) {
      out += line;
      if (!raw.empty() && raw.back() == '\r') out += '\r';
      found = true;
    } else {
      out += raw;
    }
    out += '\n';
  }
  if (!found) out += line + '\n';
  return out;
}

bool SaveSetting(const std::string& path, const std::string& key, const std::string& value,
                 std::string& error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path file(path);
  if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
  std::string text;
  if (fs::exists(file, ec)) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      error = "cannot read " + path + ": " + std::strerror(errno);
      return false;
    }
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
  }
  const std::string temp = path + ".new." + std::to_string(::getpid());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << WithSetting(text, key, value);
    out.flush();
    if (!out) {
      error = "cannot write " + temp + ": " + std::strerror(errno);
      out.close();
      fs::remove(temp, ec);
      return false;
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    error = "cannot replace " + path + ": " + std::strerror(errno);
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

std::string SettingsPath(const std::function<const char*(const char*)>& getenv) {
  const char* config = getenv("XDG_CONFIG_HOME");
  if (config != nullptr && config[0] == '/') return std::string(config) + "/wispen/settings.ini";
  const char* home = getenv("HOME");
  if (home != nullptr && home[0] != '\0') return std::string(home) + "/.config/wispen/settings.ini";
  return "";
}

}  // namespace wispen
