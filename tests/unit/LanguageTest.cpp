#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/Language.h"

namespace wispen {
namespace {

uint16_t Detect(std::map<std::string, std::string> env, std::optional<std::string> override = std::nullopt) {
  return DetectLanguage(override, [&](const char* name) -> const char* {
    auto it = env.find(name);
    return it == env.end() ? nullptr : it->second.c_str();
  });
}

TEST(Language, TheFirstSetNonEmptyVariableDecidesAndTheCommandLineWins) {
  EXPECT_EQ(Detect({}), kLangEnglish);
  EXPECT_EQ(Detect({{"LANG", "ja_JP.UTF-8"}}), kLangJapanese);
  EXPECT_EQ(Detect({{"LC_ALL", ""}, {"LC_MESSAGES", "ja_JP"}, {"LANG", "en_GB"}}), kLangJapanese);
  EXPECT_EQ(Detect({{"LC_ALL", "C"}, {"LANG", "ja_JP"}}), kLangEnglish);
  EXPECT_EQ(Detect({{"LANG", "jam"}}), kLangJapanese);  // starts with "ja"
  EXPECT_EQ(Detect({{"LANG", "de_DE"}}), kLangEnglish);
  EXPECT_EQ(Detect({{"LANG", "ja_JP"}}, "en"), kLangEnglish);
  EXPECT_EQ(Detect({}, "ja"), kLangJapanese);
  EXPECT_TRUE(IsJapanese(0x0011));
  EXPECT_TRUE(IsJapanese(0x0411));
  EXPECT_FALSE(IsJapanese(0x0409));
}

}  // namespace
}  // namespace wispen
