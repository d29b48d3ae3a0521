#include "StageContent.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "data/FileIo.h"
#include "platform/Errors.h"

namespace wispen {

StageContent::StageContent() = default;

void StageContent::SetDefaults() {
  const Bytes defaults = EncodeStageFile(StageFile{});
  std::copy(defaults.begin(), defaults.end(), bytes_.begin());
}

bool StageContent::LoadStagePath(const std::string& fileName, GameState& state) {
  if (!FileExists(fileName)) {
    SetDefaults();
    Decode(state);
    return false;
  }
  std::FILE* f = std::fopen(fileName.c_str(), "rb");
  if (f == nullptr) throw IoError("cannot open the stage file " + fileName + ": " + std::strerror(errno));
  // A short file overwrites only the bytes it holds; the rest of the block stays as it was.
  const size_t got = std::fread(bytes_.data(), 1, bytes_.size(), f);
  const bool failed = got < bytes_.size() && std::ferror(f);
  std::fclose(f);
  Decode(state);
  if (failed) throw IoError("cannot read the stage file " + fileName);
  return true;
}

void StageContent::SetAnimaInfo(int slot, const AnimaRecord& record) {
  AnimaInfo[slot] = record;
  const Bytes encoded = EncodeAnimaRecord(record);
  std::copy(encoded.begin(), encoded.end(), bytes_.begin() + kAnimaInfoOffset + encoded.size() * slot);
}

void StageContent::Decode(GameState& state) {
  const StageFile file = DecodeStageFile(bytes_);
  AnimaIds = file.AnimaIds;
  AnimaInfo = file.AnimaInfo;
  ObstacleCount = file.ObstacleCount;
  Obstacles = file.Obstacles;
  state.ViewStart = file.ViewStart;
  state.SoulStart = file.SoulStart;
  state.GoalRect = file.GoalRect;
  state.PathLength = file.PathLength;
  state.PathPoints = file.PathPoints;
}

}  // namespace wispen
