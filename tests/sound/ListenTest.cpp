// Plays each piece of Data/ through the game's own synthesiser, faster than real time, and checks that it
// really sounds: heard from its first moments to its end, never silent for long, never clipped.

#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

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

// A synthesiser with its soundfont in, played a tenth of a second at a time as the audio thread would.
class MusicSamples : public testing::Test {
 protected:
  void SetUp() override {
    const std::vector<std::string> soundFonts = SoundFontCandidates(nullptr);
    if (!FindSoundFont(soundFonts)) GTEST_SKIP() << "no General MIDI soundfont installed";
    synth_ = std::make_unique<MusicSynth>(soundFonts, kRate, [](const std::string&) {});
    ASSERT_EQ(synth_->WaitUntilLoaded(), MusicSynth::State::Ready);
  }

  // Renders `seconds` of sound; returns its largest sample.
  int Render(double seconds) {
    std::vector<int16_t> block(2 * kRate / 10);
    int peak = 0;
    for (int i = 0; i < seconds * 10; ++i) {
      synth_->Render(block.data(), kRate / 10);
      for (const int16_t s : block) peak = std::max(peak, std::abs(int{s}));
    }
    return peak;
  }

  std::unique_ptr<MusicSynth> synth_;
};

// A piece's programs bring their samples in before it starts, not on the audio thread; a piece stopped, or
// over with its reverb's tail, lets them go.
TEST_F(MusicSamples, APieceStoppedOrOverLetsItsSamplesGo) {
  const char* organAndPiano = "tempo 120\ntrack O program=20 [c4 e4 g4]/8\ntrack P program=1 c3/8";
  const MusicSynth::Ticket first = synth_->Start(MidiOf(organAndPiano));
  synth_->WaitUntilStarted();
  const size_t prepared = HeapInUse();
  Render(0.5);
  const size_t playing = HeapInUse();
  EXPECT_LT(playing, prepared + (256 << 10));  // the audio thread brought no samples in
  synth_->Stop(first);
  Render(0.1);  // the audio thread lets them go
  const size_t stopped = HeapInUse();
  EXPECT_GT(playing, stopped + (1 << 20));

  synth_->Start(MidiOf(organAndPiano));
  synth_->WaitUntilStarted();
  Render(0.5);
  EXPECT_GT(HeapInUse(), stopped + (1 << 20));
  Render(8);  // its last note, the release, the reverb's three seconds
  EXPECT_LT(HeapInUse(), stopped + (256 << 10));
}

// A piece over resets the synthesiser, which gives every channel its default program: started again before
// the reverb's tail is out (the stage's piece, after a try that outlasted it), it has its samples in before
// it starts, none of them brought in by the audio thread.
TEST_F(MusicSamples, APieceStartedAgainAfterItRanOutHasItsSamplesInFirst) {
  const std::vector<uint8_t> organ = MidiOf("tempo 120\ntrack O program=20 [c4 e4 g4]/8");
  const MusicSynth::Ticket first = synth_->Start(organ);
  synth_->WaitUntilStarted();
  for (int i = 0; i < 100 && synth_->Sounding(first); ++i) Render(0.1);
  ASSERT_FALSE(synth_->Sounding(first));  // over, its tail still ringing
  synth_->Start(organ);
  synth_->WaitUntilStarted();
  const size_t prepared = HeapInUse();
  Render(0.5);
  EXPECT_LT(HeapInUse(), prepared + (256 << 10));
}

// A track that never names its program plays the default one (the drum kit on channel 10): also after an
// earlier piece let its programs, and with them their samples, go.
TEST_F(MusicSamples, ATrackWithoutAProgramSoundsAfterAPieceLetItsSamplesGo) {
  const std::vector<uint8_t> drums = MidiOf("tempo 120\ntrack D drums { d2/8 }*4");
  const MusicSynth::Ticket first = synth_->Start(drums);
  synth_->WaitUntilStarted();
  const int heard = Render(1);
  ASSERT_GT(heard, 1000);
  synth_->Stop(first);
  Render(0.1);  // the audio thread lets the samples go
  synth_->Start(MidiOf("tempo 120\ntrack O program=20 c4/8"));
  synth_->WaitUntilStarted();
  Render(8);  // played, over, its reverb's tail rung out: its samples go too
  synth_->Start(drums);
  synth_->WaitUntilStarted();
  EXPECT_GT(Render(1), heard / 2);
}

// The synthesiser renders a few of the device's periods at a time: the sound is the same sample for sample
// as rendering each period alone, a stop is heard at the next period, and a piece counts as sounding until
// the frames rendered while it played have been handed out.
TEST(MusicAhead, SameSoundAStopAtOnceAndTheEndWhenHeard) {
  const std::vector<std::string> soundFonts = SoundFontCandidates(nullptr);
  if (!FindSoundFont(soundFonts)) GTEST_SKIP() << "no General MIDI soundfont installed";
  // One after the other: two made at once, each loading on its own thread, now and then sound different from
  // each other (under load, three runs in forty), as FluidSynth sets up what all its synthesisers share
  // when the first is made. The game makes one.
  MusicSynth ahead(soundFonts, kRate, [](const std::string&) {});
  ASSERT_EQ(ahead.WaitUntilLoaded(), MusicSynth::State::Ready);
  MusicSynth alone(
      soundFonts, kRate, [](const std::string&) {}, 1);
  ASSERT_EQ(alone.WaitUntilLoaded(), MusicSynth::State::Ready);
  constexpr int kPeriod = 1000;
  std::vector<int16_t> a(2 * kPeriod), b(2 * kPeriod);

  const std::vector<uint8_t> chords = MidiOf("tempo 120\ntrack O program=20 reverb=0 { [c4 e4 g4]/8 }*32");
  const MusicSynth::Ticket first = ahead.Start(chords);
  const MusicSynth::Ticket second = alone.Start(chords);
  ahead.WaitUntilStarted();
  alone.WaitUntilStarted();
  for (int i = 0; i < 50; ++i) {
    ahead.Render(a.data(), kPeriod);
    alone.Render(b.data(), kPeriod);
    ASSERT_EQ(a, b) << "period " << i;
  }
  const auto rms = [](const std::vector<int16_t>& block) {
    double sum = 0;
    for (const int16_t s : block) sum += double(s) * s;
    return std::sqrt(sum / block.size());
  };
  const double chord = rms(a);
  ASSERT_GT(chord, 1000);
  ahead.Stop(first);
  alone.Stop(second);
  ahead.Render(a.data(), kPeriod);
  // The soundfont's own reverb rings on after a stop, but well below the chords that would go on.
  EXPECT_LT(rms(a), chord / 2);

  const std::vector<uint8_t> stroke = MidiOf("tempo 120\ntrack X program=14 reverb=0 c5/8' r/8");
  const MusicSynth::Ticket third = ahead.Start(stroke);
  const MusicSynth::Ticket fourth = alone.Start(stroke);
  ahead.WaitUntilStarted();
  alone.WaitUntilStarted();
  int endAhead = 0, endAlone = 0;
  for (int i = 1; i < 200 && (endAhead == 0 || endAlone == 0); ++i) {
    ahead.Render(a.data(), kPeriod);
    alone.Render(b.data(), kPeriod);
    if (endAhead == 0 && !ahead.Sounding(third)) endAhead = i;
    if (endAlone == 0 && !alone.Sounding(fourth)) endAlone = i;
  }
  ASSERT_GT(endAlone, 0);
  EXPECT_LE(std::abs(endAhead - endAlone), 1) << endAhead << " periods against " << endAlone;
}

INSTANTIATE_TEST_SUITE_P(Music, ListenTest,
                         testing::Values(Piece{"Effect10.Dat", 60, 90}, Piece{"Effect11.Dat", 150, 170},
                                         Piece{"Effect12.Dat", 4.5, 9}, Piece{"Effect13.Dat", 25, 36}),
                         FileStem<Piece>);

}  // namespace
}  // namespace wispen::sound
