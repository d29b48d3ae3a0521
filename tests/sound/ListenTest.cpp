// Plays each piece of Data/ through the game's own synthesiser, faster than real time, and checks that it
// really sounds: heard from its first moments to its end, never silent for long, never clipped.

#include <gtest/gtest.h>

#include "DataFiles.h"
#include "Loudness.h"
#include "MidiRender.h"
#include "SoundFont.h"
#include "core/DataSignature.h"

namespace wispen::sound {
namespace {

constexpr int kRate = 44100;

struct Piece {
  const char* file;
  double shortest;  // seconds of sound, from the first note to the last that is heard
  double longest;
};

void PrintTo(const Piece& piece, std::ostream* out) {
  *out << piece.file;
}

class ListenTest : public testing::TestWithParam<Piece> {};

TEST_P(ListenTest, SoundsFromStartToEnd) {
  const std::vector<std::string> soundFonts = SoundFontCandidates(nullptr);
  if (!FindSoundFont(soundFonts)) GTEST_SKIP() << "no General MIDI soundfont installed";
  std::string trouble;
  MusicSynth synth(soundFonts, kRate, [&trouble](const std::string& reason) { trouble = reason; });
  ASSERT_EQ(synth.WaitUntilLoaded(), MusicSynth::State::Ready) << trouble;

  std::vector<uint8_t> midi = StoredDataFile(GetParam().file);
  RestoreSignature(midi, DataKind::Midi);
  const PcmSound sound = RenderMidi(synth, midi, kRate, 300, 1);
  const Loudness loudness = MeasureLoudness(sound);
  EXPECT_LT(loudness.firstSound, 1.0);
  EXPECT_GE(loudness.lastSound - loudness.firstSound, GetParam().shortest);
  EXPECT_LE(loudness.lastSound - loudness.firstSound, GetParam().longest);
  EXPECT_LT(loudness.longestQuiet, 2.0);
  EXPECT_GT(loudness.rmsDb, -28);
  EXPECT_LT(loudness.peakDb, -1);
  EXPECT_EQ(loudness.clippedShare, 0);
}

INSTANTIATE_TEST_SUITE_P(Music, ListenTest,
                         testing::Values(Piece{"Effect10.Dat", 60, 90}, Piece{"Effect11.Dat", 150, 170},
                                         Piece{"Effect12.Dat", 4.5, 9}, Piece{"Effect13.Dat", 25, 36}),
                         FileStem<Piece>);

}  // namespace
}  // namespace wispen::sound
