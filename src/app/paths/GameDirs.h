#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "XdgDirs.h"

namespace wispen {

// No game data where the game looked; the message is one line naming what is missing and where.
class GameDataMissing : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The game directory (the one that holds Data/, with a trailing '/'): `option` (--game-dir) when given;
// else the executable's directory when it holds Data/ (a portable copy or the build tree); else the
// installed data directory relative to the executable, ../share/games/wispen or ../share/wispen, so that a
// moved prefix still works. The Data/ chosen must hold at least one of the stage or effect files; a Data/
// with some of them missing is played, and each missing file is reported when the game asks for it.
// Throws GameDataMissing otherwise.
std::string FindGameDir(const std::optional<std::string>& option, const std::string& executableDir);

// Where the progress file is kept, and where it is read from at the start.
struct ProgressPlace {
  std::string File;
  // The progress file, or the read-only one in the data to import when the user has none yet.
  std::string Source;
  // The file lies in a directory of the user's that the first save may have to make.
  bool InUserDir = false;
};

// `saveDir` (--save-dir) when given; else beside the data when the game directory's Data/ is writable; else
// $XDG_DATA_HOME/wispen/Info.Dat.
ProgressPlace ChooseProgressPlace(const std::string& gameDir, const std::optional<std::string>& saveDir,
                                  const EnvLookup& env);

// The progress file beside the data: Data/Info.Dat in the game directory.
std::string ProgressBesideData(const std::string& gameDir);

}  // namespace wispen
