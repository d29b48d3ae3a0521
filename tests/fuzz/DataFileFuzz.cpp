// The data-file extraction of every kind: the copy is the data file with only the signature bytes of its
// kind written over, and a file too short for the header gives no copy. A piece's copy is then read as the
// synthesiser reads the channels it plays on.
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "FuzzFile.h"
#include "data/DataFile.h"
#include "data/FileIo.h"
#include "sdl/PieceChannels.h"

namespace {

using namespace wispen;

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Sign(std::vector<uint8_t>& b, size_t at, const char* text) {
  std::memcpy(b.data() + at, text, std::strlen(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string source = fuzz::ScratchPath("Effect10.Dat");
  static const std::string copy = fuzz::ScratchPath("copy.tmp");
  fuzz::WriteFile(source, data, size);
  // The last byte picks the kind, an unknown one among them, so that one extraction is made per run.
  const int kind = size == 0 ? kBitmapData : (data[size - 1] & 3) == 3 ? 7 : data[size - 1] & 3;
  DeleteFileQuietly(copy);
  const bool made = ExtractDataFile(source, copy, kind);
  fuzz::Require(made == (size >= static_cast<size_t>(kDataHeaderSize)));
  if (!made) return 0;
  std::vector<uint8_t> expected(data, data + size);
  if (kind == kBitmapData) Sign(expected, 0, "BM");
  if (kind == kWaveData) Sign(expected, 0, "RIFF"), Sign(expected, 8, "WAVEfmt");
  if (kind == kMidiData) Sign(expected, 0, "MThd"), Sign(expected, 14, "MTrk");
  fuzz::Require(ReadAll(copy) == expected);
  if (kind == kMidiData) ReadPieceChannels(expected);
  return 0;
}
