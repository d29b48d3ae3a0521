#include "SoundFont.h"

#include <filesystem>
#include <sstream>

namespace wispen {

namespace {

// fluid-soundfont-gm installs FluidR3_GM and points default-GM at it; timgm6mb-soundfont is the small one.
constexpr const char* kDebianSoundFonts[] = {
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
};

}  // namespace

std::vector<std::string> SoundFontCandidates(const char* sdlSoundFonts) {
  std::vector<std::string> out;
  if (sdlSoundFonts != nullptr) {
    std::istringstream list(sdlSoundFonts);
    std::string entry;
    while (std::getline(list, entry, ';')) {
      if (!entry.empty()) out.push_back(entry);
    }
  }
  for (const char* path : kDebianSoundFonts) out.emplace_back(path);
  return out;
}

std::optional<std::string> FindSoundFont(const std::vector<std::string>& candidates) {
  for (const std::string& path : candidates) {
    std::error_code ignored;
    if (std::filesystem::is_regular_file(path, ignored)) return path;
  }
  return std::nullopt;
}

}  // namespace wispen
