#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace wispen {

// Carries interleaved 16-bit stereo from one sample rate to another as it streams through, by a windowed
// sinc filter with a phase for every position an output frame can fall between two input frames. The output
// depends only on the input's frames, never on how they were split over the calls, so music rendered ahead
// in blocks of any size sounds the same. The coefficients are fixed point, so the result is the same on
// every machine.
class RateConverter {
 public:
  // Filter taps each output frame reads: keeps the frequencies that both rates carry and stops the images
  // above the lower rate's half by some 70 dB.
  static constexpr int kTaps = 48;
  // Rates whose ratio needs more phases than this (an odd device rate) are not converted.
  static constexpr int kMaxPhases = 2048;

  static bool Supports(int inRate, int outRate);
  // Only for rates that Supports.
  RateConverter(int inRate, int outRate);

  // Input frames still wanted before `outFrames` more output frames can be given (at least 1 when
  // outFrames > 0, so that asking always makes progress).
  size_t InputFor(size_t outFrames) const;
  // Takes `frames` input frames and appends to `out` every output frame they complete.
  void Push(const int16_t* stereo, size_t frames, std::vector<int16_t>& out);

 private:
  // phases_ output frames take the time of step_ input frames (the ratio in lowest terms).
  int phases_;
  int step_;
  std::vector<int16_t> coefficients_;  // kTaps for each phase
  // The input frames the next output frames still read, one channel each; frame 0 is input frame base_.
  std::vector<int16_t> left_, right_;
  int64_t base_;
  // The next output frame falls `phase_` / phases_ of a frame after input frame next_.
  int64_t next_;
  int phase_ = 0;
  // Input frames from here on are all silent: an output that reads only them is silent, not computed.
  int64_t silentFrom_;
};

}  // namespace wispen
