#pragma once

namespace wispen {

// The face names the game asks for; the text engine maps them to the free fonts installed.
inline constexpr const char* kGothicFace =
    "\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";
inline constexpr const char* kPGothicFace =
    "\xEF\xBC\xAD\xEF\xBC\xB3 \xEF\xBC\xB0\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF";
inline constexpr const char* kArialFace = "Arial";

}  // namespace wispen
