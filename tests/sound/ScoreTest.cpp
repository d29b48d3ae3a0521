#include <gtest/gtest.h>

#include "Score.h"
#include "ScoreTokens.h"

namespace wispen::sound {
namespace {

struct Note {
  uint32_t on;
  uint32_t off;
  int channel;
  int key;
  int velocity;
  bool operator==(const Note&) const = default;
};

// The notes of one track, paired on and off, in the order they start.
std::vector<Note> NotesOf(const MidiTrack& track) {
  std::vector<Note> notes;
  for (const MidiEvent& on : track.events) {
    if ((on.bytes[0] & 0xF0) != 0x90) continue;
    for (const MidiEvent& off : track.events) {
      if ((off.bytes[0] & 0xF0) == 0x80 && off.bytes[1] == on.bytes[1] && off.tick > on.tick) {
        notes.push_back(Note{on.tick, off.tick, on.bytes[0] & 0x0F, on.bytes[1], on.bytes[2]});
        break;
      }
    }
  }
  return notes;
}

std::vector<int> KeysOf(const MidiTrack& track) {
  std::vector<int> keys;
  for (const Note& n : NotesOf(track)) keys.push_back(n.key);
  return keys;
}

std::string ErrorOf(const std::string& score) {
  try {
    ParseScore(score, "test.score");
  } catch (const SourceError& e) {
    return e.what();
  }
  return "no error";
}

TEST(ScoreTest, NotesTakeTheirPitchLengthAndMarks) {
  const Song song = ParseScore("track A  c4/4 d#4/8. eb3/16 b-1/8t g9 r/2+8 a4/4' f f4/4!", "t");
  ASSERT_EQ(song.tracks.size(), 2u);
  EXPECT_EQ(song.division, 480);
  const std::vector<Note> notes = NotesOf(song.tracks[1]);
  ASSERT_EQ(notes.size(), 7u);
  EXPECT_EQ(notes[0], (Note{0, 480, 0, 60, 80}));
  EXPECT_EQ(notes[1], (Note{480, 840, 0, 63, 80}));
  EXPECT_EQ(notes[2], (Note{840, 960, 0, 51, 80}));
  EXPECT_EQ(notes[3], (Note{960, 1120, 0, 11, 80}));
  // No length given: the one before (an eighth triplet).
  EXPECT_EQ(notes[4], (Note{1120, 1280, 0, 127, 80}));
  // After a rest of a half tied to an eighth, a staccato quarter sounds for an eighth.
  EXPECT_EQ(notes[5], (Note{2480, 2720, 0, 69, 80}));
  // "f" alone is a dynamic; the accent adds to it.
  EXPECT_EQ(notes[6], (Note{2960, 3440, 0, 65, 116}));
}

TEST(ScoreTest, ChordsSoundTogetherAndHashIsACommentOnlyAtAWordStart) {
  const Song song = ParseScore("# a comment [c4\ntrack A [c4 e4 g#4]/2 # c5/4\n  a4/4", "t");
  const std::vector<Note> notes = NotesOf(song.tracks[1]);
  ASSERT_EQ(notes.size(), 4u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(notes[i].on, 0u);
  EXPECT_EQ(notes[2].key, 68);
  EXPECT_EQ(notes[3], (Note{960, 1440, 0, 69, 80}));
}

TEST(ScoreTest, RepeatsAndPhrasesWithTranspositionScopedToTheirGroup) {
  const Song song = ParseScore(
      "define fig { c4/8 e4 }\n"
      "define up { transpose=12 $fig }\n"
      "track A { transpose=2 $fig }*2 $fig $up transpose=-1 $up $fig",
      "t");
  EXPECT_EQ(KeysOf(song.tracks[1]), (std::vector<int>{62, 66, 62, 66, 60, 64, 72, 76, 71, 75, 59, 63}));
}

TEST(ScoreTest, ChannelsSkipTheDrumChannelAndSettingsLandOnTheTracksChannel) {
  std::string score = "track Kit drums kick/4\n";
  for (int i = 0; i < 10; ++i) score += "track P" + std::to_string(i) + " program=41 volume=90 c4/4\n";
  const Song song = ParseScore(score, "t");
  EXPECT_EQ(NotesOf(song.tracks[1])[0].channel, 9);
  EXPECT_EQ(NotesOf(song.tracks[1])[0].key, 36);
  EXPECT_EQ(NotesOf(song.tracks[2])[0].channel, 0);
  EXPECT_EQ(NotesOf(song.tracks[10])[0].channel, 8);
  EXPECT_EQ(NotesOf(song.tracks[11])[0].channel, 10);
  // program=41 is the General MIDI violin, sent as 40; volume is controller 7; both on the track's channel.
  bool sawProgram = false;
  bool sawVolume = false;
  for (const MidiEvent& e : song.tracks[11].events) {
    if (e.bytes[0] == 0xCA) sawProgram = e.bytes[1] == 40;
    if (e.bytes[0] == 0xBA) sawVolume = e.bytes[1] == 7 && e.bytes[2] == 90;
  }
  EXPECT_TRUE(sawProgram);
  EXPECT_TRUE(sawVolume);
}

TEST(ScoreTest, TempoAndTitleGoToTheFirstTrackAndAClosingRestCounts) {
  const Song song =
      ParseScore("title \"Night Song\" tempo 60 meter 3/4\ntrack A c4/2. tempo=120 c4/2. r/2.", "t");
  const std::vector<uint8_t> midi = EncodeMidi(song);
  const MidiSummary summary = ReadMidi(midi);
  // 3 beats at 60, then 6 beats at 120 (the last three of them a rest): 6 seconds.
  EXPECT_DOUBLE_EQ(summary.seconds, 6.0);
  const std::string bytes(midi.begin(), midi.end());
  EXPECT_NE(bytes.find("Night Song"), std::string::npos);
}

TEST(ScoreTest, MistakesNameTheirLine) {
  EXPECT_EQ(ErrorOf("track A\n c4/4 c4/8 |"),
            "test.score:2: bar check: 720 ticks into the bar (a quarter is 480)");
  EXPECT_EQ(ErrorOf("track A\n\n c4/4 h4"), "test.score:3: 'h4' is not a note, a rest or a word I know");
  EXPECT_EQ(ErrorOf("track A\n [c4 e4\n"), "test.score:2: this '[' is never closed");
  EXPECT_EQ(ErrorOf("track A c4/3"), "test.score:1: 'c4/3' has a length I cannot read");
  EXPECT_EQ(ErrorOf("track A $tune"), "test.score:1: no phrase is called 'tune' (define it first)");
  EXPECT_EQ(ErrorOf("track A c4 channel=2"), "test.score:1: the channel must be set before the first note");
  EXPECT_EQ(ErrorOf("track A transpose=12 g9/4"), "test.score:1: the note is transposed out of the keyboard");
  EXPECT_EQ(ErrorOf("track A program=0"), "test.score:1: 0 is outside 1..128");
  EXPECT_EQ(ErrorOf("track A c4\ntempo 90"), "test.score:2: 'tempo' belongs before the first track");
  EXPECT_EQ(ErrorOf("title \"open"), "test.score:1: a quote is not closed");
  EXPECT_EQ(ErrorOf("tempo 90"), "test.score:1: the score has no tracks");
}

TEST(ScoreTest, APhraseThatPlaysItselfIsStoppedNotFollowedForever) {
  EXPECT_EQ(ErrorOf("define a { c4 $a }\ntrack A $a"),
            "test.score:1: phrases and repeats nest too deep (a phrase that uses itself?)");
  std::string deep = "track A ";
  for (int i = 0; i < 20; ++i) deep += "{ ";
  deep += "c4";
  for (int i = 0; i < 20; ++i) deep += " }";
  EXPECT_NE(ErrorOf(deep).find("nest too deep"), std::string::npos);
}

}  // namespace
}  // namespace wispen::sound
