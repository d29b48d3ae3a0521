// Checks the game's Data files as the build wrote them: every file against its format, every stage against
// what the game needs of it. The flight through each stage is the stage checker's own test
// (stage_flights_search, under the move limit of a modest hand, with the gate reached before the path's last
// steps).
#include <gtest/gtest.h>

#include <filesystem>

#include "GameFrameSource.h"
#include "OwnFrameSource.h"
#include "Palette.h"
#include "StageData.h"
#include "core/ProbeOffsets.h"
#include "formats/Bmp.h"
#include "formats/DataFile.h"

namespace wispen::stagecheck {
namespace {

const std::string kData = WISPEN_TEST_DATA_DIR;

std::string DataPath(const std::string& name) {
  return kData + "/" + name;
}

class EachStage : public ::testing::TestWithParam<int> {
 protected:
  static const StageData& Data(int stage) {
    static std::map<int, StageData> loaded;
    auto it = loaded.find(stage);
    if (it == loaded.end()) it = loaded.emplace(stage, LoadStageData(kData, stage)).first;
    return it->second;
  }
};

TEST_P(EachStage, MapIsAPalettePictureWithItsSignatureHidden) {
  const int n = GetParam();
  const Bytes stored = ReadFileBytes(DataPath("StageP" + std::to_string(n) + ".Dat"));
  EXPECT_FALSE(HasSignature(stored, DataKind::Bitmap));
  const Bytes bmp = formats::ReadDataFile(DataPath("StageP" + std::to_string(n) + ".Dat"), DataKind::Bitmap);
  const formats::BmpInfo info = formats::ReadBmpInfo(bmp);
  EXPECT_EQ(info.BitCount, 8);
  EXPECT_LE(info.PaletteSize, 256);
  // Black is the safe ground and nothing else is: the palette holds it once, and no colour darker than the
  // demon world's darkest (other than the check colour of pixel (0, 0)).
  const formats::IndexedImage map = formats::DecodeBmp8(bmp);
  int blacks = 0;
  for (TColor c : map.Palette) {
    blacks += c == clBlack;
    if (c == clBlack || c == kStageCheckColours[n - 1]) continue;
    EXPECT_GE(std::max({GetRValue(c), GetGValue(c), GetBValue(c)}), stagegen::kMinDemonChannel);
  }
  EXPECT_EQ(blacks, 1);
}

TEST_P(EachStage, MapCarriesTheCheckColourAndHoldsEveryView) {
  const StageData& d = Data(GetParam());
  EXPECT_EQ(d.Map.Canvas().Pixel(0, 0), kStageCheckColours[GetParam() - 1]);
  const StageFile& f = d.File;
  auto inside = [&](TPoint v) {
    return v.X >= 0 && v.Y >= 0 && v.X + kViewWidth <= d.Map.Width() && v.Y + kViewHeight <= d.Map.Height();
  };
  EXPECT_TRUE(inside(f.ViewStart));
  for (int i = 0; i <= f.PathLength; ++i) ASSERT_TRUE(inside(f.PathPoints[i])) << "path point " << i;
  // Pixel (0, 0) never shows: stage 1's check colour is black and must not make a safe spot anyone can use.
  for (int i = 0; i <= f.PathLength; ++i) ASSERT_FALSE(f.PathPoints[i].X == 0 && f.PathPoints[i].Y == 0);
}

TEST_P(EachStage, PathFileFieldsLieInTheirRanges) {
  const int n = GetParam();
  EXPECT_EQ(std::filesystem::file_size(DataPath("Stage" + std::to_string(n) + ".Dat")), kStagePathFileSize);
  const StageFile& f = Data(n).File;
  EXPECT_GT(f.PathLength, 1);
  EXPECT_LT(f.PathLength, kMaxPathPoints);
  // One to three minutes at one path step each 50 ms.
  EXPECT_GE(f.PathLength * 50, 55'000);
  EXPECT_LE(f.PathLength * 50, 180'000);
  EXPECT_GE(f.ObstacleCount, 0);
  EXPECT_LE(f.ObstacleCount, kObstacleCapacity);
  EXPECT_LE(f.GoalRect.Left, f.GoalRect.Right);
  EXPECT_LE(f.GoalRect.Top, f.GoalRect.Bottom);
  // The soul starts on black ground with its whole ring of probes inside the first view.
  const TBitmap& map = Data(n).Map;
  for (const TPoint& p : ProbeOffsets) {
    const int x = f.SoulStart.X + p.X, y = f.SoulStart.Y + p.Y;
    ASSERT_EQ(map.Canvas().Pixel(x, y), clBlack) << "probe " << p.X << "," << p.Y;
    ASSERT_TRUE(x >= f.ViewStart.X && x < f.ViewStart.X + kViewWidth && y >= f.ViewStart.Y &&
                y < f.ViewStart.Y + kViewHeight);
  }
  // Every mouse point of the goal keeps the ring of probes on the gate's black ground.
  for (int y : {f.GoalRect.Top, f.GoalRect.Bottom}) {
    for (int x : {f.GoalRect.Left, f.GoalRect.Right}) {
      for (const TPoint& p : ProbeOffsets) ASSERT_EQ(map.Canvas().Pixel(x + p.X, y + p.Y), clBlack);
    }
  }
}

TEST_P(EachStage, EveryObstacleDrawsFramesItsStripHas) {
  const StageData& d = Data(GetParam());
  const StageFile& f = d.File;
  for (int k = 0; k < f.ObstacleCount; ++k) {
    const ObstacleRecord& o = f.Obstacles[k];
    SCOPED_TRACE("obstacle " + std::to_string(k));
    ASSERT_GE(o.Slot, 0);
    ASSERT_LT(o.Slot, kAnimaSlotCount);
    const int id = f.AnimaIds[o.Slot];
    ASSERT_GE(id, 1) << "the slot is never loaded";
    ASSERT_GE(o.StepPeriod, 1);
    ASSERT_GE(o.StepCount, 1);
    ASSERT_LE(o.StepCount, kObstacleSteps);
    const TBitmap& strip = d.Slots[o.Slot];
    ASSERT_FALSE(strip.Empty()) << "AnimaP" << id << " is missing";
    ASSERT_EQ(strip.Height(), 2 * o.FrameHeight);
    ASSERT_EQ(strip.Width() % o.FrameWidth, 0);
    const int frames = strip.Width() / o.FrameWidth;
    const AnimaRecord record =
        DecodeAnimaRecord(ReadFileBytes(DataPath("Anima" + std::to_string(id) + ".Dat")));
    EXPECT_EQ(record, (AnimaRecord{o.FrameWidth, o.FrameHeight, frames}));
    for (int s = 0; s < o.StepCount; ++s) {
      ASSERT_GE(o.StepFrame[s], 0);
      ASSERT_LT(o.StepFrame[s], frames) << "step " << s;
    }
  }
  // The numbers kept beside each loaded slot are those of its anima record file.
  for (int slot = 0; slot < kAnimaSlotCount; ++slot) {
    if (f.AnimaIds[slot] < 0) continue;
    const std::string record = DataPath("Anima" + std::to_string(f.AnimaIds[slot]) + ".Dat");
    EXPECT_EQ(f.AnimaInfo[slot], DecodeAnimaRecord(ReadFileBytes(record))) << "slot " << slot;
  }
}

// The checker's reading of the files and the game's own loading and composition give the same frames, so a
// flight found on either is a flight through what the player sees.
TEST_P(EachStage, TheGameComposesTheFramesTheCheckerReads) {
  const StageData& d = Data(GetParam());
  OwnFrameSource own(d);
  GameFrameSource game(std::filesystem::path(kData).parent_path().string(), GetParam());
  ASSERT_EQ(game.PathLength(), d.File.PathLength);
  EXPECT_EQ(game.GoalRect(), d.File.GoalRect);
  TBitmap a, b;
  for (int index : {0, 1, 37, d.File.PathLength / 2, d.File.PathLength - 1}) {
    own.Compose(index, a);
    game.Compose(index, b);
    ASSERT_EQ(a.Pixels(), b.Pixels()) << "path index " << index;
  }
}

INSTANTIATE_TEST_SUITE_P(Stages, EachStage, ::testing::Range(1, 11));

// Every picture strip: masks white or black, colour black exactly where the mask is white.
TEST(AnimaFiles, EveryStripPairsItsMasksAndColours) {
  int strips = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kData)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("AnimaP", 0) != 0) continue;
    ++strips;
    SCOPED_TRACE(name);
    const std::string id = name.substr(6, name.size() - 6 - 4);
    const AnimaRecord r = DecodeAnimaRecord(ReadFileBytes(DataPath("Anima" + id + ".Dat")));
    const TBitmap strip = formats::DecodeBmp(formats::ReadDataFile(entry.path().string(), DataKind::Bitmap));
    ASSERT_EQ(strip.Width(), r.FrameWidth * r.FrameCount);
    ASSERT_EQ(strip.Height(), 2 * r.FrameHeight);
    for (int y = 0; y < r.FrameHeight; ++y) {
      for (int x = 0; x < strip.Width(); ++x) {
        const TColor mask = strip.At(x, y), colour = strip.At(x, y + r.FrameHeight);
        ASSERT_TRUE(mask == clWhite || mask == clBlack);
        ASSERT_EQ(mask == clWhite, colour == clBlack) << x << "," << y;
      }
    }
  }
  EXPECT_GE(strips, 6);
}

// Stage 10's ending lets the view drift on to the right by up to 300 pixels from wherever the goal was
// reached.
TEST(StageTen, MapReachesFarEnoughRightForTheEndingsDrift) {
  const StageData d = LoadStageData(kData, 10);
  const StageFile& f = d.File;
  for (int i = 1; i < f.PathLength; ++i) {
    const TPoint v = f.PathPoints[i];
    // Could a mouse point in this view (with its probes inside it) lie in the goal?
    const bool goalInView = f.GoalRect.Right >= v.X && f.GoalRect.Left <= v.X + 462 &&
                            f.GoalRect.Bottom >= v.Y && f.GoalRect.Top <= v.Y + 262;
    if (goalInView) {
      ASSERT_GE(d.Map.Width(), v.X + kViewWidth + 300) << "view " << i;
    }
  }
}

}  // namespace
}  // namespace wispen::stagecheck
