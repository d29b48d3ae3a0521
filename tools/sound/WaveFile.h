#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace wispen::sound {

// 16-bit PCM sound; with two channels the samples interleave left, right.
struct PcmSound {
  int sampleRate = 44100;
  int channels = 1;
  std::vector<int16_t> samples;

  size_t Frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
  double Seconds() const { return sampleRate > 0 ? static_cast<double>(Frames()) / sampleRate : 0.0; }
};

// A RIFF WAVE file: "fmt " chunk (PCM, 16-bit) then "data".
std::vector<uint8_t> EncodeWave(const PcmSound& sound);

// Walks the RIFF chunks, skipping those it does not know; throws FormatError unless it finds 16-bit PCM.
PcmSound DecodeWave(const std::vector<uint8_t>& bytes);

}  // namespace wispen::sound
