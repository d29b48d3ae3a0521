#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace wispen {

// What a piece's channels sound with before they name a program of their own, and every program it plays.
struct PieceChannels {
  static constexpr int kChannels = 16;
  static constexpr int kDrumChannel = 9;  // channel 10, which plays drum kits
  // For each channel whose first note comes before any program change on it: the bank chosen there by then
  // (controller 0; 0 when none is). Such a note sounds with program 0 of that bank, or on channel 10 with
  // the standard drum kit. Nothing for the other channels.
  std::array<std::optional<int>, kChannels> defaultProgramBank;

  struct Program {
    int bank = 0;
    int number = 0;
    bool drums = false;  // a kit, chosen on channel 10
    bool operator==(const Program&) const = default;
  };
  // Each program the piece names or plays with by default, once, in the order the tracks first hold it: the
  // first kMostPrograms of them (the game's pieces play up to eight).
  static constexpr size_t kMostPrograms = 16;
  std::vector<Program> programs;
};

// Reads a Standard MIDI file's tracks, each in its own order. A damaged or cut track is read as far as it
// goes: the synthesiser's player reads the same bytes and judges them itself.
PieceChannels ReadPieceChannels(const std::vector<uint8_t>& midi);

}  // namespace wispen
