#pragma once

#include <array>
#include <string>

#include "FileIo.h"
#include "play/GameState.h"

namespace wispen {

// The progress file: the reserved word, StagesOpen, SoulsUsed, the ten high-score entries (Stage, Conquest,
// Use, Point) and SpeedFactor, little-endian, one after the other, no header.
constexpr int kProgressFileSize = 174;
using ProgressBytes = std::array<unsigned char, kProgressFileSize>;

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

// The file's bytes for the state.
ProgressBytes EncodeProgress(const GameState& s);

}  // namespace wispen
