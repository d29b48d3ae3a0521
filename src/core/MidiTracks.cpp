#include "core/MidiTracks.h"

#include "core/Bytes.h"

namespace wispen {

namespace {

constexpr uint8_t kMeta = 0xFF;
constexpr uint8_t kEndOfTrack = 0x2F;

// A variable-length number: at most four bytes, seven bits each.
uint32_t ReadVariable(ByteReader& in, const char* field) {
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    const uint8_t byte = in.Byte(field);
    value = (value << 7) | (byte & 0x7Fu);
    if ((byte & 0x80u) == 0) return value;
  }
  throw FormatError(std::string("too long a number in ") + field);
}

std::span<const uint8_t> Take(ByteReader& in, std::span<const uint8_t> bytes, size_t length,
                              const char* field) {
  const size_t at = in.Offset();
  in.Skip(length, field);
  return bytes.subspan(at, length);
}

// Hands over one track's events up to its end-of-track event; returns what stopped it before that.
std::optional<std::string> WalkTrack(std::span<const uint8_t> bytes,
                                     const std::function<void(const MidiTrackEvent&)>& onEvent) {
  ByteReader in(bytes, "a track");
  uint32_t tick = 0;
  uint8_t running = 0;
  try {
    while (!in.AtEnd()) {
      tick += ReadVariable(in, "an event time");
      const uint8_t first = in.Byte("an event");
      MidiTrackEvent event{tick, first, 0, {}};
      if (first == kMeta || first == 0xF0 || first == 0xF7) {
        if (first == kMeta) event.metaType = in.Byte("a meta event");
        event.data =
            Take(in, bytes, ReadVariable(in, "an event's length"), "a meta or system exclusive event");
        running = 0;  // neither kind leaves a running status
        onEvent(event);
        if (first == kMeta && event.metaType == kEndOfTrack) return std::nullopt;
        continue;
      }
      if (first > 0xF0) return "a system message inside a track";
      if ((first & 0x80u) != 0) {
        running = first;
      } else if (running == 0) {
        return "a data byte with no running status";
      } else {
        in.Seek(in.Offset() - 1);  // running status: the byte is the message's first data byte
      }
      const uint8_t kind = running & 0xF0;
      event.status = running;
      event.data = Take(in, bytes, kind == 0xC0 || kind == 0xD0 ? 1 : 2, "an event's data");
      for (const uint8_t byte : event.data)
        if ((byte & 0x80u) != 0) return "a status byte where data was due";
      onEvent(event);
    }
  } catch (const FormatError& cut) {
    return cut.what();
  }
  return "a track has no end-of-track event";
}

}  // namespace

MidiTrackWalk WalkMidiTracks(std::span<const uint8_t> chunks,
                             const std::function<void(const MidiTrackEvent&)>& onEvent) {
  MidiTrackWalk walk;
  const auto note = [&walk](std::string fault) {
    if (!walk.fault) walk.fault = std::move(fault);
  };
  ByteReader file(chunks);
  while (!file.AtEnd()) {
    if (file.Remaining() < 8) {
      note("the file ends inside a chunk's header");
      break;
    }
    const std::string tag = file.Text(4, "a chunk tag");
    size_t length = file.Be(4, "a chunk length");
    if (length > file.Remaining()) {
      note("the chunk '" + tag + "' runs past the end of the file");
      length = file.Remaining();
    }
    if (tag == "MTrk") {
      if (std::optional<std::string> fault = WalkTrack(chunks.subspan(file.Offset(), length), onEvent))
        note(std::move(*fault));
      ++walk.tracks;
    }
    file.Skip(length, "a chunk");
  }
  return walk;
}

}  // namespace wispen
