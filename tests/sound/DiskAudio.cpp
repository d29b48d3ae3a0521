#include "DiskAudio.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <thread>

#include "MidiFile.h"
#include "Score.h"
#include "SoundFont.h"
#include "core/Bytes.h"

namespace wispen::sound {

DiskAudio::DiskAudio(const char* driver, std::vector<std::string> soundFonts) {
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  dir_ = std::filesystem::temp_directory_path() / ("wispen-audio-" + std::string(test->test_suite_name()) +
                                                   "-" + test->name() + "-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir_);
  setenv("SDL_AUDIODRIVER", driver, 1);
  setenv("SDL_DISKAUDIOFILE", (dir_ / "played.raw").c_str(), 1);
  AudioOptions options;
  options.soundFonts = soundFonts.empty() ? SoundFontCandidates(nullptr) : std::move(soundFonts);
  options.trouble = &trouble_;
  audio_ = std::make_unique<AudioService>(std::move(options));
}

DiskAudio::~DiskAudio() {
  audio_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

std::string DiskAudio::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
  const std::string path = (dir_ / name).string();
  WriteFileBytes(path, bytes);
  return path;
}

PcmSound DiskAudio::Finish() {
  audio_.reset();
  PcmSound played;
  played.sampleRate = AudioService::kSampleRate;
  played.channels = 2;
  const std::filesystem::path raw = dir_ / "played.raw";
  if (!std::filesystem::exists(raw)) return played;
  const std::vector<uint8_t> bytes = ReadFileBytes(raw.string());
  played.samples.resize(bytes.size() / 2);
  for (size_t i = 0; i < played.samples.size(); ++i) {
    played.samples[i] = static_cast<int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  }
  return played;
}

std::vector<uint8_t> MidiOf(const std::string& score) {
  return EncodeMidi(ParseScore(score, "test score"));
}

std::vector<uint8_t> ToneWave(double seconds, double frequency) {
  PcmSound tone;
  tone.sampleRate = 22050;
  const auto frames = static_cast<size_t>(seconds * tone.sampleRate);
  for (size_t i = 0; i < frames; ++i) {
    tone.samples.push_back(static_cast<int16_t>(
        16000 * std::sin(2 * std::numbers::pi * frequency * static_cast<double>(i) / 22050)));
  }
  return EncodeWave(tone);
}

void Wait(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

}  // namespace wispen::sound
