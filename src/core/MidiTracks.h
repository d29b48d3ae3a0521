#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

namespace wispen {

// One event of a Standard MIDI file's track.
struct MidiTrackEvent {
  uint32_t tick = 0;  // from the start of its track
  // A channel message's status, also where the file left it out (running status); 0xFF for a meta event,
  // 0xF0 or 0xF7 for a system exclusive one.
  uint8_t status = 0;
  uint8_t metaType = 0;
  // A channel message's data bytes, or a meta or system exclusive event's body.
  std::span<const uint8_t> data;
};

struct MidiTrackWalk {
  int tracks = 0;
  std::optional<std::string> fault;  // the first thing wrong that the walk met
};

// Walks a Standard MIDI file's chunks (the whole file, or what follows its header: a chunk that is not a
// track, the header among them, is passed over) and hands each track's events over in the track's order.
// A damaged or cut track is walked as far as it goes and the walk goes on with the next one: a reader that
// takes a file as far as it goes leaves the fault aside, a strict one refuses the file for it.
MidiTrackWalk WalkMidiTracks(std::span<const uint8_t> chunks,
                             const std::function<void(const MidiTrackEvent&)>& onEvent);

}  // namespace wispen
