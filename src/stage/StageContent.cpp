#include "StageContent.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

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
  // Every stage file is whole. A short one, even an empty one, would be played as a stage without a path or
  // with the rest of its fields from the stage before: it is refused, and the block stays as it was.
  std::vector<uint8_t> read(bytes_.size());
  const size_t got = std::fread(read.data(), 1, read.size(), f);
  const bool failed = got < read.size() && std::ferror(f);
  std::fclose(f);
  if (failed) throw IoError("cannot read the stage file " + fileName);
  if (got < read.size()) {
    throw IoError("the stage file " + fileName + " is cut short: " + std::to_string(got) + " of " +
                  std::to_string(read.size()) + " bytes");
  }
  std::copy(read.begin(), read.end(), bytes_.begin());
  Decode(state);
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
