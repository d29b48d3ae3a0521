#include "WaveFile.h"

#include <string>

#include "core/Bytes.h"

namespace wispen::sound {

namespace {

constexpr int kPcmFormat = 1;

}  // namespace

std::vector<uint8_t> EncodeWave(const PcmSound& sound) {
  const uint32_t dataBytes = static_cast<uint32_t>(sound.samples.size() * 2);
  const uint32_t blockAlign = static_cast<uint32_t>(sound.channels * 2);
  std::vector<uint8_t> out;
  out.reserve(44 + dataBytes);
  PutText(out, "RIFF");
  PutLe(out, 36 + dataBytes, 4);
  PutText(out, "WAVEfmt ");
  PutLe(out, 16, 4);
  PutLe(out, kPcmFormat, 2);
  PutLe(out, static_cast<uint32_t>(sound.channels), 2);
  PutLe(out, static_cast<uint32_t>(sound.sampleRate), 4);
  PutLe(out, static_cast<uint32_t>(sound.sampleRate) * blockAlign, 4);
  PutLe(out, blockAlign, 2);
  PutLe(out, 16, 2);
  PutText(out, "data");
  PutLe(out, dataBytes, 4);
  for (int16_t s : sound.samples) PutLe(out, static_cast<uint16_t>(s), 2);
  return out;
}

PcmSound DecodeWave(const std::vector<uint8_t>& bytes) {
  ByteReader file(bytes, "the WAVE file");
  if (file.Text(4, "the RIFF tag") != "RIFF") throw FormatError("not a RIFF file");
  const uint32_t riffSize = file.Le(4, "the RIFF length");
  if (riffSize + 8 != bytes.size()) {
    throw FormatError("the RIFF length says " + std::to_string(riffSize + 8) + " bytes, the file has " +
                      std::to_string(bytes.size()));
  }
  if (file.Text(4, "the WAVE tag") != "WAVE") throw FormatError("not a WAVE file");
  PcmSound sound;
  bool haveFormat = false;
  bool haveData = false;
  while (!file.AtEnd()) {
    const std::string tag = file.Text(4, "a chunk tag");
    const uint32_t size = file.Le(4, "a chunk length");
    if (size > file.Remaining()) throw FormatError("the chunk '" + tag + "' runs past the end of the file");
    ByteReader chunk(std::span<const uint8_t>(bytes).subspan(file.Offset(), size), "a chunk");
    if (tag == "fmt ") {
      if (chunk.Le(2, "the sample format") != kPcmFormat) throw FormatError("the sound is not PCM");
      sound.channels = static_cast<int>(chunk.Le(2, "the channel count"));
      sound.sampleRate = static_cast<int>(chunk.Le(4, "the sample rate"));
      const uint32_t byteRate = chunk.Le(4, "the byte rate");
      const uint32_t blockAlign = chunk.Le(2, "the block size");
      if (chunk.Le(2, "the sample width") != 16) throw FormatError("the samples are not 16-bit");
      if (sound.channels < 1 || blockAlign != static_cast<uint32_t>(sound.channels) * 2 ||
          byteRate != blockAlign * static_cast<uint32_t>(sound.sampleRate)) {
        throw FormatError("the format chunk contradicts itself");
      }
      haveFormat = true;
    } else if (tag == "data") {
      if (!haveFormat) throw FormatError("the data chunk comes before the format chunk");
      sound.samples.resize(size / 2);
      for (int16_t& s : sound.samples) s = static_cast<int16_t>(chunk.Le(2, "a sample"));
      haveData = true;
    }
    file.Skip(size, "a chunk");
    if ((size & 1) != 0 && !file.AtEnd()) file.Skip(1, "a chunk's pad byte");
  }
  if (!haveData) throw FormatError("no data chunk");
  return sound;
}

}  // namespace wispen::sound
