#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "core/Bytes.h"

namespace wispen {

// What a data file holds. The game keeps the number of the kind; these are its values.
enum class DataKind { Bitmap = 0, Wave = 1, Midi = 2 };

// A data file is stored with its format's signature bytes overwritten, so that it is no picture or sound to
// other programs; the game writes them back into a temporary copy before the platform reads it.
struct DataSignature {
  size_t Offset;
  std::string_view Text;    // the format's own bytes: "BM"; "RIFF" and "WAVEfmt"; "MThd" and "MTrk"
  std::string_view Hidden;  // what the stored file holds there instead, every byte unlike the format's
};

std::span<const DataSignature> SignaturesOf(DataKind kind);

// Both throw FormatError for data too short to hold the signatures.
void HideSignature(std::span<uint8_t> bytes, DataKind kind);
void RestoreSignature(std::span<uint8_t> bytes, DataKind kind);

// True when the signature bytes of `kind` are the format's own.
bool HasSignature(std::span<const uint8_t> bytes, DataKind kind);

}  // namespace wispen
