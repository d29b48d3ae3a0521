#include "DataFile.h"

#include <cstring>

namespace wispen::formats {

namespace {

struct Signature {
  size_t Offset;
  const char* Text;
};

// Bitmaps carry "BM" at 0; waves "RIFF" at 0 and "WAVEfmt" at 8; MIDI "MThd" at 0 and "MTrk" at 14.
std::span<const Signature> SignaturesOf(DataKind kind) {
  static constexpr Signature kBitmap[] = {{0, "BM"}};
  static constexpr Signature kWave[] = {{0, "RIFF"}, {8, "WAVEfmt"}};
  static constexpr Signature kMidi[] = {{0, "MThd"}, {14, "MTrk"}};
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

void CheckLength(std::span<const uint8_t> bytes, DataKind kind) {
  for (const Signature& s : SignaturesOf(kind)) {
    if (bytes.size() < s.Offset + std::strlen(s.Text)) {
      throw FormatError("data file of " + std::to_string(bytes.size()) +
                        " bytes is too short for its signature");
    }
  }
}

}  // namespace

void HideSignature(Bytes& bytes, DataKind kind) {
  CheckLength(bytes, kind);
  // "Wispen" spelled into the signature places; any bytes would do for the game.
  static constexpr char kMark[] = "WispenWisp";
  for (const Signature& s : SignaturesOf(kind)) {
    std::memcpy(&bytes[s.Offset], kMark, std::strlen(s.Text));
  }
}

void RestoreSignature(Bytes& bytes, DataKind kind) {
  CheckLength(bytes, kind);
  for (const Signature& s : SignaturesOf(kind)) std::memcpy(&bytes[s.Offset], s.Text, std::strlen(s.Text));
}

bool HasSignature(std::span<const uint8_t> bytes, DataKind kind) {
  for (const Signature& s : SignaturesOf(kind)) {
    const size_t n = std::strlen(s.Text);
    if (bytes.size() < s.Offset + n || std::memcmp(&bytes[s.Offset], s.Text, n) != 0) return false;
  }
  return true;
}

void WriteDataFile(const std::string& path, Bytes bytes, DataKind kind) {
  HideSignature(bytes, kind);
  WriteFileBytes(path, bytes);
}

Bytes ReadDataFile(const std::string& path, DataKind kind) {
  Bytes bytes = ReadFileBytes(path);
  RestoreSignature(bytes, kind);
  return bytes;
}

}  // namespace wispen::formats
