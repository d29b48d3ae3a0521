#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wispen {

// The soundfonts to try, in order: each entry of SDL_SOUNDFONTS (a ';'-separated list, as SDL_mixer reads it;
// pass its value, or nullptr when it is unset), then the General MIDI soundfonts the Debian packages install.
std::vector<std::string> SoundFontCandidates(const char* sdlSoundFonts);

// The first candidate that is a regular file.
std::optional<std::string> FindSoundFont(const std::vector<std::string>& candidates);

}  // namespace wispen
