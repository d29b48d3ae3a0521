#include "core/DataSignature.h"

#include <algorithm>
#include <string>

namespace wispen {

namespace {

void CheckLength(std::span<const uint8_t> bytes, DataKind kind) {
  for (const DataSignature& s : SignaturesOf(kind)) {
    if (bytes.size() < s.Offset + s.Text.size()) {
      throw FormatError("data file of " + std::to_string(bytes.size()) +
                        " bytes is too short for its signature");
    }
  }
}

void Put(std::span<uint8_t> bytes, size_t at, std::string_view text) {
  std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

// The hidden bytes are those the data files have always been built with; any bytes would do for the game.
std::span<const DataSignature> SignaturesOf(DataKind kind) {
  static constexpr DataSignature kBitmap[] = {{0, "BM", "Wi"}};
  static constexpr DataSignature kWave[] = {{0, "RIFF", "Wsp~"}, {8, "WAVEfmt", "wispen!"}};
  static constexpr DataSignature kMidi[] = {{0, "MThd", "Wsp~"}, {14, "MTrk", "wisp"}};
  switch (kind) {
    case DataKind::Bitmap:
      return kBitmap;
    case DataKind::Wave:
      return kWave;
    case DataKind::Midi:
      return kMidi;
  }
  return {};
}

void HideSignature(std::span<uint8_t> bytes, DataKind kind) {
  CheckLength(bytes, kind);
  for (const DataSignature& s : SignaturesOf(kind)) Put(bytes, s.Offset, s.Hidden);
}

void RestoreSignature(std::span<uint8_t> bytes, DataKind kind) {
  CheckLength(bytes, kind);
  for (const DataSignature& s : SignaturesOf(kind)) Put(bytes, s.Offset, s.Text);
}

bool HasSignature(std::span<const uint8_t> bytes, DataKind kind) {
  for (const DataSignature& s : SignaturesOf(kind)) {
    if (bytes.size() < s.Offset + s.Text.size() ||
        !std::equal(s.Text.begin(), s.Text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(s.Offset))) {
      return false;
    }
  }
  return true;
}

}  // namespace wispen
