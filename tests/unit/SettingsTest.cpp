#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "settings/Settings.h"

namespace wispen {
namespace {

GameSettings Parse(const std::string& text, std::vector<std::string>& warnings) {
  std::istringstream in(text);
  return ParseSettings(in, "s.ini", warnings);
}

TEST(Settings, EveryKeyIsReadAndCommentsAndBlankLinesAreSkipped) {
  std::vector<std::string> warnings;
  const GameSettings s = Parse(
      "# mine\n\nscale = 3\nFullscreen=TRUE\r\nlanguage = ja  # inline\nmusic_volume = 0\neffects_volume = "
      "55\n"
      "soundfont = /dev/null\nconfine_mouse = false\nskip_opening = yes\n",
      warnings);
  EXPECT_EQ(s.Scale, 3);
  EXPECT_TRUE(s.Fullscreen);
  EXPECT_EQ(s.Language, "ja");
  EXPECT_EQ(s.MusicVolume, 0);
  EXPECT_EQ(s.EffectsVolume, 55);
  EXPECT_FALSE(s.SoundFont);  // not a file: the warning below
  EXPECT_FALSE(s.ConfineMouse);
  EXPECT_TRUE(s.SkipOpening);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0].rfind("s.ini:8: ", 0), 0u) << warnings[0];
}

TEST(Settings, EachBadLineWarnsOnceNamingTheLineAndTheDefaultAndTheRestStillCount) {
  std::vector<std::string> warnings;
  const GameSettings s = Parse(
      "scale = 9\nfullscreen = maybe\nlanguage = fr\nmusic_volume = -1\neffects_volume = 50%\ncolour = red\n"
      "just words\nskip_opening = true\nscale = 2\n",
      warnings);
  EXPECT_EQ(s.Scale, 2);
  EXPECT_TRUE(s.SkipOpening);
  EXPECT_FALSE(s.Fullscreen);
  EXPECT_FALSE(s.Language);
  EXPECT_EQ(s.MusicVolume, 100);
  EXPECT_EQ(s.EffectsVolume, 100);
  ASSERT_EQ(warnings.size(), 7u);
  for (size_t i = 0; i < warnings.size(); ++i)
    EXPECT_EQ(warnings[i].rfind("s.ini:" + std::to_string(i + 1) + ": ", 0), 0u) << warnings[i];
  EXPECT_NE(warnings[0].find("using 0"), std::string::npos) << warnings[0];
  EXPECT_NE(warnings[1].find("using false"), std::string::npos) << warnings[1];
  EXPECT_NE(warnings[5].find("colour"), std::string::npos) << warnings[5];
}

TEST(Settings, FileMissingUnreadableAndRewrittenAtomically) {
  const std::string dir = ::testing::TempDir() + "wispen_settings_" + std::to_string(getpid());
  const std::string file = dir + "/wispen/settings.ini";
  std::vector<std::string> warnings;
  EXPECT_EQ(LoadSettings(file, warnings).Scale, 0);  // missing: the defaults, silently
  EXPECT_TRUE(warnings.empty());
  std::string error;
  ASSERT_TRUE(SaveSetting(file, "fullscreen", "true", error)) << error;  // makes the directory
  LoadSettings(dir + "/wispen", warnings);                               // a directory: unreadable
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find(dir), std::string::npos);

  std::ofstream(file) << "# mine\nfullscreen = true\nodd = 1\nfullscreen=false\n";
  ASSERT_TRUE(SaveSetting(file, "fullscreen", "false", error)) << error;
  ASSERT_TRUE(SaveSetting(file, "scale", "2", error)) << error;
  std::stringstream text;
  text << std::ifstream(file).rdbuf();
  EXPECT_EQ(text.str(), "# mine\nfullscreen = false\nodd = 1\nfullscreen = false\nscale = 2\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir + "/wispen"), {}), 1);  // no temporary left
  std::filesystem::remove_all(dir);
}

TEST(Settings, TheFileLiesUnderTheConfigDirectory) {
  auto env = [](const char* config) {
    return [=](const char* name) -> const char* { return std::string(name) == "HOME" ? "/h" : config; };
  };
  EXPECT_EQ(SettingsPath(env("/c")), "/c/wispen/settings.ini");
  EXPECT_EQ(SettingsPath(env("relative")), "/h/.config/wispen/settings.ini");
  EXPECT_EQ(SettingsPath(env(nullptr)), "/h/.config/wispen/settings.ini");
}

}  // namespace
}  // namespace wispen
