#include "PieceChannels.h"

#include <algorithm>

#include "core/MidiTracks.h"

namespace wispen {

namespace {

void Note(PieceChannels& out, const PieceChannels::Program& program) {
  if (out.programs.size() < PieceChannels::kMostPrograms &&
      std::find(out.programs.begin(), out.programs.end(), program) == out.programs.end())
    out.programs.push_back(program);
}

struct ChannelState {
  int bank = 0;
  bool programNamed = false;
  bool noteSeen = false;
};

}  // namespace

PieceChannels ReadPieceChannels(const std::vector<uint8_t>& midi) {
  PieceChannels out;
  std::array<ChannelState, PieceChannels::kChannels> channels{};
  // A fault ends only the track it is in, and is left aside: the synthesiser's player judges the file.
  WalkMidiTracks(midi, [&](const MidiTrackEvent& event) {
    if (event.status >= 0xF0) return;
    const int kind = event.status & 0xF0, channel = event.status & 0x0F;
    const uint8_t first = event.data[0], second = event.data.size() > 1 ? event.data[1] : 0;
    ChannelState& c = channels[static_cast<size_t>(channel)];
    const bool drums = channel == PieceChannels::kDrumChannel;
    if (kind == 0xB0 && first == 0) c.bank = second;
    if (kind == 0xC0) {
      c.programNamed = true;
      Note(out, {c.bank, first, drums});
    }
    if (kind == 0x90 && second > 0 && !c.noteSeen) {
      c.noteSeen = true;
      if (!c.programNamed) {
        out.defaultProgramBank[static_cast<size_t>(channel)] = c.bank;
        Note(out, {c.bank, 0, drums});
      }
    }
  });
  return out;
}

}  // namespace wispen
