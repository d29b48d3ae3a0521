// Builds one sound of the game's Data directory from its readable source:
//   wispen_makesound music  content/music/NAME.score   Data/Effect1N.Dat
//   wispen_makesound effect content/effects/NAME.fx    Data/Effect0N.Dat
// The file is written with its signature bytes overwritten, as the Data directory keeps it.

#include <filesystem>
#include <iomanip>
#include <iostream>

#include "EffectRecipe.h"
#include "MidiFile.h"
#include "Score.h"
#include "WaveFile.h"
#include "core/Bytes.h"
#include "core/DataSignature.h"

namespace {

using namespace wispen::sound;

std::string ReadText(const std::string& path) {
  const std::vector<uint8_t> bytes = wispen::ReadFileBytes(path);
  return std::string(bytes.begin(), bytes.end());
}

int Build(const std::string& kind, const std::string& source, const std::string& output) {
  const std::string name = std::filesystem::path(source).filename().string();
  std::vector<uint8_t> bytes;
  std::cout << std::fixed << std::setprecision(1);
  if (kind == "music") {
    bytes = EncodeMidi(ParseScore(ReadText(source), name));
    const MidiSummary summary = ReadMidi(bytes);
    std::cout << output << ": " << name << ", " << summary.seconds << " s, " << summary.trackCount - 1
              << " parts, " << summary.noteCount << " notes\n";
    wispen::HideSignature(bytes, wispen::DataKind::Midi);
  } else if (kind == "effect") {
    const PcmSound sound = RenderEffect(ParseEffect(ReadText(source), name));
    bytes = EncodeWave(sound);
    std::cout << output << ": " << name << ", " << sound.Seconds() << " s at " << sound.sampleRate << " Hz\n";
    wispen::HideSignature(bytes, wispen::DataKind::Wave);
  } else {
    std::cerr << "wispen_makesound: the kind is music or effect, not '" << kind << "'\n";
    return 2;
  }
  wispen::WriteFileBytes(output, bytes);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: wispen_makesound music|effect SOURCE OUTPUT\n";
    return 2;
  }
  try {
    return Build(argv[1], argv[2], argv[3]);
  } catch (const std::exception& e) {
    std::cerr << "wispen_makesound: " << e.what() << "\n";
    return 1;
  }
}
