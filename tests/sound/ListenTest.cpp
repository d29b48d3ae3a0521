// Plays each piece of Data/ through the game's own synthesiser, faster than real time, and checks that it
// really sounds: heard from its first moments to its end, never silent for long, never clipped.

#include <gtest/gtest.h>
#include <malloc.h>

#include "DataFiles.h"
#include "DiskAudio.h"
#include "Loudness.h"
#include "MidiRender.h"
#include "SoundFont.h"
#include "core/DataSignature.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitiser's allocator keeps its own count (GCC ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

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

// The bytes the process's allocator hands out at this moment.
size_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
#endif
}

// A piece's programs bring their samples in; a piece stopped, or over with its reverb's tail, lets them go.
TEST(MusicSamples, APieceStoppedOrOverLetsItsSamplesGo) {
  const std::vector<std::string> soundFonts = SoundFontCandidates(nullptr);
  if (!FindSoundFont(soundFonts)) GTEST_SKIP() << "no General MIDI soundfont installed";
  MusicSynth synth(soundFonts, kRate, [](const std::string&) {});
  ASSERT_EQ(synth.WaitUntilLoaded(), MusicSynth::State::Ready);
  std::vector<int16_t> block(2 * kRate / 10);
  const auto render = [&](double seconds) {
    for (int i = 0; i < seconds * 10; ++i) synth.Render(block.data(), kRate / 10);
  };
  const char* organAndPiano = "tempo 120\ntrack O program=20 [c4 e4 g4]/8\ntrack P program=1 c3/8";
  const MusicSynth::Ticket first = synth.Start(MidiOf(organAndPiano));
  render(0.5);
  const size_t playing = HeapInUse();
  synth.Stop(first);
  render(0.1);  // the audio thread lets them go
  const size_t stopped = HeapInUse();
  EXPECT_GT(playing, stopped + (1 << 20));

  synth.Start(MidiOf(organAndPiano));
  render(0.5);
  EXPECT_GT(HeapInUse(), stopped + (1 << 20));
  render(8);  // its last note, the release, the reverb's three seconds
  EXPECT_LT(HeapInUse(), stopped + (256 << 10));
}

INSTANTIATE_TEST_SUITE_P(Music, ListenTest,
                         testing::Values(Piece{"Effect10.Dat", 60, 90}, Piece{"Effect11.Dat", 150, 170},
                                         Piece{"Effect12.Dat", 4.5, 9}, Piece{"Effect13.Dat", 25, 36}),
                         FileStem<Piece>);

}  // namespace
}  // namespace wispen::sound
