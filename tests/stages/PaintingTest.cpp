#include <gtest/gtest.h>

#include <cmath>

#include "Corridor.h"
#include "Decorations.h"
#include "Gate.h"
#include "MapPainter.h"
#include "StageSource.h"
#include "Texture.h"

namespace wispen::stagegen {
namespace {

TEST(Texture, RepeatsSeamlesslyAndDependsOnlyOnItsSeed) {
  const Texture a = FractalNoise(6, 4, 3, 0.5, 11), b = FractalNoise(6, 4, 3, 0.5, 11),
                c = FractalNoise(6, 4, 3, 0.5, 12);
  float lo = 1, hi = 0;
  int differ = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      ASSERT_EQ(a.At(x, y), b.At(x, y));
      differ += a.At(x, y) != c.At(x, y);
      lo = std::min(lo, a.At(x, y));
      hi = std::max(hi, a.At(x, y));
    }
  }
  EXPECT_GT(differ, 64 * 64 / 2);
  EXPECT_FLOAT_EQ(lo, 0);
  EXPECT_FLOAT_EQ(hi, 1);
  // Across the seam the texture changes no more than anywhere else: it tiles.
  double seam = 0, inside = 0;
  for (int y = 0; y < 64; ++y) {
    seam = std::max<double>(seam, std::fabs(a.Sample(63.5, y) - a.Sample(64.5, y)));
    inside = std::max<double>(inside, std::fabs(a.Sample(30.5, y) - a.Sample(31.5, y)));
  }
  EXPECT_LT(seam, inside * 2 + 0.02);
  EXPECT_FLOAT_EQ(a.Sample(-64 + 3, 5), a.Sample(3, 5));
}

TEST(Texture, CellsHaveTheirBordersWhereNearestAndSecondMeet) {
  const CellTextures cells = CellNoise(6, 4, 3);
  int borders = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      ASSERT_GE(cells.Edge.At(x, y), 0);
      ASSERT_GE(cells.Near.At(x, y), 0);
      borders += cells.Edge.At(x, y) < 0.05;
    }
  }
  EXPECT_GT(borders, 64);           // borders run through the tile ...
  EXPECT_LT(borders, 64 * 64 / 4);  // ... but are thin
}

Track StraightTrack(int steps, double width) {
  Track t;
  for (int i = 0; i <= steps; ++i) {
    t.View.push_back({2.0 * i, 100});
    t.Soul.push_back({2.0 * i + 100, 230});
    t.Width.push_back(width);
  }
  t.GoalIndex = t.Length = steps;
  return t;
}

StageDesc PlainDesc() {
  StageDesc d;
  d.EdgeInward = 0;
  d.EdgeOutward = 0;
  d.GateRadius = 40;
  return d;
}

TEST(Corridor, CarvesTheSweptTubeWithTheGateAndPillars) {
  const Track t = StraightTrack(100, 60);
  StageDesc d = PlainDesc();
  d.Pillars.push_back({50, 0, 0, 10, 1});
  const Corridor c = CarveCorridor(t, d, 700, 500);
  // The soul's centre line runs along y = 249; 60 wide means 30 either side.
  EXPECT_TRUE(c.IsBlack(150, 249));
  EXPECT_TRUE(c.IsBlack(150, 249 - 28));
  EXPECT_FALSE(c.IsBlack(150, 249 - 32));
  EXPECT_FALSE(c.IsBlack(150, 249 + 32));
  EXPECT_FALSE(c.IsBlack(219, 249));      // the pillar at path index 50 stands in the corridor
  EXPECT_TRUE(c.IsBlack(320, 249 + 38));  // the gate's disc is wider than the corridor
  EXPECT_FALSE(c.IsBlack(600, 249));
}

TEST(Corridor, MeasuresDistancesCloseToTheTrueOnes) {
  Corridor c(120, 90);
  c.SetBlack(20, 30, true);
  c.SetBlack(100, 70, true);
  c.MeasureDistances();
  for (int y = 0; y < 90; y += 7) {
    for (int x = 0; x < 120; x += 5) {
      const double truth = std::min(std::hypot(x - 20, y - 30), std::hypot(x - 100, y - 70));
      ASSERT_NEAR(c.Distance(x, y), truth, 0.09 * truth + 0.01) << x << "," << y;
    }
  }
  const Vec2 away = c.AwayFromCorridor(30, 30);
  EXPECT_GT(away.x, 0.9);  // right of the black point, away means further right
}

TEST(Decorations, NeverTouchTheSafeGround) {
  const Track t = StraightTrack(120, 70);
  StageDesc d = PlainDesc();
  d.Seed = 9;
  d.Ramps["eye"] = Ramp{{RGB(90, 60, 10), RGB(250, 240, 200)}};
  d.Ramps["rock"] = Ramp{{RGB(60, 60, 60), RGB(200, 200, 200)}};
  d.Decorations = {{"eyes", "eye", 12, 9, 1}, {"thorns", "rock", 20, 12, 2}};
  const Corridor c = CarveCorridor(t, d, 800, 500);
  const Palette palette({}, d.Ramps);
  formats::IndexedImage map(800, 500, 0);
  map.Palette = palette.Colours();
  const uint8_t wall = palette.Index(palette.RampId("rock"), 0.0, 0, 0);
  for (int y = 0; y < 500; ++y) {
    for (int x = 0; x < 800; ++x) {
      if (!c.IsBlack(x, y)) map.At(x, y) = wall;
    }
  }
  const formats::IndexedImage before = map;
  DrawDecorations(d, c, palette, {10000, 10000}, 0, map);
  int changed = 0;
  for (int y = 0; y < 500; ++y) {
    for (int x = 0; x < 800; ++x) {
      ASSERT_EQ(map.At(x, y) == 0, c.IsBlack(x, y)) << x << "," << y;
      changed += map.At(x, y) != before.At(x, y);
    }
  }
  EXPECT_GT(changed, 500);
  d.Decorations = {{"ghosts", "eye", 1, 9, 7}};
  EXPECT_THROW(DrawDecorations(d, c, palette, {0, 0}, 0, map), formats::SourceError);
}

TEST(MapPainter, PaintsEveryMaterialWithoutEverPaintingBlack) {
  StageDesc d;
  d.Seed = 4;
  d.Ramps["a"] = Ramp{{RGB(10, 0, 20), RGB(250, 200, 255)}};
  d.Ramps["b"] = Ramp{{RGB(0, 0, 0), RGB(255, 255, 0)}};
  for (const char* m :
       {"rock", "flesh", "veins", "cracks", "crystal", "fire", "bone", "scales", "lava", "vines"}) {
    d.Layers.push_back({m, d.Layers.size() % 2 ? "a" : "b", 1.0, 0.5, 1});
  }
  d.Layers.front().Cover = 1;
  const Palette palette({}, d.Ramps);
  const MapPainter painter(d, palette);
  std::vector<int> used(256, 0);
  for (int y = 0; y < 2000; y += 13) {
    for (int x = 0; x < 3000; x += 11) {
      const uint8_t i = painter.Paint(x, y, static_cast<float>((x * 7 + y) % 300));
      ASSERT_NE(i, 0);
      used[i] = 1;
      ASSERT_NE(painter.PaintUnseen(x, y), 0);
    }
  }
  EXPECT_GT(std::count(used.begin(), used.end(), 1), 100);  // gradients and noise, not flat fills
  d.Layers.push_back({"marble", "a", 1, 1, 42});
  EXPECT_THROW(MapPainter(d, palette), formats::SourceError);
}

TEST(Gate, DrawsARingOfLightRoundTheOpenDisc) {
  Corridor c(200, 200);
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 200; ++x)
      c.SetBlack(x, y, std::hypot(x + 0.5 - 100, y + 0.5 - 100) < 40 || (y > 90 && y < 110 && x < 100));
  }
  std::map<std::string, Ramp> ramps{{"gate", Ramp{{RGB(100, 100, 0), RGB(255, 255, 255)}}}};
  const Palette palette({}, ramps);
  formats::IndexedImage map(200, 200, 0);
  map.Palette = palette.Colours();
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (!c.IsBlack(x, y)) map.At(x, y) = palette.Index(0, 0.0, x, y);
    }
  }
  DrawGate({100, 100}, 40, palette.RampId("gate"), c, palette, map);
  auto brightness = [&](int x, int y) { return GetRValue(map.ColourAt(x, y)); };
  EXPECT_EQ(map.At(100, 100), 0);        // the disc stays black
  EXPECT_EQ(map.At(80, 100), 0);         // and so does the corridor leading in
  EXPECT_GT(brightness(143, 100), 200);  // the ring shines
  EXPECT_GT(brightness(100, 57), 200);
  EXPECT_LT(brightness(190, 190), 110);  // far off, the wall is as it was
}

}  // namespace
}  // namespace wispen::stagegen
