#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace wispen::sound {

// One event of a track: a channel message (status byte first) or a meta event (0xFF, type, data).
struct MidiEvent {
  uint32_t tick = 0;
  std::vector<uint8_t> bytes;
};

struct MidiTrack {
  std::vector<MidiEvent> events;
};

// A format 1 Standard MIDI file: the first track holds the tempo, metre and title, the others the parts.
struct Song {
  int division = 480;  // ticks per quarter note
  std::vector<MidiTrack> tracks;
};

MidiEvent MetaEvent(uint32_t tick, uint8_t type, const std::vector<uint8_t>& data);
MidiEvent TextMeta(uint32_t tick, uint8_t type, const std::string& text);
MidiEvent TempoMeta(uint32_t tick, double quartersPerMinute);

// Events of a track are sorted by time; at the same time a note ends before the next one starts, so a
// repeated pitch is struck again rather than cut. Each track closes with its end-of-track event.
std::vector<uint8_t> EncodeMidi(const Song& song);

// What a Standard MIDI file holds, read back from its bytes.
struct MidiSummary {
  int format = 0;
  int division = 0;
  int trackCount = 0;
  int noteCount = 0;
  double seconds = 0;  // to the last event of the longest track, through the tempo changes
  std::set<int> channels;
  std::set<int> programs;  // General MIDI numbers 1-128
};

// Parses the header and every track, running status included; throws FormatError on malformed input.
MidiSummary ReadMidi(const std::vector<uint8_t>& bytes);

}  // namespace wispen::sound
