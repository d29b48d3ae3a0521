#pragma once

#include <cstdint>
#include <vector>

namespace wispen::sound {

enum class StoredKind { Wave, Midi };

// The Data directory keeps each sound with its leading signature bytes overwritten (WAVE: 0-3 and 8-14,
// MIDI: 0-3 and 14-17); the game writes them back into its temporary copy before playing.
void OverwriteSignature(std::vector<uint8_t>& bytes, StoredKind kind);
void RestoreSignature(std::vector<uint8_t>& bytes, StoredKind kind);

}  // namespace wispen::sound
