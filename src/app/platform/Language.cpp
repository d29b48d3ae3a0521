#include "Language.h"

namespace wispen {

uint16_t DetectLanguage(const std::optional<std::string>& override,
                        const std::function<const char*(const char*)>& getenv) {
  if (override) return *override == "ja" ? kLangJapanese : kLangEnglish;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = getenv(name);
    if (value == nullptr || *value == '\0') continue;
    const std::string v(value);
    return v.rfind("ja", 0) == 0 ? kLangJapanese : kLangEnglish;
  }
  return kLangEnglish;
}

}  // namespace wispen
