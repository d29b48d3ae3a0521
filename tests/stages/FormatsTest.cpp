#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "core/StageFile.h"
#include "formats/Bmp.h"
#include "formats/DataFile.h"
#include "formats/SourceText.h"
#include "platform/Errors.h"
#include "sdl/PaletteBmp.h"
#include "sdl/SdlImageCodec.h"

namespace wispen::formats {
namespace {

IndexedImage Gradient(int w, int h, int colours) {
  IndexedImage image(w, h);
  for (int i = 0; i < colours; ++i) image.Palette.push_back(RGB(i, 255 - i, (i * 7) & 255));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.At(x, y) = static_cast<uint8_t>((x / 3 + y) % colours);
  }
  return image;
}

// Rows that exercise every RLE8 case: long runs, runs split at 255, stretches of one, two and three unlike
// bytes, odd-length literals that need padding, and odd widths.
IndexedImage Awkward(int w, int h, uint32_t seed) {
  IndexedImage image(w, h);
  for (int i = 0; i < 16; ++i) image.Palette.push_back(RGB(i * 16, i * 8, 255 - i * 16));
  std::mt19937 random(seed);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w;) {
      const int kind = static_cast<int>(random() % 4);
      const int len = kind == 0 ? 1 + static_cast<int>(random() % 600) : 1 + static_cast<int>(random() % 5);
      const uint8_t v = static_cast<uint8_t>(random() % 16);
      for (int k = 0; k < len && x < w; ++k, ++x)
        image.At(x, y) = kind == 0 ? v : static_cast<uint8_t>(random() % 16);
    }
  }
  return image;
}

TEST(Bmp, RoundTripsThroughBothPackings) {
  for (int w : {1, 2, 3, 5, 64, 257, 1001}) {
    const IndexedImage image = Awkward(w, 7, static_cast<uint32_t>(w));
    for (BmpPacking packing : {BmpPacking::Raw, BmpPacking::Rle8}) {
      const Bytes bmp = EncodeBmp8(image, packing);
      const IndexedImage back = DecodeBmp8(bmp);
      EXPECT_EQ(back.Width, w);
      EXPECT_EQ(back.Pixels, image.Pixels) << "width " << w;
      EXPECT_EQ(back.Palette, image.Palette);
      EXPECT_EQ(ReadBmpInfo(bmp).Compression, packing == BmpPacking::Raw ? 0u : 1u);
    }
  }
}

TEST(Bmp, SmallestPackingPicksTheSmallerFile) {
  IndexedImage flat(300, 40, 3);
  flat.Palette.assign(4, clWhite);
  EXPECT_EQ(ReadBmpInfo(EncodeBmp8(flat)).Compression, 1u);
  IndexedImage noise = Awkward(300, 40, 9);
  for (size_t i = 0; i < noise.Pixels.size(); ++i)
    noise.Pixels[i] = static_cast<uint8_t>((i * 2654435761u >> 7) % 16);
  EXPECT_EQ(ReadBmpInfo(EncodeBmp8(noise)).Compression, 0u);
}

TEST(Bmp, RefusesWhatItCannotWrite) {
  IndexedImage image(4, 4, 5);
  image.Palette.assign(3, clWhite);  // pixel 5 lies beyond the palette
  EXPECT_THROW(EncodeBmp8(image), FormatError);
  image.Palette.assign(257, clWhite);
  EXPECT_THROW(EncodeBmp8(image), FormatError);
  EXPECT_THROW(EncodeBmp8(IndexedImage()), FormatError);
}

TEST(Bmp, DamagedDataIsAnErrorNotACrash) {
  const Bytes good = EncodeBmp8(Awkward(40, 9, 3), BmpPacking::Rle8);
  EXPECT_THROW(DecodeBmp(Bytes(good.begin(), good.begin() + 20)), FormatError);
  EXPECT_THROW(DecodeBmp(Bytes(good.begin(), good.end() - 7)), FormatError);  // no end-of-bitmap code
  Bytes wide = good;
  wide[18] = 0xFF, wide[19] = 0xFF, wide[20] = 0xFF, wide[21] = 0x7F;  // a width of two billion
  EXPECT_THROW(DecodeBmp(wide), FormatError);
  Bytes overrun = EncodeBmp8(Awkward(4, 1, 1), BmpPacking::Rle8);
  overrun[overrun.size() - 4] = 200;  // a run longer than the row
  overrun[overrun.size() - 3] = 1;
  EXPECT_THROW(DecodeBmp(overrun), FormatError);
}

// The game loads maps and strips through SDL_image: what our reader sees must be what the game sees.
TEST(Bmp, TheGamesPictureLoaderReadsOurFilesAsWeDo) {
  SdlImageCodec codec;
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("wispen_formats_test_" + std::to_string(::getpid()) + ".bmp"))
                               .string();
  for (BmpPacking packing : {BmpPacking::Raw, BmpPacking::Rle8}) {
    const Bytes bmp = EncodeBmp8(Awkward(333, 21, 5), packing);
    WriteFileBytes(path, bmp);
    const TBitmap theirs = codec.Load(path);
    const TBitmap ours = DecodeBmp(bmp);
    ASSERT_EQ(theirs.Width(), ours.Width());
    ASSERT_EQ(theirs.Height(), ours.Height());
    EXPECT_EQ(theirs.Pixels(), ours.Pixels());
  }
  std::filesystem::remove(path);
}

// The game decodes plain 8-bit and RLE8 pictures itself where their reading is certain and leaves the rest to
// SDL: every file it takes, damaged or not, must come out as SDL reads it.
TEST(Bmp, ThePaletteDecoderGivesWhatItTakesAsSdlReadsIt) {
  std::mt19937 random(11);
  int taken = 0, damagedTaken = 0;
  for (uint32_t round = 0; round < 400; ++round) {
    const int w = 1 + static_cast<int>(random() % 70), h = 1 + static_cast<int>(random() % 6);
    Bytes bmp = EncodeBmp8(Awkward(w, h, round), round % 4 == 0 ? BmpPacking::Raw : BmpPacking::Rle8);
    const bool damaged = round % 2 == 1;
    if (damaged) {
      // Small values: run lengths, escape codes and indices about the 16-colour palette's end.
      const size_t pixels = bmp[10] | bmp[11] << 8;
      for (uint32_t k = 0; k <= random() % 2; ++k)
        bmp[pixels + random() % (bmp.size() - pixels)] = static_cast<uint8_t>(random() % 20);
      if (random() % 8 == 0) bmp[46] = static_cast<uint8_t>(random() % 18);  // colours used
      if (random() % 8 == 0) bmp.resize(bmp.size() - 1 - random() % 4);
    }
    const std::optional<PalettePicture> decoded = DecodePaletteBmp(ParseBmpHeader(bmp, "generated"), bmp);
    if (!decoded) continue;
    const TBitmap ours = decoded->ToBitmap();
    ++taken;
    damagedTaken += damaged ? 1 : 0;
    TBitmap theirs;
    try {
      theirs = DecodeBmpThroughSdl(bmp);
    } catch (const IoError& e) {
      FAIL() << "round " << round << ": SDL refuses what the decoder takes: " << e.what();
    }
    ASSERT_EQ(theirs.Width(), ours.Width()) << "round " << round;
    ASSERT_EQ(theirs.Height(), ours.Height()) << "round " << round;
    EXPECT_EQ(theirs.Pixels(), ours.Pixels()) << "round " << round;
  }
  EXPECT_EQ(taken - damagedTaken, 200);  // every undamaged file
  EXPECT_GT(damagedTaken, 20);
}

TEST(DataFile, HidesAndRestoresOnlyTheSignatureBytes) {
  const Bytes bmp = EncodeBmp8(Gradient(10, 10, 40));
  Bytes hidden = bmp;
  HideSignature(hidden, DataKind::Bitmap);
  EXPECT_FALSE(HasSignature(hidden, DataKind::Bitmap));
  EXPECT_TRUE(std::equal(bmp.begin() + 2, bmp.end(), hidden.begin() + 2));
  RestoreSignature(hidden, DataKind::Bitmap);
  EXPECT_EQ(hidden, bmp);

  Bytes wave(44, 0x11);
  HideSignature(wave, DataKind::Wave);
  RestoreSignature(wave, DataKind::Wave);
  EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
  EXPECT_EQ(std::string(wave.begin() + 8, wave.begin() + 15), "WAVEfmt");
  EXPECT_EQ(wave[4], 0x11);
  EXPECT_EQ(wave[15], 0x11);
  Bytes midi(22, 0);
  RestoreSignature(midi, DataKind::Midi);
  EXPECT_EQ(std::string(midi.begin() + 14, midi.begin() + 18), "MTrk");
  Bytes tiny(1, 0);
  EXPECT_THROW(HideSignature(tiny, DataKind::Bitmap), FormatError);
}

TEST(StageFile, LaysOutEveryFieldWhereTheGameReadsIt) {
  StageFile stage;
  stage.AnimaIds[0] = 7;
  stage.AnimaInfo[19] = {1, 2, 3};
  stage.ObstacleCount = 2;
  stage.Obstacles[1].Slot = 4;
  stage.Obstacles[1].StepX[0] = -5;
  stage.Obstacles[1].StepCount = 100;
  stage.ViewStart = {11, 12};
  stage.SoulStart = {13, 14};
  stage.GoalRect = {15, 16, 17, 18};
  stage.PathLength = 3999;
  stage.PathPoints[3999] = {123456, -2};
  const Bytes bytes = EncodeStageFile(stage);
  ASSERT_EQ(bytes.size(), kStagePathFileSize);
  auto at = [&](size_t offset) {
    ByteReader in(bytes, "test");
    in.Seek(offset);
    return in.I32();
  };
  EXPECT_EQ(at(0), 7);
  EXPECT_EQ(at(4), -1);  // unused slots
  EXPECT_EQ(at(kAnimaInfoOffset + 19 * 12 + 8), 3);
  EXPECT_EQ(at(kObstacleCountOffset), 2);
  EXPECT_EQ(at(kObstaclesOffset + kObstacleRecordSize), 4);
  EXPECT_EQ(at(kObstaclesOffset + kObstacleRecordSize + 4), -5);
  EXPECT_EQ(at(kObstaclesOffset + kObstacleRecordSize + 1216), 100);
  EXPECT_EQ(at(kViewStartOffset + 4), 12);
  EXPECT_EQ(at(kSoulStartOffset), 13);
  EXPECT_EQ(at(kGoalRectOffset + 4), 16);   // Top
  EXPECT_EQ(at(kGoalRectOffset + 12), 18);  // Bottom
  EXPECT_EQ(at(kPathLengthOffset), 3999);
  EXPECT_EQ(at(kPathPointsOffset + 8 * 3999), 123456);
  EXPECT_EQ(DecodeStageFile(bytes), stage);
  EXPECT_THROW(DecodeStageFile(Bytes(bytes.begin(), bytes.end() - 1)), FormatError);
}

TEST(StageFile, AnimationStepFollowsThePathIndex) {
  ObstacleRecord o;
  o.StepPeriod = 2;
  o.StepCount = 4;
  const int expected[] = {0, 0, 1, 1, 2, 2, 3, 3, 0};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(AnimationStep(o, i), expected[i]) << "path index " << i;
}

TEST(SourceText, ReadsNamedValuesAndNamesTheLineOfAMistake) {
  const auto lines = ParseSource("# a comment\n\ngo 12 1.5 -2 at 3 4  # trailing\nbad 1 width\n", "s.txt");
  ASSERT_EQ(lines.size(), 2u);
  const auto named = lines[0].Parse(3, {{"at", 2}, {"width", 1}});
  EXPECT_EQ(lines[0].Int(1), 12);
  EXPECT_DOUBLE_EQ(lines[0].Real(3), -2);
  EXPECT_DOUBLE_EQ(named.At("at", 1), 4);
  EXPECT_FALSE(named.Has("width"));
  try {
    lines[1].Parse(1, {{"width", 1}});
    FAIL() << "a key without its number was accepted";
  } catch (const SourceError& e) {
    EXPECT_NE(std::string(e.what()).find("s.txt:4"), std::string::npos) << e.what();
  }
  EXPECT_THROW(lines[0].Parse(2, {{"at", 2}}), SourceError);  // a stray "-2" where a key belongs
  EXPECT_THROW(lines[0].Int(2), SourceError);                 // 1.5 is not whole
}

}  // namespace
}  // namespace wispen::formats
