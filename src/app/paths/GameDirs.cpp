#include "GameDirs.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>
#include <vector>

namespace wispen {

namespace fs = std::filesystem;

namespace {

std::string Slashed(std::string dir) {
  if (dir.empty()) return "./";
  if (dir.back() != '/') dir += '/';
  return dir;
}

bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

// Whether Data/ holds any stage map, stage path or effect: an empty or foreign directory is no game's data.
bool HoldsGameFiles(const std::string& dataDir) {
  std::error_code ec;
  std::vector<std::string> names;
  for (int n = 1; n <= 10; ++n) {
    names.push_back("StageP" + std::to_string(n) + ".Dat");
    names.push_back("Stage" + std::to_string(n) + ".Dat");
  }
  for (const char* sound : {"Effect0", "Effect1"}) {
    for (int n = 0; n <= 3; ++n) names.push_back(sound + std::to_string(n) + ".Dat");
  }
  for (const std::string& name : names) {
    if (fs::is_regular_file(dataDir + name, ec)) return true;
  }
  return false;
}

}  // namespace

std::string FindGameDir(const std::optional<std::string>& option, const std::string& executableDir) {
  std::vector<std::string> candidates;
  if (option) {
    candidates.push_back(Slashed(*option));
  } else {
    const std::string exe = Slashed(executableDir);
    candidates = {exe, exe + "../share/games/wispen/", exe + "../share/wispen/"};
  }
  std::string looked;
  for (const std::string& dir : candidates) {
    const std::string data = dir + "Data/";
    if (!looked.empty()) looked += ", ";
    looked += data;
    if (!IsDirectory(data)) continue;
    if (HoldsGameFiles(data)) return dir;
    // Only a directory named on the command line is taken as meant; a search goes on past a foreign one.
    if (option) throw GameDataMissing(data + " holds none of the game's stage or effect files");
  }
  if (option) throw GameDataMissing("no game data: " + looked + " does not exist");
  throw GameDataMissing("no game data (a Data/ directory with the stage and effect files); looked in " +
                        looked);
}

ProgressPlace ChooseProgressPlace(const std::string& gameDir, const std::optional<std::string>& saveDir,
                                  const EnvLookup& env) {
  ProgressPlace place;
  const std::string beside = ProgressBesideData(gameDir);
  if (saveDir) {
    place.File = Slashed(*saveDir) + "Info.Dat";
    place.InUserDir = true;
  } else if (::access((gameDir + "Data").c_str(), W_OK) == 0) {
    // A portable copy or the build tree: the progress stays with its data, as it always has.
    place.File = beside;
  } else {
    place.File = XdgDataHome(env) + "/wispen/Info.Dat";
    place.InUserDir = true;
  }
  place.Source = place.File;
  std::error_code ec;
  // The progress a read-only copy kept beside its data is taken over once; the user's own file wins after.
  if (place.InUserDir && !fs::exists(place.File, ec) && fs::is_regular_file(beside, ec))
    place.Source = beside;
  return place;
}

std::string ProgressBesideData(const std::string& gameDir) {
  return Slashed(gameDir) + "Data/Info.Dat";
}

}  // namespace wispen
