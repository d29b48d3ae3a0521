#include <gtest/gtest.h>

#include "WaveFile.h"
#include "core/Bytes.h"
#include "core/DataSignature.h"

namespace wispen::sound {
namespace {

PcmSound Stereo() {
  PcmSound sound;
  sound.sampleRate = 22050;
  sound.channels = 2;
  sound.samples = {0, -1, 32767, -32768, 1234, -4321};
  return sound;
}

TEST(WaveFileTest, WhatIsWrittenReadsBack) {
  const std::vector<uint8_t> bytes = EncodeWave(Stereo());
  ASSERT_EQ(bytes.size(), 44u + 12u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 16), std::string("RIFF\x30\0\0\0WAVEfmt ", 16));
  const PcmSound back = DecodeWave(bytes);
  EXPECT_EQ(back.sampleRate, 22050);
  EXPECT_EQ(back.channels, 2);
  EXPECT_EQ(back.samples, Stereo().samples);
  EXPECT_EQ(back.Frames(), 3u);
}

TEST(WaveFileTest, ChunksItDoesNotKnowArePassedOverPadByteAndAll) {
  std::vector<uint8_t> bytes = EncodeWave(Stereo());
  const std::vector<uint8_t> list = {'L', 'I', 'S', 'T', 3, 0, 0, 0, 'a', 'b', 'c', 0};
  bytes.insert(bytes.begin() + 36, list.begin(), list.end());
  const uint32_t riff = static_cast<uint32_t>(bytes.size() - 8);
  for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<uint8_t>(riff >> (8 * i));
  EXPECT_EQ(DecodeWave(bytes).samples, Stereo().samples);
}

TEST(WaveFileTest, RefusesWhatIsNotSixteenBitPcm) {
  const std::vector<uint8_t> good = EncodeWave(Stereo());
  std::vector<uint8_t> wrongLength = good;
  wrongLength[4] += 2;
  EXPECT_THROW(DecodeWave(wrongLength), FormatError);
  std::vector<uint8_t> compressed = good;
  compressed[20] = 2;
  EXPECT_THROW(DecodeWave(compressed), FormatError);
  std::vector<uint8_t> eightBit = good;
  eightBit[34] = 8;
  EXPECT_THROW(DecodeWave(eightBit), FormatError);
  std::vector<uint8_t> cut(good.begin(), good.begin() + 40);
  cut[4] = 32;
  EXPECT_THROW(DecodeWave(cut), FormatError);
}

TEST(StoredFormTest, OnlyTheSignatureBytesChangeAndTheyComeBack) {
  const std::vector<uint8_t> wave = EncodeWave(Stereo());
  std::vector<uint8_t> stored = wave;
  HideSignature(stored, DataKind::Wave);
  for (size_t i = 0; i < wave.size(); ++i) {
    const bool signature = i < 4 || (i >= 8 && i < 15);
    if (signature) {
      EXPECT_NE(stored[i], wave[i]) << "byte " << i;
    } else {
      EXPECT_EQ(stored[i], wave[i]) << "byte " << i;
    }
  }
  RestoreSignature(stored, DataKind::Wave);
  EXPECT_EQ(stored, wave);

  std::vector<uint8_t> midi = {'M', 'T', 'h',  'd', 0,   0,   0,   6, 0, 1, 0,
                               1,   1,   0xE0, 'M', 'T', 'r', 'k', 0, 0, 0, 4};
  std::vector<uint8_t> storedMidi = midi;
  HideSignature(storedMidi, DataKind::Midi);
  EXPECT_NE(std::string(storedMidi.begin(), storedMidi.begin() + 4), "MThd");
  EXPECT_NE(std::string(storedMidi.begin() + 14, storedMidi.begin() + 18), "MTrk");
  EXPECT_TRUE(std::equal(midi.begin() + 4, midi.begin() + 14, storedMidi.begin() + 4));
  RestoreSignature(storedMidi, DataKind::Midi);
  EXPECT_EQ(storedMidi, midi);
}

}  // namespace
}  // namespace wispen::sound
