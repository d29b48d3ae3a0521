// The progress file: whatever the file holds, a load and a save give the 174 bytes the file began with
// (the missing ones zero), and loading those again gives the same state.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "FuzzFile.h"
#include "data/ProgressFile.h"
#include "platform/Errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace wispen;
  static const std::string path = fuzz::ScratchPath("Info.Dat");
  fuzz::WriteFile(path, data, size);
  GameState first;
  LoadProgress(path, first);
  SaveProgress(path, first);
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> saved{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::vector<uint8_t> expected(data, data + std::min<size_t>(size, kProgressFileSize));
  expected.resize(kProgressFileSize, 0);
  fuzz::Require(saved == expected);
  GameState second;
  LoadProgress(path, second);
  fuzz::Require(EncodeProgress(second) == EncodeProgress(first));
  return 0;
}
