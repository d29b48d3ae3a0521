#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "EffectRecipe.h"

namespace wispen::sound {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

double Envelope(const EffectLayer& layer, double t, double decay) {
  double level = layer.attack > 0 && t < layer.attack ? t / layer.attack : 1.0;
  if (decay > 0 && t > layer.attack) level *= std::exp(-(t - layer.attack) / decay);
  const double left = layer.length - t;
  if (layer.fade > 0 && left < layer.fade) level *= std::max(0.0, left / layer.fade);
  return level;
}

// Moves from a to b over the layer on a logarithmic scale, as the ear hears pitch.
double Glide(double a, double b, double share) {
  return b > 0 ? a * std::pow(b / a, share) : a;
}

// A uniform value in [-1, 1) from the generator's bits alone, so every standard library gives the same.
double Uniform(std::mt19937& random) {
  return static_cast<double>(random() >> 8) / (1 << 23) - 1.0;
}

void AddTone(const EffectLayer& layer, int rate, std::vector<double>& mix, size_t first, size_t count) {
  for (const auto& [ratio, loudness] : layer.partials) {
    // Higher partials die sooner, as they do on a struck bell or string.
    const double decay = layer.decay > 0 ? layer.decay / std::sqrt(ratio) : 0;
    double phase = 0;
    for (size_t i = 0; i < count; ++i) {
      const double t = static_cast<double>(i) / rate;
      const double freq = Glide(layer.freq, layer.to, t / layer.length) * ratio;
      if (freq < rate / 2.0)
        mix[first + i] += layer.gain * loudness * Envelope(layer, t, decay) * std::sin(phase);
      phase = std::fmod(phase + kTwoPi * freq / rate, kTwoPi);
    }
  }
}

// A one-pole smoother; the highpass is what the lowpass leaves out.
struct OnePole {
  double state = 0;
  double Low(double x, double cutoff, int rate) {
    state += (1 - std::exp(-kTwoPi * cutoff / rate)) * (x - state);
    return state;
  }
};

void AddNoise(const EffectLayer& layer, int rate, uint32_t seed, std::vector<double>& mix, size_t first,
              size_t count) {
  std::mt19937 random(seed);
  OnePole highpass;
  OnePole lowpass1;
  OnePole lowpass2;
  for (size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double share = t / layer.length;
    double x = Uniform(random);
    if (layer.density > 0) {
      const double click = (Uniform(random) + 1) / 2;
      x = click < layer.density / rate ? (x < 0 ? -1 : 1) * (0.5 + 0.5 * std::abs(Uniform(random))) : 0;
    }
    const double low = Glide(layer.low, layer.low2, share);
    const double high = Glide(layer.high, layer.high2, share);
    const double band = x - highpass.Low(x, low, rate);
    const double y = lowpass2.Low(lowpass1.Low(band, high, rate), high, rate);
    mix[first + i] += layer.gain * Envelope(layer, t, layer.decay) * y;
  }
}

}  // namespace

PcmSound RenderEffect(const EffectRecipe& recipe) {
  const auto frames = static_cast<size_t>(std::lround(recipe.length * recipe.rate));
  std::vector<double> mix(frames, 0.0);
  for (size_t n = 0; n < recipe.layers.size(); ++n) {
    const EffectLayer& layer = recipe.layers[n];
    const auto first = static_cast<size_t>(std::lround(layer.at * recipe.rate));
    if (first >= frames) continue;
    const size_t count =
        std::min(frames - first, static_cast<size_t>(std::lround(layer.length * recipe.rate)));
    if (layer.kind == EffectLayer::Kind::Tone) {
      AddTone(layer, recipe.rate, mix, first, count);
    } else {
      AddNoise(layer, recipe.rate, recipe.seed * 1000u + static_cast<uint32_t>(n), mix, first, count);
    }
  }
  double loudest = 0;
  for (double v : mix) loudest = std::max(loudest, std::abs(v));
  const double scale = loudest > 0 ? recipe.peak * 32767.0 / loudest : 0;
  PcmSound sound;
  sound.sampleRate = recipe.rate;
  sound.channels = 1;
  sound.samples.reserve(frames);
  for (double v : mix)
    sound.samples.push_back(static_cast<int16_t>(std::clamp(std::lround(v * scale), -32767L, 32767L)));
  return sound;
}

}  // namespace wispen::sound
