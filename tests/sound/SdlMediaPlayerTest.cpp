// The media players on the real SDL2_mixer and FluidSynth, heard through SDL's disk audio driver. Times in
// the output count from the moment the device opened (the first Open); the driver keeps real time, so the
// bounds allow for a busy machine.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "DataFiles.h"
#include "DiskAudio.h"
#include "Loudness.h"
#include "SdlMediaPlayer.h"
#include "core/Bytes.h"
#include "core/DataSignature.h"
#include "platform/Errors.h"

namespace wispen::sound {
namespace {

constexpr double kFloorDb = -45;

// A piece of a single xylophone stroke: short, and quiet again well within a second.
const char* kStroke = "tempo 120\ntrack X program=14 reverb=0 c5/8' r/8";
// Organ chords struck again and again for eight seconds, longer than any test listens.
const char* kLongChord = "tempo 120\ntrack O program=20 reverb=0 { [c4 e4 g4]/8 }*32";

std::vector<Stretch> Heard(const PcmSound& played, double bridge = 0.15) {
  return SoundingStretches(played, kFloorDb, bridge);
}

TEST(SdlMediaPlayerTest, MusicAndAnEffectSoundTogether) {
  DiskAudio disk;
  ASSERT_EQ(disk.Audio().Music().WaitUntilLoaded(), MusicSynth::State::Ready);
  const std::string music = disk.Write("piece.Mid", MidiOf("tempo 120\ntrack O program=20 [c4 g4]/1"));
  const std::string effect = disk.Write("beep.Wav", ToneWave(0.3, 1000));
  {
    SdlMediaPlayer midi(disk.Audio());
    SdlMediaPlayer wave(disk.Audio());
    midi.Open(music);
    midi.Play();
    Wait(0.6);
    wave.Open(effect);
    wave.Play();
    Wait(2.0);
  }
  const PcmSound played = disk.Finish();
  ASSERT_GT(played.Seconds(), 1.5);
  EXPECT_TRUE(disk.Trouble().empty()) << disk.Trouble();
  // The chord alone, then the chord with the tone on top of it, then the chord alone again.
  const std::vector<Stretch> heard = Heard(played);
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_LT(heard[0].start, 0.3);
  EXPECT_GT(heard[0].Seconds(), 1.8);
  const std::vector<Stretch> loud = SoundingStretches(played, MeasureLoudness(played).rmsDb + 3);
  ASSERT_FALSE(loud.empty());
  EXPECT_GT(loud.front().start, 0.4);
  EXPECT_NEAR(loud.back().end - loud.front().start, 0.3, 0.08);
}

TEST(SdlMediaPlayerTest, AnEffectOpensSilentPlaysOnceAndGoesOnWhenAskedAgain) {
  DiskAudio disk;
  const std::string effect = disk.Write("$$WISP$$.Wav", ToneWave(0.3, 660));
  {
    SdlMediaPlayer wave(disk.Audio());
    wave.Open(effect);
    EXPECT_TRUE(wave.IsOpen());
    Wait(0.4);  // loaded, not played: silence
    wave.Play();
    Wait(0.15);
    wave.Play();  // still sounding: goes on, does not start again
    // It has ended and nothing repeats it. The device plays in real time beside this clock: the gap asked
    // for below leaves a quarter second of room for a busy machine.
    Wait(0.85);
    wave.Play();  // ended: plays again from the start
    Wait(0.6);
  }
  const std::vector<Stretch> heard = Heard(disk.Finish());
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_GT(heard[0].start, 0.3);
  EXPECT_NEAR(heard[0].Seconds(), 0.3, 0.04);
  EXPECT_NEAR(heard[1].Seconds(), 0.3, 0.04);
  EXPECT_GT(heard[1].start - heard[0].end, 0.4);
}

TEST(SdlMediaPlayerTest, OpeningAnotherEffectCutsTheOneSounding) {
  DiskAudio disk;
  const std::string first = disk.Write("first.wav", ToneWave(1.0, 440));
  const std::string second = disk.Write("second.WAV", ToneWave(0.3, 880));
  {
    SdlMediaPlayer wave(disk.Audio());
    wave.Open(first);
    wave.Play();
    Wait(0.25);
    wave.Open(second);  // ready, silent
    Wait(1.0);
    EXPECT_TRUE(wave.IsOpen());
  }
  const std::vector<Stretch> heard = Heard(disk.Finish());
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_LT(heard[0].Seconds(), 0.5);
}

TEST(SdlMediaPlayerTest, NewMusicStopsTheOldAndNothingRepeats) {
  DiskAudio disk;
  ASSERT_EQ(disk.Audio().Music().WaitUntilLoaded(), MusicSynth::State::Ready);
  const std::string chord = disk.Write("chord.mid", MidiOf(kLongChord));
  const std::string stroke = disk.Write("stroke.MID", MidiOf(kStroke));
  {
    SdlMediaPlayer midi(disk.Audio());
    midi.Open(chord);
    midi.Play();
    Wait(0.5);
    midi.Open(stroke);
    midi.Play();
    Wait(2.5);
  }
  const std::vector<Stretch> heard = Heard(disk.Finish());
  ASSERT_FALSE(heard.empty());
  // The chord would sound for eight seconds; the stroke lasts a fraction of one, once.
  EXPECT_LT(heard.back().end, 1.8);
  EXPECT_GT(heard.back().end, 0.5);
}

TEST(SdlMediaPlayerTest, PlayingMusicThatIsStillPlayingLetsItGoOn) {
  DiskAudio disk;
  ASSERT_EQ(disk.Audio().Music().WaitUntilLoaded(), MusicSynth::State::Ready);
  // Two strokes a second apart; a restart half way would add a third.
  const std::string piece =
      disk.Write("two.Mid", MidiOf("tempo 120\ntrack X program=14 reverb=0 c5/8' r/4. c5/8'"));
  {
    SdlMediaPlayer midi(disk.Audio());
    midi.Open(piece);
    midi.Play();
    Wait(0.5);
    midi.Play();
    Wait(2.0);
  }
  const std::vector<Stretch> heard = Heard(disk.Finish(), 0.05);
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_NEAR(heard[1].start - heard[0].start, 1.0, 0.1);
}

TEST(SdlMediaPlayerTest, ClosingStopsTheMusicAtOnce) {
  DiskAudio disk;
  ASSERT_EQ(disk.Audio().Music().WaitUntilLoaded(), MusicSynth::State::Ready);
  const std::string chord = disk.Write("chord.Mid", MidiOf(kLongChord));
  {
    SdlMediaPlayer midi(disk.Audio());
    midi.Open(chord);
    midi.Play();
    Wait(0.5);
    midi.Close();
    EXPECT_FALSE(midi.IsOpen());
    midi.Play();  // closed: nothing
    Wait(1.0);
  }
  const std::vector<Stretch> heard = Heard(disk.Finish());
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_GT(heard[0].end, 0.3);
  EXPECT_LT(heard[0].end, 0.8);
}

TEST(SdlMediaPlayerTest, MusicAskedForWhileTheSoundFontLoadsStartsWhenItIsIn) {
  DiskAudio disk;
  const std::string piece = disk.Write("early.Mid", MidiOf(kStroke));
  {
    SdlMediaPlayer midi(disk.Audio());
    midi.Open(piece);
    midi.Play();
    disk.Audio().Music().WaitUntilLoaded();
    Wait(1.0);
  }
  EXPECT_EQ(Heard(disk.Finish()).size(), 1u);
}

TEST(SdlMediaPlayerTest, TheFileIsReadWhollyAtOpenSoItMayGoAtOnce) {
  DiskAudio disk;
  ASSERT_EQ(disk.Audio().Music().WaitUntilLoaded(), MusicSynth::State::Ready);
  const std::string piece = disk.Write("$$WISP$$.Mid", MidiOf(kStroke));
  const std::string effect = disk.Write("$$WISP$$.Wav", ToneWave(0.2, 500));
  {
    SdlMediaPlayer midi(disk.Audio());
    SdlMediaPlayer wave(disk.Audio());
    midi.Open(piece);
    wave.Open(effect);
    std::filesystem::remove(piece);
    std::filesystem::remove(effect);
    midi.Play();
    Wait(0.8);
    wave.Play();
    Wait(0.6);
  }
  EXPECT_EQ(Heard(disk.Finish()).size(), 2u);
}

TEST(SdlMediaPlayerTest, FilesNoDeviceTakesThrowAMediaErrorAndLeaveThePlayerClosed) {
  DiskAudio disk;
  SdlMediaPlayer player(disk.Audio());
  const std::string text = disk.Write("notes.txt", {'h', 'i'});
  const std::string brokenWave = disk.Write("broken.Wav", {'R', 'I', 'F', 'F', 1, 2, 3});
  const std::string notMidi = disk.Write("broken.Mid", ToneWave(0.1, 440));
  for (const std::string& name : {text, brokenWave, notMidi, disk.Write("gone.Wav", {}) + ".missing"}) {
    EXPECT_THROW(player.Open(name), MediaError) << name;
    EXPECT_FALSE(player.IsOpen());
    player.Play();
  }
  EXPECT_TRUE(disk.Trouble().empty()) << disk.Trouble();
}

TEST(SdlMediaPlayerTest, WithNoAudioDeviceOneLineIsWrittenAndThePlayersGoOnSilently) {
  DiskAudio disk("no-such-audio-driver");
  const std::string piece = disk.Write("piece.Mid", MidiOf(kStroke));
  const std::string effect = disk.Write("effect.Wav", ToneWave(0.2, 500));
  SdlMediaPlayer midi(disk.Audio());
  SdlMediaPlayer wave(disk.Audio());
  for (int i = 0; i < 5; ++i) {
    midi.Open(piece);
    midi.Play();
    wave.Open(effect);
    wave.Play();
    EXPECT_TRUE(midi.IsOpen());
    EXPECT_TRUE(wave.IsOpen());
  }
  midi.Close();
  wave.Close();
  EXPECT_FALSE(wave.IsOpen());
  const std::string trouble = disk.Trouble();
  EXPECT_EQ(trouble.rfind("wispen: no sound: ", 0), 0u) << trouble;
  EXPECT_EQ(std::count(trouble.begin(), trouble.end(), '\n'), 1) << trouble;
}

TEST(SdlMediaPlayerTest, WithNoSynthesiserOneLineIsWrittenAndEffectsStillSound) {
  const std::string junk =
      (std::filesystem::temp_directory_path() / ("wispen-junk-" + std::to_string(::getpid()) + ".sf2"))
          .string();
  WriteFileBytes(junk, Bytes{'n', 'o', 't', ' ', 's', 'f', '2'});
  DiskAudio disk("disk", {junk});
  ASSERT_EQ(disk.Audio().Music().WaitUntilLoaded(), MusicSynth::State::Failed);
  const std::string piece = disk.Write("piece.Mid", MidiOf(kStroke));
  const std::string effect = disk.Write("effect.Wav", ToneWave(0.2, 500));
  {
    SdlMediaPlayer midi(disk.Audio());
    SdlMediaPlayer wave(disk.Audio());
    for (int i = 0; i < 3; ++i) {
      midi.Open(piece);
      midi.Play();
    }
    EXPECT_TRUE(midi.IsOpen());
    wave.Open(effect);
    wave.Play();
    Wait(0.6);
  }
  const std::string trouble = disk.Trouble();
  std::filesystem::remove(junk);
  EXPECT_EQ(trouble, "wispen: no music: " + junk + " is not a SoundFont\n");
  const std::vector<Stretch> heard = Heard(disk.Finish());
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_NEAR(heard[0].Seconds(), 0.2, 0.04);
}

TEST(SdlMediaPlayerTest, WithNoSoundFontAnywhereTheLineSaysWhatToInstall) {
  DiskAudio disk("disk", {"/nonexistent/a.sf2"});
  EXPECT_EQ(disk.Audio().Music().WaitUntilLoaded(), MusicSynth::State::Failed);
  EXPECT_NE(disk.Trouble().find("install fluid-soundfont-gm"), std::string::npos) << disk.Trouble();
}

double Milliseconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The game starts music and loads effects between two ticks of its one thread: each must cost it less
// than 5 ms. Measured on the game's own stage music and title chime, as the game hands them over.
TEST(SdlMediaPlayerTest, StartingMusicAndLoadingAnEffectStayWithinTheFrameBudget) {
  DiskAudio disk;
  std::vector<uint8_t> stage = StoredDataFile("Effect11.Dat");
  RestoreSignature(stage, DataKind::Midi);
  std::vector<uint8_t> chime = StoredDataFile("Effect00.Dat");
  RestoreSignature(chime, DataKind::Wave);
  const std::string music = disk.Write("$$WISP$$.Mid", stage);
  const std::string effect = disk.Write("$$WISP$$.Wav", chime);
  SdlMediaPlayer midi(disk.Audio());
  SdlMediaPlayer wave(disk.Audio());

  // The very first Open also opens the device; the soundfont is still loading meanwhile.
  auto start = std::chrono::steady_clock::now();
  midi.Open(music);
  midi.Play();
  const double first = Milliseconds(start);
  ASSERT_EQ(disk.Audio().Music().WaitUntilLoaded(), MusicSynth::State::Ready);

  std::vector<double> musicTimes;
  std::vector<double> effectTimes;
  for (int i = 0; i < 15; ++i) {
    start = std::chrono::steady_clock::now();
    midi.Close();
    midi.Open(music);
    midi.Play();
    musicTimes.push_back(Milliseconds(start));
    start = std::chrono::steady_clock::now();
    wave.Close();
    wave.Open(effect);
    effectTimes.push_back(Milliseconds(start));
    wave.Play();
    Wait(0.03);
  }
  std::cout << "first Open+Play (opens the device): " << first << " ms\n"
            << "music Close+Open+Play: median " << Median(musicTimes) << " ms, worst "
            << *std::max_element(musicTimes.begin(), musicTimes.end()) << " ms\n"
            << "effect Close+Open: median " << Median(effectTimes) << " ms, worst "
            << *std::max_element(effectTimes.begin(), effectTimes.end()) << " ms\n";
  EXPECT_LT(Median(musicTimes), 5.0);
  EXPECT_LT(Median(effectTimes), 5.0);
}

}  // namespace
}  // namespace wispen::sound
