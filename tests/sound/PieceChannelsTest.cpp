#include <gtest/gtest.h>

#include "PieceChannels.h"

namespace wispen::sound {
namespace {

std::vector<uint8_t> Track(std::vector<uint8_t> events) {
  const auto n = static_cast<uint32_t>(events.size());
  std::vector<uint8_t> chunk = {'M',       'T', 'r', 'k', uint8_t(n >> 24), uint8_t(n >> 16), uint8_t(n >> 8),
                                uint8_t(n)};
  chunk.insert(chunk.end(), events.begin(), events.end());
  return chunk;
}

// The channels that play before naming a program, the bank they chose by then, and every program played,
// whatever lies between: running status, meta and system exclusive events, a note-on of velocity 0 (a
// note-off), chunks of other kinds. Every cut of the file reads safely.
TEST(PieceChannels, ChannelsThatPlayBeforeNamingAProgramAndTheirBanks) {
  std::vector<uint8_t> midi = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2, 1, 0xE0};
  const std::vector<uint8_t> first =
      Track({0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // tempo
             0x00, 0xB2, 0x00, 0x08,                    // channel 3: bank 8, then a note
             0x00, 0x92, 0x3C, 0x40, 0x10, 0x3C, 0x00,  // the note-off in running status
             0x00, 0xF0, 0x02, 0x7E, 0xF7,              // a system exclusive event
             0x00, 0x95, 0x40, 0x00,                    // channel 6: velocity 0 is no note
             0x00, 0xC5, 0x30, 0x00, 0x95, 0x40, 0x50,  // ... and it names its program first
             0x00, 0xFF, 0x2F, 0x00});
  const std::vector<uint8_t> other = {'X', 'y', 'z', 'w', 0, 0, 0, 2, 0x90, 0x3C};
  const std::vector<uint8_t> second =
      Track({0x00, 0x99, 0x24, 0x64, 0x00, 0xC9, 0x10, 0x08, 0x91, 0x30, 0x40});
  for (const auto* part : {&first, &other, &second}) midi.insert(midi.end(), part->begin(), part->end());

  const PieceChannels read = ReadPieceChannels(midi);
  for (int channel = 0; channel < PieceChannels::kChannels; ++channel) {
    const std::optional<int> bank = read.defaultProgramBank[static_cast<size_t>(channel)];
    if (channel == 2) {
      EXPECT_EQ(bank, 8);
    } else if (channel == 9 || channel == 1) {
      EXPECT_EQ(bank, 0) << channel;
    } else {
      EXPECT_FALSE(bank) << channel;
    }
  }
  using P = PieceChannels::Program;
  const std::vector<P> programs = {{8, 0, false}, {0, 48, false}, {0, 0, true}, {0, 16, true}, {0, 0, false}};
  EXPECT_EQ(read.programs, programs);
  for (size_t size = 0; size < midi.size(); ++size)
    ReadPieceChannels(std::vector<uint8_t>(midi.begin(), midi.begin() + static_cast<std::ptrdiff_t>(size)));
}

}  // namespace
}  // namespace wispen::sound
