#pragma once

#include <array>
#include <string>

#include "FileIo.h"
#include "core/GameState.h"
#include "core/ProgressLayout.h"

namespace wispen {

// Where the progress file lies: Data/Info.Dat in the game directory (which ends with its separator).
std::string ProgressFilePath(const std::string& gameDir);

// Reads the progress file into the state, or sets the defaults when there is none. Values are taken as they
// stand. Sets GameMode to 0. Anything else at that name (a file that cannot be opened or read, a directory, a
// FIFO, a device) throws IoError without waiting on it; the fields read until then keep what was read, the
// others are 0.
void LoadProgress(const std::string& path, GameState& s);

// Writes the progress file: the 174 bytes go to a new file beside it, which is flushed and then renamed over
// the old one, so a failure at any point throws IoError and leaves the old file whole. `write` replaces the
// system's write call (tests make it fail half-way).
void SaveProgress(const std::string& path, const GameState& s, const WriteCall& write = {});

}  // namespace wispen
