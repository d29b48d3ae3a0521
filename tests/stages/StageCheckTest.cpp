#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <random>

#include "BitGrid.h"
#include "FlightScript.h"
#include "FlightSearch.h"
#include "OwnFrameSource.h"
#include "core/ProbeOffsets.h"
#include "formats/Bmp.h"
#include "formats/DataFile.h"

namespace wispen::stagecheck {
namespace {

BitGrid RandomGrid(uint32_t seed, int percent) {
  std::mt19937 random(seed);
  BitGrid g;
  for (int y = 0; y < BitGrid::kHeight; ++y) {
    for (int x = 0; x < 500; ++x) g.Set(x, y, static_cast<int>(random() % 100) < percent);
  }
  return g;
}

// The row-at-a-time operations against the plain definitions, point by point.
TEST(BitGrid, DilationAndErosionMatchTheirDefinitions) {
  const BitGrid sparse = RandomGrid(1, 2), dense = RandomGrid(2, 97);
  for (int r : {1, 3, 7}) {
    const BitGrid grown = sparse.Dilated(r), shrunk = dense.Eroded(r);
    for (int y = 0; y < BitGrid::kHeight; y += 3) {
      for (int x = 0; x < BitGrid::kWidth; x += 5) {
        bool any = false, all = true;
        for (int dy = -r; dy <= r; ++dy) {
          for (int dx = -r; dx <= r; ++dx) {
            if (dx * dx + dy * dy > r * r) continue;
            any = any || sparse.Get(x + dx, y + dy);
            all = all && dense.Get(x + dx, y + dy);
          }
        }
        ASSERT_EQ(grown.Get(x, y), any) << "dilation by " << r << " at " << x << "," << y;
        ASSERT_EQ(shrunk.Get(x, y), all) << "erosion by " << r << " at " << x << "," << y;
      }
    }
  }
}

TEST(BitGrid, ProbingMatchesTheRingOfProbes) {
  const BitGrid black = RandomGrid(3, 99);
  const BitGrid free = black.ProbedBy(ProbeOffsets);
  size_t count = 0;
  for (int y = 0; y < BitGrid::kHeight; ++y) {
    for (int x = 0; x < BitGrid::kWidth; ++x) {
      bool all = true;
      for (const TPoint& p : ProbeOffsets) all = all && black.Get(x + p.X, y + p.Y);
      ASSERT_EQ(free.Get(x, y), all) << x << "," << y;
      count += all;
    }
  }
  EXPECT_GT(count, 0u);
  // No mouse point whose probes reach past the view's right or bottom edge is free.
  EXPECT_FALSE(BitGrid::BlackOf(TBitmap(500, 300, clBlack)).ProbedBy(ProbeOffsets).Get(463, 0));
  EXPECT_TRUE(BitGrid::BlackOf(TBitmap(500, 300, clBlack)).ProbedBy(ProbeOffsets).Get(462, 262));
  EXPECT_FALSE(BitGrid::BlackOf(TBitmap(500, 300, clBlack)).ProbedBy(ProbeOffsets).Get(462, 263));
}

// A stage drawn straight into its frames: a black corridor band that the test shapes, a fixed view.
class PaintedFrames : public FrameSource {
 public:
  PaintedFrames(int length, TPoint start, TRect goal) : length_(length), start_(start), goal_(goal) {}
  int PathLength() const override { return length_; }
  TPoint ViewAt(int pathIndex) const override { return {pathIndex * view_step_, 0}; }
  TPoint SoulStart() const override { return start_; }
  TPoint ViewStart() const override { return {0, 0}; }
  TRect GoalRect() const override { return goal_; }
  void Compose(int /*pathIndex*/, TBitmap& view) override {
    view = TBitmap(500, 300, RGB(90, 20, 20));
    view.Canvas().BrushColor = clBlack;
    view.Canvas().FillRect({0, 100, 500, 180});  // a corridor 80 pixels high
    view.Canvas().BrushColor = RGB(1, 0, 0);
    view.Canvas().FillRect({wall_x_, 100, wall_x_ + wall_thickness_, 180});
  }
  // A wall across the corridor.
  void Obstruct(int x, int thickness) { wall_x_ = x, wall_thickness_ = thickness; }
  int view_step_ = 0;

 private:
  int length_;
  TPoint start_;
  TRect goal_;
  int wall_x_ = 0, wall_thickness_ = 0;
};

TEST(FlightSearch, FlightsHonourTheMoveLimitAndArriveOnTheFirstPossibleTick) {
  // From x 10 to a goal at x 400 along the corridor: 390 pixels.
  PaintedFrames frames(100, {10, 120}, {400, 110, 410, 130});
  FlightSearch search(frames);
  const Flight fast = search.Search({40, 0});
  ASSERT_TRUE(fast.Found);
  EXPECT_EQ(fast.Arrival, 10);  // 390 / 40, rounded up
  EXPECT_LE(fast.FastestMove(), 40);
  EXPECT_EQ(fast.Mouse.front(), (TPoint{10, 120}));
  EXPECT_TRUE(frames.GoalRect().ContainsInclusive(fast.Mouse.back().X, fast.Mouse.back().Y));
  EXPECT_FALSE(search.Search({3, 0}).Found);  // 99 ticks of 3 pixels fall short
  EXPECT_EQ(search.SlowestMove(), 4);
  // The corridor is 80 high and the soul 38: 21 pixels to spare on each side at best, less the probes' inset.
  const int margin = search.WidestMargin(40);
  EXPECT_GE(margin, 18);
  EXPECT_LE(margin, 21);
}

// The game only looks at the 37 probes, once a tick. No probe lies in the ring's columns 2, 9, 23 or 25, so
// a wall one pixel thick can be crossed by hopping between them; three pixels always meet a probe unless the
// soul jumps the whole wall in one tick. A nearly black wall is as deadly as any other colour.
TEST(FlightSearch, WallsAreCrossedOnlyWhereTheProbesAllowIt) {
  PaintedFrames thin(200, {10, 120}, {400, 110, 410, 130});
  thin.Obstruct(200, 1);
  FlightSearch hop(thin);
  EXPECT_TRUE(hop.Search({20, 0}).Found);
  PaintedFrames thick(200, {10, 120}, {400, 110, 410, 130});
  thick.Obstruct(200, 3);
  FlightSearch wall(thick);
  EXPECT_FALSE(wall.Search({20, 0}).Found);
  EXPECT_TRUE(wall.Search({60, 0}).Found);
  EXPECT_EQ(wall.SlowestMove(), 40);
}

TEST(FlightSearch, TheGoalMustBeReachedBeforeThePathRunsOut) {
  // The flight needs tick 10. With a path of 10 points, tick 10 reaches the path's end and loses the soul
  // before any frame; with 11, tick 10 still shows a frame and tests the goal.
  PaintedFrames frames(10, {10, 120}, {400, 110, 410, 130});
  FlightSearch search(frames);
  EXPECT_FALSE(search.Search({40, 0}).Found);
  PaintedFrames longer(11, {10, 120}, {400, 110, 410, 130});
  FlightSearch enough(longer);
  EXPECT_TRUE(enough.Search({40, 0}).Found);
}

TEST(FlightSearch, GoalRectIsInclusiveOnTheMap) {
  PaintedFrames frames(100, {10, 120}, {100, 120, 100, 120});  // a single point, 10 ticks away at 9 px
  frames.view_step_ = 1;  // the view moves one pixel a tick, so map and view differ
  FlightSearch search(frames);
  const Flight f = search.Search({10, 0});
  ASSERT_TRUE(f.Found);
  const TPoint m = f.Mouse.back();
  EXPECT_EQ(m.X + frames.ViewAt(f.Arrival).X, 100);
  EXPECT_EQ(m.Y, 120);
}

TEST(FlightScript, MovesInScreenPointsAndWaitsOneTickEach) {
  Flight f;
  f.Found = true;
  f.Arrival = 2;
  f.Mouse = {{10, 20}, {15, 20}, {15, 28}};
  const std::string script = FlightScript(f, 4);
  EXPECT_NE(script.find("move 80 80\nmove 85 80\nwait 50\nmove 85 88\nwait 50\n"), std::string::npos)
      << script;
  EXPECT_EQ(script.rfind("wait 50"), script.size() - 8);
}

// The checker composes a frame as the game does: the map slice, then each obstacle's mask ANDed and colour
// ORed.
TEST(OwnFrameSource, DrawsObstaclesWithMaskAndColourAtTheirStep) {
  StageData data;
  data.Map = TBitmap(1000, 600, RGB(0, 0, 0));
  data.Map.At(120, 150) = RGB(10, 20, 30);
  TBitmap& strip = data.Slots[19];
  strip = TBitmap(20, 20, clWhite);  // two frames of 10x10
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) strip.At(x, y + 10) = clBlack;
  }
  strip.At(12, 3) = clBlack;          // frame 1 covers its pixel (2, 3) ...
  strip.At(12, 13) = RGB(200, 0, 0);  // ... in red
  strip.At(13, 3) = clBlack;          // and makes its pixel (3, 3) black: a safe spot in the obstacle
  StageFile& f = data.File;
  f.ViewStart = {100, 100};
  f.PathLength = 10;
  for (int i = 0; i <= 10; ++i) f.PathPoints[i] = {100 + i, 100};
  f.ObstacleCount = 1;
  ObstacleRecord& o = f.Obstacles[0];
  o.Slot = 25;  // any slot beyond 18 draws from the last picture holder
  o.FrameWidth = o.FrameHeight = 10;
  o.StepPeriod = 2;
  o.StepCount = 2;
  o.StepX[1] = 150, o.StepY[1] = 120, o.StepFrame[1] = 1;
  o.StepX[0] = 0, o.StepY[0] = 0;
  data.Map.At(153, 123) = RGB(0, 90, 0);
  OwnFrameSource frames(data);
  TBitmap view;
  frames.Compose(2, view);  // step 1, view at (102, 100)
  EXPECT_EQ(view.At(150 + 2 - 102, 120 + 3 - 100), RGB(200, 0, 0));
  EXPECT_EQ(view.At(153 - 102, 123 - 100), clBlack);  // the map's green is masked away
  EXPECT_EQ(view.At(120 - 102, 150 - 100), RGB(10, 20, 30));
  frames.Compose(1, view);  // step 0: the obstacle is off the view
  EXPECT_EQ(view.At(153 - 101, 123 - 100), RGB(0, 90, 0));
}

TEST(BitGrid, FindsTheNearestPointAndKeepsARectangle) {
  BitGrid g;
  g.Set(100, 100);
  g.Set(130, 100);
  g.Set(499, 299);
  EXPECT_EQ(g.Count(), 3u);
  EXPECT_EQ(g.Nearest({120, 101}, 30), (TPoint{130, 100}));
  EXPECT_FALSE(g.Nearest({300, 200}, 30).has_value());
  EXPECT_EQ(g.UsedRows().First, 100);
  EXPECT_EQ(g.UsedRows().Last, 299);
  g.KeepInside({100, 0, 129, 299});  // both bounds inclusive
  EXPECT_EQ(g.Count(), 1u);
  EXPECT_TRUE(g.Get(100, 100));
  g.KeepInside({0, 0, 99, 299});
  EXPECT_TRUE(g.Empty());
  EXPECT_GT(BitGrid().UsedRows().First, BitGrid().UsedRows().Last);
}

TEST(FlightSearch, ALazyFlightMovesOnlyWhenItMust) {
  PaintedFrames frames(300, {10, 120}, {400, 110, 410, 130});
  FlightSearch search(frames);
  const Flight f = search.Search({20, 0});
  ASSERT_TRUE(f.Found);
  // It arrives as early as it can: 390 pixels at 20 a tick take 20 ticks, which leaves 10 pixels to spare.
  // Each tick it moves no more than it must, so it spends the spare 10 at once and then flies at full speed.
  EXPECT_EQ(f.Arrival, 20);
  EXPECT_EQ(f.Mouse[1], (TPoint{20, 120}));
  EXPECT_EQ(f.Mouse[2], (TPoint{40, 120}));
  for (size_t t = 1; t < f.Mouse.size(); ++t) EXPECT_EQ(f.Mouse[t].Y, 120);
}

class StageFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("wispen_stagedata_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void WriteMap(int stage, TColor corner) {
    formats::IndexedImage map(600, 400, 1);
    map.Palette = {clBlack, RGB(80, 20, 20), corner};
    map.At(0, 0) = 2;
    formats::WriteDataFile(Path("StageP" + std::to_string(stage) + ".Dat"), formats::EncodeBmp8(map),
                           DataKind::Bitmap);
  }
  void WritePath(int stage, const StageFile& file) {
    WriteFileBytes(Path("Stage" + std::to_string(stage) + ".Dat"), EncodeStageFile(file));
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Dir() const { return dir_.string(); }

 private:
  std::filesystem::path dir_;
};

TEST_F(StageFiles, LoadsAStageAndOnlyTheSlotsItAsksFor) {
  WriteMap(2, RGB(255, 0, 0));
  StageFile file;
  file.AnimaIds[3] = 8;  // both anima files present
  file.AnimaIds[4] = 9;  // its record is missing: the slot stays empty
  WritePath(2, file);
  formats::IndexedImage strip(4, 4, 0);
  strip.Palette = {clWhite};
  for (int id : {8, 9}) {
    formats::WriteDataFile(Path("AnimaP" + std::to_string(id) + ".Dat"), formats::EncodeBmp8(strip),
                           DataKind::Bitmap);
  }
  WriteFileBytes(Path("Anima8.Dat"), EncodeAnimaRecord({4, 2, 1}));
  const StageData d = LoadStageData(Dir(), 2);
  EXPECT_EQ(d.Map.Width(), 600);
  EXPECT_FALSE(d.Slots[3].Empty());
  EXPECT_TRUE(d.Slots[4].Empty());
  EXPECT_TRUE(d.Slots[0].Empty());
}

TEST_F(StageFiles, RefusesMissingFilesAndAForeignMap) {
  EXPECT_THROW(LoadStageData(Dir(), 3), std::runtime_error);  // nothing there
  WriteMap(3, RGB(255, 255, 0));                              // stage 4's colour on stage 3's map
  WritePath(3, StageFile());
  try {
    LoadStageData(Dir(), 3);
    FAIL() << "a map with the wrong check colour was accepted";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("check colour"), std::string::npos) << e.what();
  }
  WriteMap(3, RGB(0, 255, 0));
  WriteFileBytes(Path("Stage3.Dat"), Bytes(100, 0));  // cut short
  EXPECT_THROW(LoadStageData(Dir(), 3), std::runtime_error);
  EXPECT_THROW(LoadStageData(Dir(), 11), std::runtime_error);
}

}  // namespace
}  // namespace wispen::stagecheck
