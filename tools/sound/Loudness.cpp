#include "Loudness.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace wispen::sound {

namespace {

constexpr double kWindow = 0.01;

double Db(double share) {
  return share > 0 ? 20 * std::log10(share) : -200;
}

// The level of each 10 ms window, in dB of full scale.
std::vector<double> WindowLevels(const PcmSound& sound) {
  const size_t step = std::max<size_t>(1, static_cast<size_t>(kWindow * sound.sampleRate)) *
                      static_cast<size_t>(std::max(1, sound.channels));
  std::vector<double> levels;
  for (size_t at = 0; at < sound.samples.size(); at += step) {
    const size_t end = std::min(sound.samples.size(), at + step);
    double sum = 0;
    for (size_t i = at; i < end; ++i) sum += static_cast<double>(sound.samples[i]) * sound.samples[i];
    levels.push_back(Db(std::sqrt(sum / static_cast<double>(end - at)) / 32768.0));
  }
  return levels;
}

}  // namespace

std::vector<Stretch> SoundingStretches(const PcmSound& sound, double floorDb, double bridge) {
  std::vector<Stretch> out;
  const std::vector<double> levels = WindowLevels(sound);
  for (size_t w = 0; w < levels.size(); ++w) {
    if (levels[w] <= floorDb) continue;
    const double start = static_cast<double>(w) * kWindow;
    if (!out.empty() && start - out.back().end <= bridge + 1e-9) {
      out.back().end = start + kWindow;
    } else {
      out.push_back(Stretch{start, start + kWindow});
    }
  }
  return out;
}

Loudness MeasureLoudness(const PcmSound& sound, double floorDb) {
  Loudness result;
  result.seconds = sound.Seconds();
  const std::vector<Stretch> stretches = SoundingStretches(sound, floorDb);
  if (stretches.empty()) return result;
  result.firstSound = stretches.front().start;
  result.lastSound = stretches.back().end;
  for (size_t i = 1; i < stretches.size(); ++i) {
    result.longestQuiet = std::max(result.longestQuiet, stretches[i].start - stretches[i - 1].end);
  }
  const size_t perSecond = static_cast<size_t>(sound.sampleRate) * static_cast<size_t>(sound.channels);
  const size_t first = static_cast<size_t>(result.firstSound * static_cast<double>(perSecond));
  const size_t last =
      std::min(sound.samples.size(), static_cast<size_t>(result.lastSound * static_cast<double>(perSecond)));
  double sum = 0;
  int peak = 0;
  size_t clipped = 0;
  for (size_t i = first; i < last; ++i) {
    const int s = sound.samples[i];
    sum += static_cast<double>(s) * s;
    peak = std::max(peak, std::abs(s));
    if (std::abs(s) >= 32767) ++clipped;
  }
  const double count = static_cast<double>(std::max<size_t>(1, last - first));
  result.rmsDb = Db(std::sqrt(sum / count) / 32768.0);
  result.peakDb = Db(peak / 32768.0);
  result.clippedShare = static_cast<double>(clipped) / count;
  return result;
}

}  // namespace wispen::sound
