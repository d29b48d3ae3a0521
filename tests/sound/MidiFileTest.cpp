#include <gtest/gtest.h>

#include "MidiFile.h"
#include "core/Bytes.h"

namespace wispen::sound {
namespace {

MidiEvent NoteEvent(uint32_t tick, uint8_t status, int key, int velocity) {
  return MidiEvent{tick, {status, static_cast<uint8_t>(key), static_cast<uint8_t>(velocity)}};
}

// A header and the given track bodies, each wrapped in its MTrk chunk.
std::vector<uint8_t> Handmade(int declaredTracks, const std::vector<std::vector<uint8_t>>& bodies) {
  std::vector<uint8_t> out = {'M',  'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, static_cast<uint8_t>(declaredTracks),
                              0x01, 0xE0};
  for (const auto& body : bodies) {
    PutText(out, "MTrk");
    PutBe(out, static_cast<uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
  }
  return out;
}

TEST(MidiFileTest, WhatIsWrittenReadsBackWithItsLengthThroughTempoChanges) {
  Song song;
  song.tracks.resize(2);
  song.tracks[0].events = {TempoMeta(0, 120), TempoMeta(960, 60)};
  // A long rest first: its delta time needs three bytes.
  song.tracks[1].events = {MidiEvent{0, {0xC3, 52}}, NoteEvent(20000, 0x93, 60, 90),
                           NoteEvent(20480, 0x83, 60, 0), NoteEvent(20480, 0x93, 64, 90),
                           NoteEvent(21000, 0x83, 64, 0)};
  const MidiSummary summary = ReadMidi(EncodeMidi(song));
  EXPECT_EQ(summary.format, 1);
  EXPECT_EQ(summary.division, 480);
  EXPECT_EQ(summary.trackCount, 2);
  EXPECT_EQ(summary.noteCount, 2);
  EXPECT_EQ(summary.channels, (std::set<int>{3}));
  EXPECT_EQ(summary.programs, (std::set<int>{53}));
  // 960 ticks at 120 (1 s), then 20040 ticks at 60.
  EXPECT_DOUBLE_EQ(summary.seconds, 1.0 + 20040.0 / 480.0);
}

TEST(MidiFileTest, ARepeatedKeyEndsBeforeItIsStruckAgain) {
  Song song;
  song.tracks.resize(1);
  // Given in the wrong order on purpose: the strike, then the end of the note before it.
  song.tracks[0].events = {NoteEvent(0, 0x90, 60, 80), NoteEvent(480, 0x90, 60, 80),
                           NoteEvent(480, 0x80, 60, 0), NoteEvent(960, 0x80, 60, 0)};
  const std::vector<uint8_t> bytes = EncodeMidi(song);
  // After the 22-byte preamble: delta 0 on, delta 0x83 0x60 (480) off, delta 0 on, delta 480 off, end.
  const std::vector<uint8_t> body(bytes.begin() + 22, bytes.end());
  const std::vector<uint8_t> expected = {0x00, 0x90, 60,   80,   0x83, 0x60, 0x80, 60,   0,    0x00, 0x90,
                                         60,   80,   0x83, 0x60, 0x80, 60,   0,    0x00, 0xFF, 0x2F, 0x00};
  EXPECT_EQ(body, expected);
}

TEST(MidiFileTest, ReadsRunningStatusAndSkipsForeignChunks) {
  std::vector<uint8_t> bytes =
      Handmade(1, {{0x00, 0x90, 60, 80, 0x10, 62, 80, 0x10, 60, 0, 0x00, 0xFF, 0x2F, 0x00}});
  // A chunk of some other kind between the tracks is passed over.
  const std::vector<uint8_t> foreign = {'X', 'Y', 'Z', 'W', 0, 0, 0, 2, 1, 2};
  bytes.insert(bytes.begin() + 14, foreign.begin(), foreign.end());
  const MidiSummary summary = ReadMidi(bytes);
  EXPECT_EQ(summary.noteCount, 2);  // a note-on with velocity 0 ends a note
  EXPECT_DOUBLE_EQ(summary.seconds, 32.0 / 480 * 0.5);
}

TEST(MidiFileTest, RefusesBrokenFiles) {
  const std::vector<uint8_t> endOfTrack = {0x00, 0xFF, 0x2F, 0x00};
  EXPECT_THROW(ReadMidi(Handmade(2, {endOfTrack})), FormatError);            // a track missing
  EXPECT_THROW(ReadMidi(Handmade(1, {{0x00, 0x90, 60, 80}})), FormatError);  // no end of track
  EXPECT_THROW(ReadMidi(Handmade(1, {{0x00, 60, 80, 0x00, 0xFF, 0x2F, 0x00}})), FormatError);  // no status
  EXPECT_THROW(ReadMidi(Handmade(1, {{0x00, 0x90, 60}})), FormatError);                        // cut short
  std::vector<uint8_t> notMidi = Handmade(1, {endOfTrack});
  notMidi[0] = 'W';
  EXPECT_THROW(ReadMidi(notMidi), FormatError);
  std::vector<uint8_t> overlong = Handmade(1, {endOfTrack});
  overlong[21] = 40;  // the track claims more bytes than the file has
  EXPECT_THROW(ReadMidi(overlong), FormatError);
}

}  // namespace
}  // namespace wispen::sound
