#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "WaveFile.h"

namespace wispen::sound {

// One voice of an effect. Times are seconds from the start of the effect, frequencies Hz.
struct EffectLayer {
  enum class Kind { Tone, Noise };
  Kind kind = Kind::Tone;
  double at = 0;
  double length = 0;
  double attack = 0.002;  // linear rise
  double decay = 0;       // time constant of the fall after the rise; 0 holds
  double fade = 0.01;     // linear fall over the layer's last seconds, so nothing clicks off
  double gain = 1;
  // Tone: partials (frequency ratio, loudness) gliding from freq to `to`; higher partials die sooner.
  double freq = 440;
  double to = 0;  // 0: no glide
  std::vector<std::pair<double, double>> partials{{1.0, 1.0}};
  // Noise: a band from low to high Hz that moves to low2..high2 over the layer; with a density, sparse
  // clicks (so many a second) instead of a steady hiss.
  double low = 20;
  double high = 20000;
  double low2 = 0;
  double high2 = 0;
  double density = 0;
};

// An effect: mono 16-bit at `rate`, `length` seconds, scaled so its loudest sample is `peak` of full scale.
// Noise comes from a fixed seed, so the same recipe always gives the same file.
struct EffectRecipe {
  int rate = 44100;
  uint32_t seed = 1;
  double length = 1;
  double peak = 0.8;
  std::vector<EffectLayer> layers;
};

// The recipe notation is described in content/effects/README.md. Throws SourceError on a mistake.
EffectRecipe ParseEffect(const std::string& text, const std::string& source);

PcmSound RenderEffect(const EffectRecipe& recipe);

}  // namespace wispen::sound
