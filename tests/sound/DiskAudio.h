#pragma once

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "AudioService.h"
#include "WaveFile.h"

namespace wispen::sound {

// The real SDL2_mixer on SDL's disk audio driver, which writes what a speaker would have played to a file,
// at the pace of a real device. Each test gets a folder of its own for its sound files and that output.
class DiskAudio {
 public:
  // driver: the SDL audio driver to ask for; soundFonts: the synthesiser's candidates.
  explicit DiskAudio(const char* driver = "disk", std::vector<std::string> soundFonts = {});
  ~DiskAudio();

  // Writes a file into the test's folder and returns its full name.
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
  AudioService& Audio() { return *audio_; }
  std::string Trouble() const { return trouble_.str(); }
  // Closes the device (every player must be gone by now) and returns what was played, 16-bit stereo.
  PcmSound Finish();

 private:
  std::filesystem::path dir_;
  std::ostringstream trouble_;
  std::unique_ptr<AudioService> audio_;
};

// A Standard MIDI file from a score.
std::vector<uint8_t> MidiOf(const std::string& score);
// A WAVE file of a sine tone, mono 16-bit at 22050 Hz, at half of full scale.
std::vector<uint8_t> ToneWave(double seconds, double frequency);
void Wait(double seconds);

}  // namespace wispen::sound
