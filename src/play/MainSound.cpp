#include <string>

#include "MainUnit.h"
#include "data/DataFile.h"
#include "data/FileIo.h"
#include "platform/Platform.h"

namespace wispen {

namespace {

// The sound number is an 8-bit value; anything but 0..3 names no file.
std::string SoundFile(const char* stem, int n) {
  const int number = n & 0xFF;
  if (number > 3) return "";
  return std::string("Data/") + stem + std::to_string(number) + ".Dat";
}

// "…ファイルがありません": the file is missing.
constexpr const char* kNoFile =
    "\xE3\x83\x95\xE3\x82\xA1\xE3\x82\xA4\xE3\x83\xAB\xE3\x81\x8C\xE3\x81\x82\xE3\x82\x8A\xE3\x81\xBE\xE3\x81"
    "\x9B\xE3\x82\x93";

}  // namespace

void TMainForm::PlayMusic(int n) {
  StopMusic();
  const std::string relative = SoundFile("Effect1", n);
  const std::string dataFile = relative.empty() ? "" : GamePath(relative);
  const std::string temp = platform.TempDir() + kTempMidiName;
  if (!ExtractDataFile(dataFile, temp, kMidiData)) return;
  MidiPlayer->Open(temp);
  MidiPlayer->Play();
  platform.Log().Write("music play " + std::to_string(n & 0xFF));
  DeleteFileQuietly(temp);
}

void TMainForm::StopMusic() {
  if (!MidiPlayer->IsOpen()) return;
  MidiPlayer->Close();
  platform.Log().Write("music stop");
}

void TMainForm::LoadEffect(int n) {
  CloseEffect();
  const std::string relative = SoundFile("Effect0", n);
  const std::string dataFile = relative.empty() ? "" : GamePath(relative);
  const std::string temp = platform.TempDir() + kTempWaveName;
  if (ExtractDataFile(dataFile, temp, kWaveData)) {
    WavePlayer->Open(temp);
    platform.Log().Write("effect load " + std::to_string(n & 0xFF));
    DeleteFileQuietly(temp);
  } else {
    platform.ShowMessage(Application::kTitle, dataFile + kNoFile);
  }
}

void TMainForm::PlayEffect() {
  if (!WavePlayer->IsOpen()) return;
  WavePlayer->Play();
  platform.Log().Write("effect play");
}

void TMainForm::CloseEffect() {
  if (!WavePlayer->IsOpen()) return;
  WavePlayer->Close();
  platform.Log().Write("effect close");
}

}  // namespace wispen
