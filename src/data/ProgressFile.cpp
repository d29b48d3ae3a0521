#include "ProgressFile.h"

#include <cstdint>
#include <type_traits>

#include "platform/Errors.h"

namespace wispen {

namespace {

// Reads one little-endian field. At the end of the file it takes the bytes that are there over the field's
// zero bytes; past the end it stores nothing, so the field keeps its zero.
template <typename T>
void ReadField(ByteFile& file, T& field) {
  unsigned char bytes[sizeof(T)] = {};
  const size_t got = file.Read(bytes, sizeof(T));
  if (got == 0) return;
  std::make_unsigned_t<T> value = 0;
  for (size_t i = 0; i < sizeof(T); ++i) value |= static_cast<std::make_unsigned_t<T>>(bytes[i]) << (8 * i);
  field = static_cast<T>(value);
}

template <typename T>
unsigned char* PutField(unsigned char* out, T field) {
  const auto value = static_cast<std::make_unsigned_t<T>>(field);
  for (size_t i = 0; i < sizeof(T); ++i) *out++ = static_cast<unsigned char>(value >> (8 * i));
  return out;
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

}  // namespace

std::string ProgressFilePath(const std::string& gameDir) {
  return gameDir + "Data/Info.Dat";
}

void LoadProgress(const std::string& path, GameState& s) {
  if (!FileExists(path)) {
    ResetProgress(s, 1, 1);
  } else {
    // A field that the file does not reach keeps the value it had when the program started, and that is 0 for
    // every stored field, StagesOpen too: an empty file leaves no stage open until "New Game" opens the
    // first. The current stage is not in the file and stays 0 until a menu choice sets it.
    ResetProgress(s, 0, 0);
    ByteFile file(path, ByteFile::Mode::Read);
    ReadField(file, s.Reserved);
    ReadField(file, s.StagesOpen);
    ReadField(file, s.SoulsUsed);
    for (ScoreEntry& entry : s.HighScores) {
      ReadField(file, entry.Stage);
      ReadField(file, entry.Conquest);
      ReadField(file, entry.Use);
      ReadField(file, entry.Point);
    }
    ReadField(file, s.SpeedFactor);
    // Bytes past the last field are not looked at; the next save drops them.
    file.Close();
  }
  s.GameMode = 0;
}

ProgressBytes EncodeProgress(const GameState& s) {
  ProgressBytes bytes{};
  unsigned char* out = bytes.data();
  out = PutField(out, s.Reserved);
  out = PutField(out, s.StagesOpen);
  out = PutField(out, s.SoulsUsed);
  for (const ScoreEntry& entry : s.HighScores) {
    out = PutField(out, entry.Stage);
    out = PutField(out, entry.Conquest);
    out = PutField(out, entry.Use);
    out = PutField(out, entry.Point);
  }
  PutField(out, s.SpeedFactor);
  return bytes;
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
