#pragma once

#include <span>
#include <string>

#include "Bytes.h"

namespace wispen::formats {

// What a data file holds; the game restores the signature of its kind before it hands a copy to the platform.
enum class DataKind { Bitmap = 0, Wave = 1, Midi = 2 };

// Overwrites the signature bytes of `kind` with bytes of our own, so that the game's extraction has real work
// to do and a data file is no picture or sound to other programs. Throws FormatError for a file too short
// to hold its signatures.
void HideSignature(Bytes& bytes, DataKind kind);

// Writes the signature bytes back, as the game's extraction does.
void RestoreSignature(Bytes& bytes, DataKind kind);

// True when the signature bytes of `kind` are the format's own.
bool HasSignature(std::span<const uint8_t> bytes, DataKind kind);

// Writes `bytes` as a data file with hidden signatures.
void WriteDataFile(const std::string& path, Bytes bytes, DataKind kind);

// Reads a data file and gives its bytes back with the signatures restored.
Bytes ReadDataFile(const std::string& path, DataKind kind);

}  // namespace wispen::formats
