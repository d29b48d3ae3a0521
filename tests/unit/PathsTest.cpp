#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>

#include "data/TempDir.h"
#include "paths/GameDirs.h"
#include "paths/PrivateTempDir.h"

namespace wispen {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

EnvLookup Env(std::map<std::string, std::string> values) {
  return [values = std::move(values)](const char* name) -> const char* {
    auto it = values.find(name);
    return it == values.end() ? nullptr : it->second.c_str();
  };
}

void Touch(const fs::path& file) {
  fs::create_directories(file.parent_path());
  std::ofstream(file) << "x";
}

TEST(XdgDirs, AbsoluteValuesWinRelativeOnesAreIgnored) {
  EXPECT_EQ(XdgDataHome(Env({{"XDG_DATA_HOME", "/d/"}, {"HOME", "/h"}})), "/d");
  EXPECT_EQ(XdgDataHome(Env({{"XDG_DATA_HOME", "rel"}, {"HOME", "/h"}})), "/h/.local/share");
  EXPECT_EQ(XdgDataHome(Env({{"XDG_DATA_HOME", ""}, {"HOME", "/h"}})), "/h/.local/share");
  EXPECT_EQ(XdgConfigHome(Env({{"HOME", "/h"}})), "/h/.config");
  EXPECT_EQ(XdgStateHome(Env({{"HOME", "/h"}})), "/h/.local/state");
}

// The data is looked for beside the program, then in the installed share/ directories, in that order.
TEST(FindGameDir, SearchOrderAndWhatIsSaidWhenNothingIsFound) {
  TempDir root;
  const std::string exe = root / "prefix/games/";
  fs::create_directories(exe);
  try {
    FindGameDir(std::nullopt, exe);
    ADD_FAILURE() << "no data anywhere";
  } catch (const GameDataMissing& e) {
    const std::string message = e.what();
    for (const char* place : {"prefix/games/Data/", "prefix/games/../share/games/wispen/Data/",
                              "prefix/games/../share/wispen/Data/"})
      EXPECT_NE(message.find(root.Path() + place), std::string::npos) << message;
  }
  Touch(root / "prefix/share/wispen/Data/Effect00.Dat");
  EXPECT_EQ(FindGameDir(std::nullopt, exe), exe + "../share/wispen/");
  Touch(root / "prefix/share/games/wispen/Data/StageP1.Dat");
  EXPECT_EQ(FindGameDir(std::nullopt, exe), exe + "../share/games/wispen/");
  fs::create_directories(exe + "Data");  // an empty Data/ beside the program is passed over
  EXPECT_EQ(FindGameDir(std::nullopt, exe), exe + "../share/games/wispen/");
  Touch(exe + "Data/Stage1.Dat");
  EXPECT_EQ(FindGameDir(std::nullopt, root / "prefix/games"), exe);
}

TEST(ChooseProgressPlace, BesideWritableDataOrInTheSaveDirectoryWhichTakesOverAnOldFileOnce) {
  TempDir root;
  const std::string game = root / "game/";
  Touch(game + "Data/Stage1.Dat");
  const EnvLookup env = Env({{"XDG_DATA_HOME", root / "xdg"}});
  const ProgressPlace beside = ChooseProgressPlace(game, std::nullopt, env);
  EXPECT_EQ(beside.File, game + "Data/Info.Dat");
  EXPECT_EQ(beside.Source, beside.File);
  EXPECT_FALSE(beside.InUserDir);

  EXPECT_EQ(ChooseProgressPlace(game, root / "save", env).Source, root / "save/Info.Dat")
      << "none to take over";
  Touch(game + "Data/Info.Dat");
  EXPECT_EQ(ChooseProgressPlace(game, root / "save", env).Source, game + "Data/Info.Dat");
  Touch(root / "save/Info.Dat");
  EXPECT_EQ(ChooseProgressPlace(game, root / "save", env).Source, root / "save/Info.Dat")
      << "taken over once";
}

void MakeOld(const std::string& dir) {
  fs::last_write_time(dir, fs::file_time_type::clock::now() - std::chrono::hours(1));
}

// Each game has a directory of its own, gone when the game is; a later game clears what a killed one left
// and nothing else.
TEST(PrivateTempDir, OwnDirectoriesAndTheClearingOfLeftOvers) {
  TempDir parent;
  const std::string killed = parent / "wispen-run-killed", young = parent / "wispen-run-young",
                    foreign = parent / "other-dir";
  for (const std::string& dir : {killed, young, foreign}) Touch(dir + "/$$WISP$$.bmp");
  MakeOld(killed);
  MakeOld(foreign);
  std::string first, second;
  {
    PrivateTempDir a(parent.Path());
    MakeOld(a.Path());
    PrivateTempDir b(parent.Path());
    first = a.Path();
    second = b.Path();
    EXPECT_NE(first, second);
    EXPECT_TRUE(fs::is_directory(first)) << "a live game's directory stays, however old";
    EXPECT_EQ(fs::status(second).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_FALSE(fs::exists(killed));
    EXPECT_TRUE(fs::exists(young)) << "a directory just made may not be locked yet";
    EXPECT_TRUE(fs::exists(foreign));
  }
  EXPECT_FALSE(fs::exists(first));
  EXPECT_FALSE(fs::exists(second));
}

}  // namespace
}  // namespace wispen
