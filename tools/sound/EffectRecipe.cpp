#include "EffectRecipe.h"

#include <charconv>
#include <sstream>

#include "ScoreTokens.h"

namespace wispen::sound {

namespace {

class RecipeLine {
 public:
  RecipeLine(const std::string& source, int line) : source_(source), line_(line) {}
  [[noreturn]] void Fail(const std::string& what) const { throw SourceError(source_, line_, what); }

  double Number(const std::string& text, double low, double high) const {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) Fail("'" + text + "' is not a number");
    if (value < low || value > high) Fail(text + " is outside " + Show(low) + ".." + Show(high));
    return value;
  }

  std::vector<std::pair<double, double>> Partials(const std::string& text) const {
    std::vector<std::pair<double, double>> out;
    std::istringstream list(text);
    std::string item;
    while (std::getline(list, item, ',')) {
      const size_t colon = item.find(':');
      if (colon == std::string::npos) Fail("a partial reads RATIO:LOUDNESS, not '" + item + "'");
      out.emplace_back(Number(item.substr(0, colon), 0.01, 64), Number(item.substr(colon + 1), 0, 10));
    }
    if (out.empty()) Fail("no partials");
    return out;
  }

 private:
  static std::string Show(double v) {
    std::ostringstream s;
    s << v;
    return s.str();
  }
  const std::string& source_;
  int line_;
};

void SetLayerValue(EffectLayer& layer, const std::string& name, const std::string& value,
                   const RecipeLine& at) {
  const bool tone = layer.kind == EffectLayer::Kind::Tone;
  auto hz = [&] { return at.Number(value, 1, 22000); };
  auto seconds = [&] { return at.Number(value, 0, 60); };
  if (name == "at")
    layer.at = seconds();
  else if (name == "len")
    layer.length = seconds();
  else if (name == "attack")
    layer.attack = seconds();
  else if (name == "decay")
    layer.decay = seconds();
  else if (name == "fade")
    layer.fade = seconds();
  else if (name == "gain")
    layer.gain = at.Number(value, 0, 10);
  else if (tone && name == "freq")
    layer.freq = hz();
  else if (tone && name == "to")
    layer.to = hz();
  else if (tone && name == "partials")
    layer.partials = at.Partials(value);
  else if (!tone && name == "low")
    layer.low = hz();
  else if (!tone && name == "high")
    layer.high = hz();
  else if (!tone && name == "low2")
    layer.low2 = hz();
  else if (!tone && name == "high2")
    layer.high2 = hz();
  else if (!tone && name == "density")
    layer.density = at.Number(value, 0, 20000);
  else
    at.Fail("a " + std::string(tone ? "tone" : "noise") + " layer has no setting '" + name + "'");
}

}  // namespace

EffectRecipe ParseEffect(const std::string& text, const std::string& source) {
  EffectRecipe recipe;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    const RecipeLine at(source, number);
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::string head;
    if (!(words >> head)) continue;
    if (head == "tone" || head == "noise") {
      EffectLayer layer;
      layer.kind = head == "tone" ? EffectLayer::Kind::Tone : EffectLayer::Kind::Noise;
      std::string setting;
      while (words >> setting) {
        const size_t eq = setting.find('=');
        if (eq == std::string::npos) at.Fail("a setting reads NAME=VALUE, not '" + setting + "'");
        SetLayerValue(layer, setting.substr(0, eq), setting.substr(eq + 1), at);
      }
      if (layer.length <= 0) at.Fail("a layer needs len=SECONDS");
      recipe.layers.push_back(layer);
      continue;
    }
    std::string value;
    if (!(words >> value)) at.Fail("'" + head + "' needs a value");
    if (head == "rate") {
      recipe.rate = static_cast<int>(at.Number(value, 0, 1e6));
      if (recipe.rate != 22050 && recipe.rate != 44100) at.Fail("the rate is 22050 or 44100");
    } else if (head == "seed") {
      recipe.seed = static_cast<uint32_t>(at.Number(value, 0, 4e9));
    } else if (head == "length") {
      recipe.length = at.Number(value, 0.01, 30);
    } else if (head == "peak") {
      recipe.peak = at.Number(value, 0.01, 1);
    } else {
      at.Fail("'" + head + "' is not rate, seed, length, peak, tone or noise");
    }
    if (words >> value) at.Fail("'" + head + "' takes one value");
  }
  if (recipe.layers.empty()) throw SourceError(source, number, "the recipe has no layers");
  return recipe;
}

}  // namespace wispen::sound
