#pragma once

#include <vector>

#include "WaveFile.h"

namespace wispen::sound {

// A stretch of time, in seconds from the start of a sound, in which something can be heard.
struct Stretch {
  double start = 0;
  double end = 0;
  double Seconds() const { return end - start; }
};

// Stretches of 10 ms windows whose level is above floorDb (dB of full scale); quiet gaps shorter than
// bridge seconds are bridged.
std::vector<Stretch> SoundingStretches(const PcmSound& sound, double floorDb = -50, double bridge = 0.0);

struct Loudness {
  double seconds = 0;   // the whole sound
  double rmsDb = -200;  // over the sounding part, from the first to the last sound
  double peakDb = -200;
  double firstSound = 0;
  double lastSound = 0;
  double longestQuiet = 0;  // the longest gap between first and last sound
  double clippedShare = 0;  // samples at full scale
};

Loudness MeasureLoudness(const PcmSound& sound, double floorDb = -50);

}  // namespace wispen::sound
