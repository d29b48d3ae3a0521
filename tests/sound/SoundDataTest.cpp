// The sounds the build put in Data/: stored with their signatures overwritten, readable once restored, and
// as long as the game needs them.

#include <gtest/gtest.h>

#include "DataFiles.h"
#include "Loudness.h"
#include "MidiFile.h"
#include "StoredForm.h"
#include "WaveFile.h"

namespace wispen::sound {
namespace {

struct EffectCase {
  const char* file;
  double shortest;
  double longest;
};

void PrintTo(const EffectCase& effect, std::ostream* out) {
  *out << effect.file;
}

class SoundDataEffect : public testing::TestWithParam<EffectCase> {};

TEST_P(SoundDataEffect, IsSixteenBitWaveOnceItsSignatureIsBack) {
  std::vector<uint8_t> bytes = StoredDataFile(GetParam().file);
  ASSERT_GT(bytes.size(), 44u);
  EXPECT_NE(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
  EXPECT_NE(std::string(bytes.begin() + 8, bytes.begin() + 15), "WAVEfmt");
  RestoreSignature(bytes, StoredKind::Wave);
  const PcmSound sound = DecodeWave(bytes);
  EXPECT_TRUE(sound.sampleRate == 22050 || sound.sampleRate == 44100) << sound.sampleRate;
  EXPECT_GE(sound.Seconds(), GetParam().shortest);
  EXPECT_LE(sound.Seconds(), GetParam().longest);
  const Loudness loudness = MeasureLoudness(sound);
  EXPECT_LT(loudness.firstSound, 0.1) << "an effect answers at once";
  EXPECT_GT(loudness.rmsDb, -30);
  EXPECT_LT(loudness.peakDb, -0.5);
}

// The level of `seconds` of sound that end `before` seconds before the end, in dB of full scale.
double TailDb(const PcmSound& sound, double before, double seconds) {
  const auto end = sound.samples.size() - static_cast<size_t>(before * sound.sampleRate);
  const auto begin = end - static_cast<size_t>(seconds * sound.sampleRate);
  PcmSound slice{sound.sampleRate, 1, {sound.samples.begin() + begin, sound.samples.begin() + end}};
  return MeasureLoudness(slice, -120).rmsDb;
}

// A sound still ringing at its end must die away over a fifth of a second or more, not stop short: its last
// 20 ms are far below what sounded 200 ms before.
TEST_P(SoundDataEffect, DiesAwayInsteadOfStoppingShort) {
  std::vector<uint8_t> bytes = StoredDataFile(GetParam().file);
  RestoreSignature(bytes, StoredKind::Wave);
  const PcmSound sound = DecodeWave(bytes);
  const double before = TailDb(sound, 0.2, 0.02);
  if (before < -80) return;  // silent well before its end
  EXPECT_LT(TailDb(sound, 0, 0.02), before - 20) << "200 ms before the end: " << before << " dBFS";
}

INSTANTIATE_TEST_SUITE_P(Effects, SoundDataEffect,
                         testing::Values(EffectCase{"Effect00.Dat", 1.0, 4.0},
                                         EffectCase{"Effect01.Dat", 0.5, 2.0},
                                         EffectCase{"Effect02.Dat", 0.3, 2.5},
                                         EffectCase{"Effect03.Dat", 2.0, 6.0}),
                         FileStem<EffectCase>);

struct MusicCase {
  const char* file;
  double shortest;
  double longest;
  std::set<int> programs;  // General MIDI instruments the piece must use
  bool drums;
};

void PrintTo(const MusicCase& music, std::ostream* out) {
  *out << music.file;
}

class SoundDataMusic : public testing::TestWithParam<MusicCase> {};

TEST_P(SoundDataMusic, IsStandardMidiOnceItsSignaturesAreBack) {
  std::vector<uint8_t> bytes = StoredDataFile(GetParam().file);
  ASSERT_GT(bytes.size(), 22u);
  EXPECT_NE(std::string(bytes.begin(), bytes.begin() + 4), "MThd");
  EXPECT_NE(std::string(bytes.begin() + 14, bytes.begin() + 18), "MTrk");
  RestoreSignature(bytes, StoredKind::Midi);
  const MidiSummary summary = ReadMidi(bytes);
  EXPECT_EQ(summary.format, 1);
  EXPECT_GE(summary.seconds, GetParam().shortest);
  EXPECT_LE(summary.seconds, GetParam().longest);
  for (int program : GetParam().programs)
    EXPECT_EQ(summary.programs.count(program), 1u) << "program " << program;
  EXPECT_EQ(summary.channels.count(9) == 1, GetParam().drums);
}

// Organ 20, choir 53/54; bass 39, lead 82; trumpet 57; strings 49, harp 47.
INSTANTIATE_TEST_SUITE_P(Music, SoundDataMusic,
                         testing::Values(MusicCase{"Effect10.Dat", 60, 120, {20, 53, 54}, false},
                                         MusicCase{"Effect11.Dat", 150, 170, {39, 82}, true},
                                         MusicCase{"Effect12.Dat", 5, 8, {57}, true},
                                         MusicCase{"Effect13.Dat", 25, 35, {47, 49}, false}),
                         FileStem<MusicCase>);

}  // namespace
}  // namespace wispen::sound
