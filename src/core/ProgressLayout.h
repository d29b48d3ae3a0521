#pragma once

#include <array>
#include <cstddef>

#include "core/GameState.h"

namespace wispen {

// The progress file: the reserved word, StagesOpen, SoulsUsed, the ten high-score entries (Stage, Conquest,
// Use, Point) and SpeedFactor, little-endian, one after the other, no header.
constexpr int kProgressFileSize = 174;
using ProgressBytes = std::array<unsigned char, kProgressFileSize>;

// The size of the field that starts at byte `at`: 2 for the reserved word, 4 for every other.
constexpr size_t ProgressFieldSize(size_t at) {
  return at == 0 ? 2 : 4;
}

// The file's bytes for the state.
ProgressBytes EncodeProgress(const GameState& s);

// Sets the stored fields of the state from the file's bytes; nothing else changes.
void DecodeProgress(const ProgressBytes& bytes, GameState& s);

}  // namespace wispen
