#include <gtest/gtest.h>

#include <cmath>

#include "AnimaPainter.h"
#include "AnimaSource.h"
#include "Gate.h"
#include "Obstacles.h"
#include "Palette.h"
#include "StageBuilder.h"
#include "StageSource.h"
#include "Track.h"
#include "core/ProbeOffsets.h"

namespace wispen::stagegen {
namespace {

StageDesc Describe(const std::string& text) {
  return ParseStageDesc(formats::ParseSource(text, "test"));
}

const char* kSmallStage = R"(
stage 3
seed 5
ramp rock 40 40 60  200 200 220
ramp gate 200 200 100  255 255 255
layer rock rock
start 60 130 width 120
go 40 2 0
go 30 0 2 at 200 60
goal gate radius 50
go 30 0.5 0
)";

TEST(Track, FollowsTheStretchesAndRestsInTheGate) {
  const Track t = BuildTrack(Describe(kSmallStage));
  EXPECT_EQ(t.Length, 100);
  EXPECT_EQ(t.GoalIndex, 70);
  EXPECT_EQ(t.PathPoint(40), (TPoint{80, 0}));
  EXPECT_EQ(t.PathPoint(70), (TPoint{80, 60}));
  // While the view moves on after the gate, the soul's ideal place on the map stays put.
  EXPECT_DOUBLE_EQ(t.Soul[100].x, t.Soul[70].x);
  EXPECT_DOUBLE_EQ(t.Soul[70].x - t.View[70].x, 200);
}

TEST(Track, RefusesAFlightThatLeavesTheView) {
  std::string text = kSmallStage;
  text.replace(text.find("at 200 60"), 9, "at 470 60");
  EXPECT_THROW(BuildTrack(Describe(text)), formats::SourceError);
  text = kSmallStage;
  text.replace(text.find("go 30 0.5 0"), 11, "go 30 9 0");  // the view runs away from the resting soul
  EXPECT_THROW(BuildTrack(Describe(text)), formats::SourceError);
}

TEST(StageSource, NamesTheLineOfAMistake) {
  std::string text = kSmallStage;
  text.replace(text.find("go 40 2 0"), 9, "go 40 2 0 wdth 9");
  try {
    Describe(text);
    FAIL() << "a misspelt key was accepted";
  } catch (const formats::SourceError& e) {
    EXPECT_NE(std::string(e.what()).find("test:8"), std::string::npos) << e.what();
  }
  EXPECT_THROW(Describe("stage 11\n"), formats::SourceError);
}

TEST(Palette, KeepsBlackForTheSafeGroundAlone) {
  std::map<std::string, Ramp> ramps;
  ramps["dark"] = Ramp{{RGB(0, 0, 0), RGB(3, 1, 2), RGB(90, 10, 10)}};
  ramps["bright"] = Ramp{{RGB(200, 0, 0), RGB(255, 255, 255)}};
  const Palette palette({RGB(255, 0, 0)}, ramps);
  ASSERT_LE(palette.Colours().size(), 256u);
  EXPECT_EQ(palette.Colours()[0], clBlack);
  EXPECT_EQ(palette.Colours()[1], RGB(255, 0, 0));
  for (size_t i = 1; i < palette.Colours().size(); ++i) {
    const TColor c = palette.Colours()[i];
    EXPECT_GE(std::max({GetRValue(c), GetGValue(c), GetBValue(c)}), kMinDemonChannel) << "entry " << i;
  }
  for (int shade = 0; shade <= 10; ++shade)
    EXPECT_NE(palette.Index(palette.RampId("dark"), shade / 10.0, 3, 1), 0);
}

AnimaDesc Anima(const std::string& kind, int w, int h, int frames, Facing facing = Facing::Down) {
  AnimaDesc a;
  a.Id = 1;
  a.Kind = kind;
  a.FrameWidth = w;
  a.FrameHeight = h;
  a.Frames = frames;
  a.Facing = facing;
  for (const char* ramp :
       {"flame", "blade", "chain", "gum", "tooth", "eye", "flesh", "thorn", "crystal", "metal"}) {
    a.Ramps[ramp] = Ramp{{RGB(60, 10, 10), RGB(250, 240, 200)}};
  }
  return a;
}

// Where the mask lets the map through, the colour must add nothing; where it covers the map, the colour must
// never be black, or the obstacle would have a safe hole in it.
TEST(AnimaPainter, EveryKindPairsItsMaskAndColour) {
  for (const char* kind : {"fireball", "pendulum", "jaws", "eye", "thornball", "shard", "saw"}) {
    for (Facing facing : {Facing::Down, Facing::Right}) {
      const AnimaDesc a = Anima(kind, 60, 44, 5, facing);
      const formats::IndexedImage strip = PaintAnimaStrip(a);
      ASSERT_EQ(strip.Width, 300);
      ASSERT_EQ(strip.Height, 88);
      int covered = 0;
      for (int y = 0; y < 44; ++y) {
        for (int x = 0; x < 300; ++x) {
          const TColor mask = strip.ColourAt(x, y), colour = strip.ColourAt(x, y + 44);
          ASSERT_TRUE(mask == clWhite || mask == clBlack) << kind;
          if (mask == clWhite) {
            ASSERT_EQ(colour, clBlack) << kind << " at " << x << "," << y;
          } else {
            ASSERT_NE(colour, clBlack) << kind << " at " << x << "," << y;
            ++covered;
          }
        }
      }
      EXPECT_GT(covered, 300 * 44 / 20) << kind << " draws almost nothing";
    }
  }
  EXPECT_THROW(PaintAnimaStrip(Anima("teapot", 10, 10, 1)), formats::SourceError);
}

TEST(Obstacles, ShowTheChosenPhaseWhenTheIdealFlightPasses) {
  const Track t = BuildTrack(Describe(kSmallStage));
  const AnimaDesc ball = Anima("fireball", 30, 30, 4);
  ObstacleDesc o;
  o.AnimaId = 1;
  o.Motion = "cross";
  o.At = 37;
  o.Values = {{"count", 20}, {"period", 3}, {"phase", 6}};
  const std::vector<MotionStep> motion = BuildMotion(o, ball, t);
  const ObstacleRecord r = BuildObstacle(o, ball, t, 2);
  EXPECT_EQ(r.Slot, 2);
  EXPECT_EQ(r.StepPeriod, 3);
  EXPECT_EQ(r.StepCount, 20);
  const int s = AnimationStep(r, 37);
  EXPECT_EQ(r.StepX[s], std::lround(motion[6].TopLeft.x));
  EXPECT_EQ(r.StepY[s], std::lround(motion[6].TopLeft.y));
  EXPECT_EQ(r.StepFrame[s], motion[6].Frame);
  // A crossing reaches both sides of the corridor, clear of it.
  double lo = 1e9, hi = -1e9;
  for (const MotionStep& m : motion) {
    lo = std::min(lo, m.TopLeft.y);
    hi = std::max(hi, m.TopLeft.y);
  }
  EXPECT_GT(hi - lo, t.Width[37] + 30);
}

TEST(Obstacles, JawsBiteInAFullCycleAndBadValuesAreRefused) {
  const Track t = BuildTrack(Describe(kSmallStage));
  const AnimaDesc jaws = Anima("jaws", 40, 80, 7);
  ObstacleDesc o;
  o.Motion = "bite";
  o.At = 20;
  o.Values = {{"open", 10}, {"shut", 4}};
  const std::vector<MotionStep> motion = BuildMotion(o, jaws, t);
  ASSERT_EQ(motion.size(), 10u + 4 + 2 * 6);
  EXPECT_EQ(motion.front().Frame, 0);
  EXPECT_EQ(motion[10 + 6].Frame, 6);
  for (const MotionStep& m : motion) EXPECT_LT(m.Frame, 7);
  o.Values = {{"open", 80}, {"shut", 20}};
  EXPECT_THROW(BuildMotion(o, jaws, t), formats::SourceError);  // more than 100 steps
  o.Motion = "wobble";
  EXPECT_THROW(BuildMotion(o, jaws, t), formats::SourceError);
}

// Each motion, placed on a corridor running to the right (its normal points down).
TEST(Obstacles, MotionsReachTheWallsAndHideWhereTheySay) {
  const Track t = BuildTrack(Describe(kSmallStage));
  const AnimaDesc ball = Anima("thornball", 40, 40, 6);
  const Vec2 centre = t.SoulCentre(20);
  ObstacleDesc o;
  o.At = 20;
  auto centreOf = [&](const MotionStep& m) { return m.TopLeft + Vec2{20, 20}; };
  o.Motion = "orbit";
  o.Values = {{"count", 40}};
  const std::vector<MotionStep> orbit = BuildMotion(o, ball, t);
  // A circle that passes through the walls: at its lowest it is clear of the corridor (120 wide, ball 40).
  EXPECT_GT(centreOf(orbit[10]).y - centre.y, 60 + 20);
  EXPECT_NEAR(centreOf(orbit[0]).x - centre.x, (120 + 40) / 2.0 + 12, 0.5);
  o.Motion = "sweep";
  o.Values = {{"count", 30}, {"travel", 10}};
  const std::vector<MotionStep> sweep = BuildMotion(o, ball, t);
  EXPECT_LT(centreOf(sweep[0]).y, centre.y - 80);      // starts in the upper wall
  EXPECT_GT(centreOf(sweep[9]).y, centre.y + 80);      // crosses to the lower one
  EXPECT_EQ(sweep[20].TopLeft.y, sweep[0].TopLeft.y);  // and waits back inside the upper wall
  o.Motion = "thrust";
  o.Values = {{"count", 40}, {"offset", -80}, {"span", 50}};
  const std::vector<MotionStep> thrust = BuildMotion(o, ball, t);
  EXPECT_NEAR(centreOf(thrust[0]).y, centre.y - 80, 0.5);
  EXPECT_NEAR(centreOf(thrust[10]).y, centre.y - 30, 0.5);
  const AnimaDesc pendulum = Anima("pendulum", 200, 100, 9);
  o.Motion = "swing";
  o.Values = {{"count", 36}};
  const std::vector<MotionStep> swing = BuildMotion(o, pendulum, t);
  for (const MotionStep& m : swing) EXPECT_EQ(m.TopLeft.x, swing[0].TopLeft.x);  // it hangs from one pivot
  EXPECT_EQ(swing[0].Frame, 4);   // straight down at the start of its swing
  EXPECT_EQ(swing[9].Frame, 8);   // a quarter later at one end
  EXPECT_EQ(swing[27].Frame, 0);  // three quarters later at the other
}

TEST(AnimaSource, ReadsStripsAndTheirRampsAndNamesMistakes) {
  const auto list = ParseAnimaList(formats::ParseSource(
      "anima 4 saw size 30 20 frames 3 facing 3\nramp metal 1 2 3  4 5 6\nanima 2 eye size 10 10\n", "a"));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].Facing, Facing::Right);
  EXPECT_EQ(list[0].Ramps.at("metal").Stops.size(), 2u);
  EXPECT_EQ(list[1].Frames, 1);
  EXPECT_EQ(&FindAnima(list, 2, 0), &list[1]);
  EXPECT_THROW(FindAnima(list, 3, 9), formats::SourceError);
  EXPECT_THROW(ParseAnimaList(formats::ParseSource("ramp x 1 2 3 4 5 6\n", "a")), formats::SourceError);
  EXPECT_THROW(ParseAnimaList(formats::ParseSource("anima 1 eye size 9 9\nanima 1 eye size 9 9\n", "a")),
               formats::SourceError);
  EXPECT_THROW(ParseAnimaList(formats::ParseSource("anima 1 eye size 9 900\n", "a")), formats::SourceError);
}

TEST(Gate, GoalKeepsEveryProbeInsideTheBlackDisc) {
  const Vec2 centre{300.5, 200.25};
  const TRect goal = GoalRectFor(centre, 48, 2);
  EXPECT_GT(goal.Width(), 10);
  for (int y : {goal.Top, goal.Bottom}) {
    for (int x : {goal.Left, goal.Right}) {
      for (const TPoint& p : ProbeOffsets) {
        EXPECT_LE(std::hypot(x + p.X + 0.5 - centre.x, y + p.Y + 0.5 - centre.y), 46.0);
      }
    }
  }
}

TEST(StageBuilder, BuildsAMapThatHoldsEveryViewAndCarriesTheCheckColour) {
  const BuiltStage built = BuildStage(Describe(kSmallStage), {});
  const StageFile& f = built.File;
  EXPECT_EQ(built.Map.ColourAt(0, 0), kStageCheckColours[2]);
  for (int i = 0; i <= f.PathLength; ++i) {
    const TPoint p = f.PathPoints[i];
    ASSERT_GE(p.X, 0);
    ASSERT_GE(p.Y, 0);
    ASSERT_LE(p.X + kViewWidth, built.Map.Width);
    ASSERT_LE(p.Y + kViewHeight, built.Map.Height);
  }
  EXPECT_EQ(f.ViewStart, f.PathPoints[0]);
  // The soul starts on safe ground with its whole ring of probes.
  for (const TPoint& p : ProbeOffsets) {
    EXPECT_EQ(built.Map.ColourAt(f.SoulStart.X + p.X, f.SoulStart.Y + p.Y), clBlack);
  }
  EXPECT_EQ(f.ObstacleCount, 0);
}

}  // namespace
}  // namespace wispen::stagegen
