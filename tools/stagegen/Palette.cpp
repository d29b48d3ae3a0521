#include "Palette.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace wispen::stagegen {

TColor Ramp::At(double t) const {
  if (Stops.empty()) return clWhite;
  if (Stops.size() == 1) return Stops.front();
  t = std::clamp(t, 0.0, 1.0) * static_cast<double>(Stops.size() - 1);
  const size_t i = std::min(static_cast<size_t>(t), Stops.size() - 2);
  const double f = t - static_cast<double>(i);
  auto mix = [f](int a, int b) { return static_cast<uint8_t>(std::lround(a + (b - a) * f)); };
  const TColor a = Stops[i], b = Stops[i + 1];
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

namespace {

// Lifts a colour that would read as black on screen, keeping its hue.
TColor Visible(TColor c) {
  const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  const int top = std::max({r, g, b});
  if (top >= kMinDemonChannel) return c;
  if (top == 0) return RGB(kMinDemonChannel, kMinDemonChannel / 2, kMinDemonChannel / 2);
  const double k = static_cast<double>(kMinDemonChannel) / top;
  return RGB(static_cast<uint8_t>(std::lround(r * k)), static_cast<uint8_t>(std::lround(g * k)),
             static_cast<uint8_t>(std::lround(b * k)));
}

}  // namespace

Palette::Palette(const std::vector<TColor>& reserved, const std::map<std::string, Ramp>& ramps) {
  colours_.push_back(clBlack);
  for (TColor c : reserved) colours_.push_back(c);
  if (ramps.empty()) throw std::invalid_argument("a palette needs at least one ramp");
  levels_ = static_cast<int>((256 - colours_.size()) / ramps.size());
  if (levels_ < 2) throw std::invalid_argument("too many ramps for one palette");
  for (const auto& [name, ramp] : ramps) {
    ramps_[name] = static_cast<int>(bases_.size());
    bases_.push_back(static_cast<int>(colours_.size()));
    for (int i = 0; i < levels_; ++i)
      colours_.push_back(Visible(ramp.At(static_cast<double>(i) / (levels_ - 1))));
  }
}

int Palette::RampId(const std::string& name) const {
  auto it = ramps_.find(name);
  if (it == ramps_.end()) throw std::invalid_argument("no colour ramp named '" + name + "'");
  return it->second;
}

}  // namespace wispen::stagegen
