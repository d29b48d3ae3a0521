#include "MidiFile.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "core/Bytes.h"
#include "core/MidiTracks.h"

namespace wispen::sound {

namespace {

constexpr uint8_t kMeta = 0xFF;
constexpr uint8_t kEndOfTrack = 0x2F;
constexpr uint8_t kSetTempo = 0x51;

void PutVarLen(std::vector<uint8_t>& out, uint32_t value) {
  uint8_t groups[5];
  int n = 0;
  do {
    groups[n++] = static_cast<uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (n > 1) out.push_back(static_cast<uint8_t>(groups[--n] | 0x80));
  out.push_back(groups[0]);
}

bool IsNoteOff(const MidiEvent& e) {
  if (e.bytes.empty()) return false;
  const uint8_t kind = e.bytes[0] & 0xF0;
  return kind == 0x80 || (kind == 0x90 && e.bytes.size() > 2 && e.bytes[2] == 0);
}

// Within one moment: note-offs, then settings (controllers, programs, metas), then note-ons.
int Rank(const MidiEvent& e) {
  if (IsNoteOff(e)) return 0;
  return !e.bytes.empty() && (e.bytes[0] & 0xF0) == 0x90 ? 2 : 1;
}

std::vector<uint8_t> EncodeTrack(const MidiTrack& track) {
  std::vector<MidiEvent> events = track.events;
  std::stable_sort(events.begin(), events.end(), [](const MidiEvent& a, const MidiEvent& b) {
    return a.tick != b.tick ? a.tick < b.tick : Rank(a) < Rank(b);
  });
  std::vector<uint8_t> body;
  uint32_t now = 0;
  for (const MidiEvent& e : events) {
    PutVarLen(body, e.tick - now);
    now = e.tick;
    body.insert(body.end(), e.bytes.begin(), e.bytes.end());
  }
  PutVarLen(body, 0);
  body.insert(body.end(), {kMeta, kEndOfTrack, 0});
  std::vector<uint8_t> out;
  PutText(out, "MTrk");
  PutBe(out, static_cast<uint32_t>(body.size()), 4);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

}  // namespace

MidiEvent MetaEvent(uint32_t tick, uint8_t type, const std::vector<uint8_t>& data) {
  MidiEvent e{tick, {kMeta, type}};
  PutVarLen(e.bytes, static_cast<uint32_t>(data.size()));
  e.bytes.insert(e.bytes.end(), data.begin(), data.end());
  return e;
}

MidiEvent TextMeta(uint32_t tick, uint8_t type, const std::string& text) {
  return MetaEvent(tick, type, std::vector<uint8_t>(text.begin(), text.end()));
}

MidiEvent TempoMeta(uint32_t tick, double quartersPerMinute) {
  const auto micros = static_cast<uint32_t>(std::lround(60'000'000.0 / quartersPerMinute));
  std::vector<uint8_t> data;
  PutBe(data, micros, 3);
  return MetaEvent(tick, kSetTempo, data);
}

std::vector<uint8_t> EncodeMidi(const Song& song) {
  std::vector<uint8_t> out;
  PutText(out, "MThd");
  PutBe(out, 6, 4);
  PutBe(out, 1, 2);
  PutBe(out, static_cast<uint32_t>(song.tracks.size()), 2);
  PutBe(out, static_cast<uint32_t>(song.division), 2);
  for (const MidiTrack& track : song.tracks) {
    const std::vector<uint8_t> chunk = EncodeTrack(track);
    out.insert(out.end(), chunk.begin(), chunk.end());
  }
  return out;
}

MidiSummary ReadMidi(const std::vector<uint8_t>& bytes) {
  ByteReader file(bytes, "the MIDI file");
  if (file.Text(4, "the header tag") != "MThd") throw FormatError("not a Standard MIDI file");
  const uint32_t headerLength = file.Be(4, "the header length");
  if (headerLength < 6) throw FormatError("the header is too short");
  MidiSummary summary;
  summary.format = static_cast<int>(file.Be(2, "the format"));
  const int declaredTracks = static_cast<int>(file.Be(2, "the track count"));
  summary.division = static_cast<int>(file.Be(2, "the division"));
  if (summary.format > 2) throw FormatError("unknown format " + std::to_string(summary.format));
  if ((summary.division & 0x8000) != 0 || summary.division == 0) {
    throw FormatError("the division is not in ticks per quarter note");
  }
  file.Skip(headerLength - 6, "the header");

  std::map<uint32_t, uint32_t> tempo;  // tick -> microseconds per quarter note
  uint32_t lastTick = 0;
  const MidiTrackWalk walk =
      WalkMidiTracks(std::span<const uint8_t>(bytes).subspan(file.Offset()), [&](const MidiTrackEvent& e) {
        lastTick = std::max(lastTick, e.tick);
        if (e.status == kMeta) {
          if (e.metaType == kSetTempo && e.data.size() == 3)
            tempo[e.tick] = (uint32_t{e.data[0]} << 16) | (uint32_t{e.data[1]} << 8) | e.data[2];
          return;
        }
        if (e.status >= 0xF0) return;  // a system exclusive event
        summary.channels.insert(e.status & 0x0F);
        if ((e.status & 0xF0) == 0x90 && e.data[1] > 0) ++summary.noteCount;
        if ((e.status & 0xF0) == 0xC0) summary.programs.insert(e.data[0] + 1);
      });
  if (walk.fault) throw FormatError(*walk.fault);
  summary.trackCount = walk.tracks;
  if (summary.trackCount != declaredTracks) {
    throw FormatError("the header promises " + std::to_string(declaredTracks) + " tracks, the file has " +
                      std::to_string(summary.trackCount));
  }
  uint32_t at = 0;
  uint32_t micros = 500'000;  // 120 quarters a minute until a tempo is set
  double seconds = 0;
  for (const auto& [tick, value] : tempo) {
    if (tick >= lastTick) break;
    seconds += static_cast<double>(tick - at) * micros / summary.division / 1e6;
    at = tick;
    micros = value;
  }
  summary.seconds = seconds + static_cast<double>(lastTick - at) * micros / summary.division / 1e6;
  return summary;
}

}  // namespace wispen::sound
