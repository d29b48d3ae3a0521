#include <gtest/gtest.h>

#include <cmath>

#include "EffectRecipe.h"
#include "Loudness.h"
#include "ScoreTokens.h"

namespace wispen::sound {
namespace {

std::string RecipeErrorOf(const std::string& recipe) {
  try {
    ParseEffect(recipe, "test.fx");
  } catch (const SourceError& e) {
    return e.what();
  }
  return "no error";
}

// Rising zero crossings in [from, to) seconds, over the span: the frequency of a plain tone.
double Frequency(const PcmSound& sound, double from, double to) {
  const auto a = static_cast<size_t>(from * sound.sampleRate);
  const auto b = static_cast<size_t>(to * sound.sampleRate);
  int crossings = 0;
  for (size_t i = a + 1; i < b; ++i) crossings += sound.samples[i - 1] < 0 && sound.samples[i] >= 0;
  return crossings / (to - from);
}

TEST(EffectRecipeTest, AToneHasItsPitchGlideLengthAndPeak) {
  const PcmSound sound =
      RenderEffect(ParseEffect("rate 22050\nlength 1.0\npeak 0.5\n"
                               "tone at=0.1 len=0.8 freq=400 to=200 attack=0.01\n",
                               "t"));
  EXPECT_EQ(sound.sampleRate, 22050);
  EXPECT_EQ(sound.channels, 1);
  EXPECT_EQ(sound.samples.size(), 22050u);
  int peak = 0;
  for (int16_t s : sound.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  EXPECT_EQ(peak, static_cast<int>(std::lround(0.5 * 32767)));
  // Silent before the layer starts and after it has faded out.
  const std::vector<Stretch> heard = SoundingStretches(sound, -60);
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_NEAR(heard[0].start, 0.1, 0.011);
  EXPECT_NEAR(heard[0].end, 0.9, 0.011);
  // From 400 Hz down to 200 Hz on a log scale: about 377 Hz near the start, 212 Hz near the end.
  EXPECT_NEAR(Frequency(sound, 0.12, 0.22), 400 * std::pow(0.5, 0.07 / 0.8), 15);
  EXPECT_NEAR(Frequency(sound, 0.78, 0.88), 400 * std::pow(0.5, 0.73 / 0.8), 15);
}

TEST(EffectRecipeTest, NoiseComesFromTheSeed) {
  const std::string recipe = "length 0.2\nnoise len=0.2 low=100 high=5000 decay=0.05\n";
  const PcmSound a = RenderEffect(ParseEffect("seed 3\n" + recipe, "t"));
  const PcmSound b = RenderEffect(ParseEffect("seed 3\n" + recipe, "t"));
  const PcmSound c = RenderEffect(ParseEffect("seed 4\n" + recipe, "t"));
  EXPECT_EQ(a.samples, b.samples);
  EXPECT_NE(a.samples, c.samples);
  // Decaying: the first 50 ms are much louder than the last.
  const Loudness first =
      MeasureLoudness(PcmSound{a.sampleRate, 1, {a.samples.begin(), a.samples.begin() + 2205}});
  const Loudness last =
      MeasureLoudness(PcmSound{a.sampleRate, 1, {a.samples.end() - 2205, a.samples.end()}}, -120);
  EXPECT_GT(first.rmsDb - last.rmsDb, 20);
}

TEST(EffectRecipeTest, SparseClicksAreMostlySilence) {
  const PcmSound sound = RenderEffect(ParseEffect("length 1\nnoise len=1 density=20 high=20000\n", "t"));
  size_t quiet = 0;
  for (int16_t s : sound.samples) quiet += std::abs(static_cast<int>(s)) < 30;
  EXPECT_GT(quiet, sound.samples.size() * 8 / 10);
  EXPECT_LT(quiet, sound.samples.size());
}

TEST(EffectRecipeTest, MistakesNameTheirLine) {
  EXPECT_EQ(RecipeErrorOf("rate 48000\n"), "test.fx:1: the rate is 22050 or 44100");
  EXPECT_EQ(RecipeErrorOf("length 1\n\ntone freq=440\n"), "test.fx:3: a layer needs len=SECONDS");
  EXPECT_EQ(RecipeErrorOf("tone len=1 low=20\n"), "test.fx:1: a tone layer has no setting 'low'");
  EXPECT_EQ(RecipeErrorOf("noise len=1 partials=1:1\n"),
            "test.fx:1: a noise layer has no setting 'partials'");
  EXPECT_EQ(RecipeErrorOf("tone len=1 partials=2\n"), "test.fx:1: a partial reads RATIO:LOUDNESS, not '2'");
  EXPECT_EQ(RecipeErrorOf("tone len=x\n"), "test.fx:1: 'x' is not a number");
  EXPECT_EQ(RecipeErrorOf("peak 2\ntone len=1"), "test.fx:1: 2 is outside 0.01..1");
  EXPECT_EQ(RecipeErrorOf("seed 1 2\ntone len=1"), "test.fx:1: 'seed' takes one value");
  EXPECT_EQ(RecipeErrorOf("# nothing\n"), "test.fx:1: the recipe has no layers");
}

}  // namespace
}  // namespace wispen::sound
