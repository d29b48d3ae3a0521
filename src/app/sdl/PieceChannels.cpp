#include "PieceChannels.h"

#include <algorithm>
#include <cstring>

namespace wispen {

namespace {

uint32_t BigEndian32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// A variable-length number of at most four bytes, read from `at`; nothing when the track ends inside it.
std::optional<uint32_t> ReadVariable(const uint8_t* end, const uint8_t*& at) {
  uint32_t value = 0;
  for (int i = 0; i < 4 && at < end; ++i) {
    const uint8_t byte = *at++;
    value = (value << 7) | (byte & 0x7Fu);
    if ((byte & 0x80u) == 0) return value;
  }
  return std::nullopt;
}

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

void ReadTrack(const uint8_t* at, const uint8_t* end,
               std::array<ChannelState, PieceChannels::kChannels>& channels, PieceChannels& out) {
  uint8_t status = 0;  // the running status
  while (at < end) {
    if (!ReadVariable(end, at) || at >= end) return;  // the event's delta time
    if ((*at & 0x80u) != 0) status = *at++;
    if (status == 0xFF) {  // a meta event: its type, then its length
      if (at >= end) return;
      ++at;
    }
    if (status == 0xFF || status == 0xF0 || status == 0xF7) {
      const std::optional<uint32_t> length = ReadVariable(end, at);
      if (!length || *length > static_cast<size_t>(end - at)) return;
      at += *length;
      status = 0;  // neither a meta event nor a system exclusive one leaves a running status
      continue;
    }
    if (status < 0x80 || status >= 0xF0) return;  // data with no status before it, or a message no file holds
    const int kind = status & 0xF0, channel = status & 0x0F;
    const int size = kind == 0xC0 || kind == 0xD0 ? 1 : 2;
    if (end - at < size) return;
    const uint8_t first = at[0], second = size == 2 ? at[1] : 0;
    at += size;
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
  }
}

}  // namespace

PieceChannels ReadPieceChannels(const std::vector<uint8_t>& midi) {
  PieceChannels out;
  std::array<ChannelState, PieceChannels::kChannels> channels{};
  const uint8_t* const end = midi.data() + midi.size();
  const uint8_t* at = midi.data();
  // Chunks: a four-letter name and a length. The header is skipped with the others; only tracks are read.
  while (end - at >= 8) {
    const uint32_t length = BigEndian32(at + 4);
    const bool track = std::memcmp(at, "MTrk", 4) == 0;
    at += 8;
    const uint8_t* const chunkEnd = length > static_cast<size_t>(end - at) ? end : at + length;
    if (track) ReadTrack(at, chunkEnd, channels, out);
    at = chunkEnd;
  }
  return out;
}

}  // namespace wispen
