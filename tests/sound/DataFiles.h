#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/Bytes.h"

namespace wispen::sound {

// A sound as the build stored it in Data/, signatures overwritten.
inline std::vector<uint8_t> StoredDataFile(const std::string& name) {
  return ReadFileBytes(std::string(WISPEN_DATA_DIR "/") + name);
}

// A test over "Effect10.Dat" is called "Effect10".
template <typename Case>
std::string FileStem(const testing::TestParamInfo<Case>& info) {
  const std::string file = info.param.file;
  return file.substr(0, file.find('.'));
}

}  // namespace wispen::sound
