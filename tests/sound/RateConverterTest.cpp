// The music's carriage from the synthesiser's rate to the device's: tones come through whole and clean,
// and the sound does not depend on how the input was split.

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "RateConverter.h"

namespace wispen {
namespace {

constexpr int kIn = 32000;

std::vector<int16_t> Tone(double hz, int rate, size_t frames) {
  std::vector<int16_t> s(2 * frames);
  for (size_t i = 0; i < frames; ++i) {
    s[2 * i] = static_cast<int16_t>(std::lround(20000 * std::sin(2 * M_PI * hz * double(i) / rate)));
    s[2 * i + 1] = static_cast<int16_t>(-s[2 * i]);
  }
  return s;
}

// Output frame 0 sits on input frame 0, so the output lines up with the tone made at its own rate; the
// difference, away from where the input starts and stops, is the filter's fault.
TEST(RateConverterTest, TonesComeThroughWholeWithoutImages) {
  for (const int outRate : {44100, 48000}) {
    for (const double hz : {440.0, 5000.0, 12000.0}) {
      RateConverter c(kIn, outRate);
      std::vector<int16_t> out;
      c.Push(Tone(hz, kIn, kIn / 4).data(), kIn / 4, out);
      EXPECT_NEAR(double(out.size() / 2), outRate / 4.0, RateConverter::kTaps) << outRate;
      const std::vector<int16_t> ideal = Tone(hz, outRate, out.size() / 2);
      double signal = 0, error = 0;
      for (size_t i = 200; i + 200 < out.size(); ++i) {
        signal += double(ideal[i]) * ideal[i];
        error += (double(out[i]) - ideal[i]) * (double(out[i]) - ideal[i]);
      }
      EXPECT_GT(10 * std::log10(signal / error), 70) << hz << " Hz to " << outRate;
    }
  }
  EXPECT_FALSE(RateConverter::Supports(kIn, 44101));  // 44,101 phases
}

TEST(RateConverterTest, TheSoundDoesNotDependOnHowTheInputIsSplit) {
  std::mt19937 random(7);
  std::vector<int16_t> in(2 * 6000);
  // Loud noise, then silence through which its end still rings.
  for (size_t i = 0; i < 2 * 3000; ++i) in[i] = static_cast<int16_t>(random() % 65536 - 32768);
  RateConverter whole(kIn, 44100), split(kIn, 44100);
  std::vector<int16_t> once, pieces;
  whole.Push(in.data(), 6000, once);
  for (size_t at = 0; at < 6000;) {
    const size_t before = pieces.size() / 2, want = 1 + random() % 700;
    const size_t n = std::min(split.InputFor(want), 6000 - at);
    split.Push(&in[2 * at], n, pieces);
    at += n;
    if (at < 6000) {
      EXPECT_GE(pieces.size() / 2 - before, want) << "at input frame " << at;
    }
  }
  EXPECT_EQ(pieces, once);
  EXPECT_NE(once[2 * (3000 * 44100 / kIn + 5)], 0);
  EXPECT_EQ(once[once.size() - 2], 0);
}

}  // namespace
}  // namespace wispen
