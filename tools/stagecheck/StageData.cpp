#include "StageData.h"

#include <filesystem>
#include <stdexcept>

#include "formats/Bmp.h"
#include "formats/DataFile.h"

namespace wispen::stagecheck {

namespace {

TBitmap ReadPicture(const std::string& path) {
  try {
    return formats::DecodeBmp(formats::ReadDataFile(path, DataKind::Bitmap));
  } catch (const FormatError& e) {
    throw std::runtime_error(path + ": " + e.what());
  }
}

bool IsFile(const std::string& path) {
  return std::filesystem::is_regular_file(path);
}

}  // namespace

StageData LoadStageData(const std::string& dataDir, int stage) {
  if (stage < 1 || stage > 10) throw std::runtime_error("there is no stage " + std::to_string(stage));
  const std::string dir = dataDir + "/";
  const std::string mapName = dir + "StageP" + std::to_string(stage) + ".Dat";
  const std::string pathName = dir + "Stage" + std::to_string(stage) + ".Dat";
  if (!IsFile(mapName)) throw std::runtime_error("missing " + mapName);
  if (!IsFile(pathName)) throw std::runtime_error("missing " + pathName);
  StageData data;
  data.Stage = stage;
  data.Map = ReadPicture(mapName);
  if (data.Map.Canvas().Pixel(0, 0) != kStageCheckColours[stage - 1]) {
    throw std::runtime_error(mapName + ": the top-left pixel is not stage " + std::to_string(stage) +
                             "'s check colour");
  }
  try {
    data.File = DecodeStageFile(ReadFileBytes(pathName));
  } catch (const FormatError& e) {
    throw std::runtime_error(pathName + ": " + e.what());
  }
  for (int slot = 0; slot < kAnimaSlotCount; ++slot) {
    const int32_t id = data.File.AnimaIds[slot];
    if (id < 0) continue;
    const std::string picture = dir + "AnimaP" + std::to_string(id) + ".Dat";
    const std::string record = dir + "Anima" + std::to_string(id) + ".Dat";
    if (IsFile(picture) && IsFile(record)) data.Slots[slot] = ReadPicture(picture);
  }
  return data;
}

}  // namespace wispen::stagecheck
