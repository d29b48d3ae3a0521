#pragma once

#include <chrono>
#include <string>

#include "XdgDirs.h"

namespace wispen {

// A directory of this process's own for the game's temporary files, so that games running side by side
// never share one and nothing is ever written into the game's or the data's directory. It is made with
// mkdtemp (mode 0700) and held under an advisory lock for the process's life; it goes, with what is in it,
// when the object does. A run killed before that leaves it behind: the next game removes it.
class PrivateTempDir {
 public:
  // Makes the directory under `parent` ("" for DefaultParent) after clearing what killed runs left there.
  // Throws std::runtime_error when it cannot be made.
  explicit PrivateTempDir(const std::string& parent = "");
  ~PrivateTempDir();
  PrivateTempDir(const PrivateTempDir&) = delete;
  PrivateTempDir& operator=(const PrivateTempDir&) = delete;

  // With a trailing '/'.
  const std::string& Path() const { return path_; }

  // $XDG_RUNTIME_DIR when it names a directory, else $TMPDIR, else /tmp.
  static std::string DefaultParent(const EnvLookup& env);

 private:
  std::string path_;
  int lockFd_ = -1;
};

// Removes the game's directories under `parent` that no live process holds and that are older than
// `minAge` (a directory just made is locked a moment later). Only the user's own are looked at.
void RemoveLeftoverTempDirs(const std::string& parent, std::chrono::seconds minAge);

// The name every such directory starts with.
inline constexpr char kTempDirPrefix[] = "wispen-run-";

}  // namespace wispen
