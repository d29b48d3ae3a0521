#include "RateConverter.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <numeric>

namespace wispen {

namespace {

constexpr int kHalf = RateConverter::kTaps / 2;
// Where the filter has fallen to half, as a share of the lower rate: most of what lies below it is kept
// whole, and the images that a higher output rate would carry start above it.
constexpr double kCutoff = 0.48;
// The Kaiser window's shape: some 70 dB below the passband from about 1.7 kHz past the cutoff at 32 kHz.
constexpr double kBeta = 7.5;
// 1.0 in the coefficients' fixed point: 14 bits, so that a sum of 48 products of full-scale samples, whose
// coefficients' magnitudes add up to 2.4 at most, stays within 32 bits.
constexpr int kOneBits = 14;
constexpr int kOne = 1 << kOneBits;

double BesselI0(double x) {
  double sum = 1, term = 1;
  for (int k = 1; k < 40 && term > 1e-12 * sum; ++k) {
    term *= (x / (2 * k)) * (x / (2 * k));
    sum += term;
  }
  return sum;
}

}  // namespace

bool RateConverter::Supports(int inRate, int outRate) {
  if (inRate <= 0 || outRate <= 0) return false;
  return outRate / std::gcd(inRate, outRate) <= kMaxPhases;
}

RateConverter::RateConverter(int inRate, int outRate)
    : phases_(outRate / std::gcd(inRate, outRate)),
      step_(inRate / std::gcd(inRate, outRate)),
      coefficients_(static_cast<size_t>(phases_) * kTaps),
      left_(kHalf - 1),
      right_(kHalf - 1),
      // Silence before the first frame, so that the first output frame sits on input frame 0.
      base_(-(kHalf - 1)),
      next_(0),
      silentFrom_(base_) {
  // In cycles per input frame; going down, the output's half rate is the lower one.
  const double cutoff = kCutoff * std::min(1.0, double(phases_) / step_);
  const double pi = std::acos(-1.0);
  for (int p = 0; p < phases_; ++p) {
    double taps[kTaps];
    double sum = 0;
    for (int k = 0; k < kTaps; ++k) {
      // How far the output frame lies after the input frame this tap reads.
      const double t = double(p) / phases_ + (kHalf - 1 - k);
      const double x = 2 * cutoff * t;
      const double sinc = x == 0 ? 1 : std::sin(pi * x) / (pi * x);
      const double edge = t / kHalf;
      const double window = BesselI0(kBeta * std::sqrt(std::max(0.0, 1 - edge * edge))) / BesselI0(kBeta);
      taps[k] = 2 * cutoff * sinc * window;
      sum += taps[k];
    }
    // Each phase passes a constant exactly: otherwise the phases' small differences in gain would be a
    // faint tone at the rate they repeat.
    int16_t* row = &coefficients_[static_cast<size_t>(p) * kTaps];
    int total = 0;
    for (int k = 0; k < kTaps; ++k) {
      row[k] = static_cast<int16_t>(std::lround(taps[k] / sum * kOne));
      total += row[k];
    }
    *std::max_element(row, row + kTaps) += static_cast<int16_t>(kOne - total);
    [[maybe_unused]] int magnitude = 0;
    for (int k = 0; k < kTaps; ++k) magnitude += std::abs(row[k]);
    assert(int64_t{magnitude} * 32768 <= INT32_MAX);
  }
}

size_t RateConverter::InputFor(size_t outFrames) const {
  if (outFrames == 0) return 0;
  const int64_t last = next_ + (phase_ + int64_t(outFrames - 1) * step_) / phases_;
  const int64_t have = base_ + static_cast<int64_t>(left_.size());
  return static_cast<size_t>(std::max<int64_t>(last + kHalf + 1 - have, 1));
}

void RateConverter::Push(const int16_t* stereo, size_t frames, std::vector<int16_t>& out) {
  const size_t held = left_.size();
  left_.resize(held + frames);
  right_.resize(held + frames);
  size_t lastSound = 0;  // one past the last input frame that is not silent, 0 for none
  for (size_t i = 0; i < frames; ++i) {
    left_[held + i] = stereo[2 * i];
    right_[held + i] = stereo[2 * i + 1];
    if ((stereo[2 * i] | stereo[2 * i + 1]) != 0) lastSound = i + 1;
  }
  if (lastSound > 0) silentFrom_ = base_ + static_cast<int64_t>(held + lastSound);

  // Output frame next_ + m reads input frames up to next_ + (phase_ + m * step_) / phases_ + kHalf.
  const int64_t have = base_ + static_cast<int64_t>(left_.size());
  const int64_t room = have - kHalf - next_;
  const int64_t count = room <= 0 ? 0 : (room * phases_ - phase_ + step_ - 1) / step_;
  const size_t at = out.size();
  out.resize(at + 2 * static_cast<size_t>(count));
  int16_t* o = out.data() + at;
  for (int64_t m = 0; m < count; ++m, o += 2) {
    const int64_t first = next_ - kHalf + 1;
    int32_t l = 0, r = 0;
    if (first < silentFrom_) {
      const int16_t* c = &coefficients_[static_cast<size_t>(phase_) * kTaps];
      const int16_t* a = &left_[static_cast<size_t>(first - base_)];
      const int16_t* b = &right_[static_cast<size_t>(first - base_)];
      // Cannot overflow: see kOneBits.
      for (int k = 0; k < kTaps; ++k) {
        l += int32_t{c[k]} * a[k];
        r += int32_t{c[k]} * b[k];
      }
    }
    o[0] = static_cast<int16_t>(std::clamp((l + kOne / 2) >> kOneBits, -32768, 32767));
    o[1] = static_cast<int16_t>(std::clamp((r + kOne / 2) >> kOneBits, -32768, 32767));
    // Not a division: it would cost more than the silent frames' whole work.
    for (phase_ += step_; phase_ >= phases_; phase_ -= phases_) ++next_;
  }
  const int64_t keep = next_ - kHalf + 1;
  if (keep > base_) {
    const auto drop = static_cast<std::ptrdiff_t>(std::min<int64_t>(keep - base_, int64_t(left_.size())));
    left_.erase(left_.begin(), left_.begin() + drop);
    right_.erase(right_.begin(), right_.begin() + drop);
    base_ += drop;
  }
}

}  // namespace wispen
