#include "ProgressFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

#include "platform/Errors.h"

namespace wispen {

namespace {

// Reads the file's bytes a field at a time. At the end of the file a field takes the bytes that are there
// over its zero bytes; past the end nothing is stored, so the fields keep their zeros. A failed read stores
// nothing of its field.
void ReadProgressBytes(ByteFile& file, ProgressBytes& bytes) {
  for (size_t at = 0; at < bytes.size();) {
    const size_t size = ProgressFieldSize(at);
    unsigned char field[4] = {};
    const size_t got = file.Read(field, size);
    std::copy(field, field + got, bytes.begin() + static_cast<std::ptrdiff_t>(at));
    if (got < size) return;
    at += size;
  }
}

// Every stored field to 0, and the two that a missing file sets to 1.
void ResetProgress(GameState& s, int32_t currentStage, int32_t stagesOpen) {
  s.Reserved = 0;
  s.CurrentStage = currentStage;
  s.StagesOpen = stagesOpen;
  s.SoulsUsed = 0;
  s.HighScores = {};
  s.SpeedFactor = 0;
}

// Only a name with nothing behind it is a missing file; anything else there is the player's and is read.
bool NothingAt(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

}  // namespace

std::string ProgressFilePath(const std::string& gameDir) {
  return gameDir + "Data/Info.Dat";
}

void LoadProgress(const std::string& path, GameState& s) {
  if (NothingAt(path)) {
    ResetProgress(s, 1, 1);
  } else {
    // A field that the file does not reach keeps the value it had when the program started, and that is 0 for
    // every stored field, StagesOpen too: an empty file leaves no stage open until "New Game" opens the
    // first. The current stage is not in the file and stays 0 until a menu choice sets it.
    ResetProgress(s, 0, 0);
    ByteFile file(path, ByteFile::Mode::Read);
    file.RequireRegular();
    ProgressBytes bytes{};
    try {
      ReadProgressBytes(file, bytes);
    } catch (const IoError&) {
      DecodeProgress(bytes, s);
      throw;
    }
    DecodeProgress(bytes, s);
    // Bytes past the last field are not looked at; the next save drops them.
    file.Close();
  }
  s.GameMode = PlayMode::Normal;
}

void SaveProgress(const std::string& path, const GameState& s, const WriteCall& write) {
  const ProgressBytes bytes = EncodeProgress(s);
  // Writing into the old file in place would leave it cut short if the disk filled or the machine stopped
  // half-way; the new bytes go to a file of their own, which only replaces the old one when it is complete.
  // Its name is new each time, so a link planted beside the progress file is never written through, and a
  // failure deletes only the file this save made.
  std::string fresh;
  try {
    ByteFile file(path + ".new-XXXXXX", ByteFile::Mode::CreateUnique, write);
    fresh = file.Path();
    file.Write(bytes.data(), bytes.size());
    file.Sync();
    file.Close();
    ReplaceFile(fresh, path);
  } catch (const IoError&) {
    if (!fresh.empty()) DeleteFileQuietly(fresh);
    throw;
  }
  SyncDirectoryOf(path);
}

}  // namespace wispen
