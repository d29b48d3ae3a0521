#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "SoundFont.h"

namespace wispen {
namespace {

TEST(SoundFontTest, TheEnvironmentComesFirstThenTheDebianSoundFonts) {
  const std::vector<std::string> debian = {"/usr/share/sounds/sf2/default-GM.sf2",
                                           "/usr/share/sounds/sf2/FluidR3_GM.sf2",
                                           "/usr/share/sounds/sf2/TimGM6mb.sf2"};
  EXPECT_EQ(SoundFontCandidates(nullptr), debian);
  std::vector<std::string> expected = {"/a.sf2", "/b c.sf2"};
  expected.insert(expected.end(), debian.begin(), debian.end());
  EXPECT_EQ(SoundFontCandidates("/a.sf2;;/b c.sf2;"), expected);
}

TEST(SoundFontTest, TheFirstRegularFileIsTaken) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("wispen-soundfont-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "folder.sf2");
  std::ofstream(dir / "second.sf2") << "x";
  std::ofstream(dir / "third.sf2") << "x";
  const std::string missing = (dir / "missing.sf2").string();
  EXPECT_EQ(FindSoundFont({missing, (dir / "folder.sf2").string(), (dir / "second.sf2").string(),
                           (dir / "third.sf2").string()}),
            (dir / "second.sf2").string());
  EXPECT_EQ(FindSoundFont({missing}), std::nullopt);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace wispen
