#include "core/MidiTracks.h"

namespace wispen {

namespace {

constexpr uint8_t kMeta = 0xFF;
constexpr uint8_t kEndOfTrack = 0x2F;

class TrackBytes {
 public:
  explicit TrackBytes(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  bool AtEnd() const { return at_ >= bytes_.size(); }
  void Back() { --at_; }

  std::optional<uint8_t> Byte() {
    if (AtEnd()) return std::nullopt;
    return bytes_[at_++];
  }

  // A variable-length number: at most four bytes, seven bits each.
  std::optional<uint32_t> Variable() {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
      const std::optional<uint8_t> byte = Byte();
      if (!byte) return std::nullopt;
      value = (value << 7) | (*byte & 0x7Fu);
      if ((*byte & 0x80u) == 0) return value;
    }
    return std::nullopt;
  }

  std::optional<std::span<const uint8_t>> Take(size_t length) {
    if (length > bytes_.size() - at_) return std::nullopt;
    at_ += length;
    return bytes_.subspan(at_ - length, length);
  }

 private:
  std::span<const uint8_t> bytes_;
  size_t at_ = 0;
};

// Hands over one track's events up to its end-of-track event; returns what stopped it before that.
std::optional<std::string> WalkTrack(std::span<const uint8_t> bytes, int track,
                                     const std::function<void(int, const MidiTrackEvent&)>& onEvent) {
  TrackBytes in(bytes);
  uint32_t tick = 0;
  uint8_t running = 0;
  while (!in.AtEnd()) {
    const std::optional<uint32_t> delta = in.Variable();
    if (!delta) return "a track ends inside an event time, or the time is too long";
    tick += *delta;
    const std::optional<uint8_t> first = in.Byte();
    if (!first) return "a track ends before its event";
    MidiTrackEvent event{tick, *first, 0, {}};
    if (*first == kMeta || *first == 0xF0 || *first == 0xF7) {
      const std::optional<uint8_t> type = *first == kMeta ? in.Byte() : uint8_t{0};
      const std::optional<uint32_t> length = type ? in.Variable() : std::nullopt;
      const std::optional<std::span<const uint8_t>> body = length ? in.Take(*length) : std::nullopt;
      if (!body) return "a meta or system exclusive event runs past its track";
      event.metaType = *type;
      event.data = *body;
      running = 0;  // neither kind leaves a running status
      onEvent(track, event);
      if (*first == kMeta && *type == kEndOfTrack) return std::nullopt;
      continue;
    }
    if (*first > 0xF0) return "a system message inside a track";
    if ((*first & 0x80u) != 0) {
      running = *first;
    } else if (running == 0) {
      return "a data byte with no running status";
    } else {
      in.Back();  // running status: the byte is the message's first data byte
    }
    const uint8_t kind = running & 0xF0;
    const std::optional<std::span<const uint8_t>> data = in.Take(kind == 0xC0 || kind == 0xD0 ? 1 : 2);
    if (!data) return "a track ends inside an event's data";
    for (const uint8_t byte : *data)
      if ((byte & 0x80u) != 0) return "a status byte where data was due";
    event.status = running;
    event.data = *data;
    onEvent(track, event);
  }
  return "a track has no end-of-track event";
}

}  // namespace

MidiTrackWalk WalkMidiTracks(std::span<const uint8_t> chunks,
                             const std::function<void(int track, const MidiTrackEvent&)>& onEvent) {
  MidiTrackWalk walk;
  const auto note = [&walk](std::string fault) {
    if (!walk.fault) walk.fault = std::move(fault);
  };
  size_t at = 0;
  while (at < chunks.size()) {
    if (chunks.size() - at < 8) {
      note("the file ends inside a chunk's header");
      break;
    }
    const std::string tag(chunks.begin() + static_cast<std::ptrdiff_t>(at),
                          chunks.begin() + static_cast<std::ptrdiff_t>(at + 4));
    size_t length = (size_t{chunks[at + 4]} << 24) | (size_t{chunks[at + 5]} << 16) |
                    (size_t{chunks[at + 6]} << 8) | chunks[at + 7];
    at += 8;
    if (length > chunks.size() - at) {
      note("the chunk '" + tag + "' runs past the end of the file");
      length = chunks.size() - at;
    }
    if (tag == "MTrk") {
      if (std::optional<std::string> fault = WalkTrack(chunks.subspan(at, length), walk.tracks, onEvent))
        note(std::move(*fault));
      ++walk.tracks;
    }
    at += length;
  }
  return walk;
}

}  // namespace wispen
