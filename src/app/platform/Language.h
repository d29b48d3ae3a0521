#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace wispen {

constexpr uint16_t kLangJapanese = 0x0411;
constexpr uint16_t kLangEnglish = 0x0409;

// The user's language id: Japanese when the first set, non-empty one of LC_ALL, LC_MESSAGES, LANG starts
// with "ja", English otherwise. `override` ("ja" or "en") wins. `getenv` is injectable for tests.
uint16_t DetectLanguage(const std::optional<std::string>& override,
                        const std::function<const char*(const char*)>& getenv);

// True when the low byte of the language id names Japanese.
constexpr bool IsJapanese(uint16_t langId) {
  return (langId & 0xFF) == 0x11;
}

}  // namespace wispen
